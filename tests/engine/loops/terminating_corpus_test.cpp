// No loop is ever claimed for a terminating problem: the small problems of the corpus known to
// terminate, each searched briefly within short strings.
#include <gtest/gtest.h>

#include "engine/check/loop_check.hpp"
#include "engine/engine_testing.hpp"
#include "engine/loops/derivation.hpp"
#include "engine/loops/loop_search.hpp"

namespace selko::engine {
namespace {

TEST(FindLoop, NeverOnTerminatingCorpusProblems) {
  SELKO_ENGINE_NEED_CORPUS();
  LoopLimits limits;
  limits.maxLength = 12;
  int searched = 0;
  for (const auto& [name, entry] : testing::ReadCorpusIndex()) {
    // The small ones only.
    if (entry.status != "YES" || entry.rules > 8 || entry.longest > 6) continue;
    const Problem p = testing::ReadCorpusProblem(name);
    const auto loop = FindLoop(p, Deadline::After(0.005), limits);
    ++searched;
    if (!loop) continue;
    std::string why;
    ADD_FAILURE() << name << ": a loop for a terminating problem, "
                  << (CheckLoop(p, *loop, why) ? "and it checks" : "refused: " + why);
    for (const std::string& line : DerivationLines(p, *loop))
      ADD_FAILURE() << line;
  }
  EXPECT_GT(searched, 200);
}

} // namespace
} // namespace selko::engine
