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
  const auto status = testing::CorpusStatus();
  LoopLimits limits;
  limits.maxLength = 12;
  int searched = 0;
  for (const auto& [name, row] : testing::CorpusIndex()) {
    // name, category, rules, symbols, longest side, ...: the small ones only.
    if (status.at(name) != "YES" || std::stoi(row.at(1)) > 8 || std::stoi(row.at(3)) > 6) continue;
    const Problem p = testing::CorpusProblem(name);
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
