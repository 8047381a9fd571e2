// The whole engine on small problems whose answers are known: proofs written out in full,
// loops with their derivations, relative problems, and the same text on any number of threads.
#include <gtest/gtest.h>

#include "engine/engine.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::Rules;

EngineResult Engine(const Problem& p, int workers = 1, double seconds = 20) {
  EngineOptions options;
  options.workers = workers;
  options.timeoutSeconds = seconds;
  return Prove(p, options);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines)
    text += l + "\n";
  return text;
}

TEST(Strategy, Dump) {
  for (const Problem& p : {Rules({"ab->ba"}), Rules({"ab->bab"}), Rules({"ab->b", "b->=bb"}),
                           Rules({"aabb->bbba", "ba->aaaa"})}) {
    const EngineResult r = Engine(p);
    std::printf("verdict %d\n%s", static_cast<int>(r.verdict), Joined(r.proof).c_str());
  }
}

} // namespace
} // namespace selko::engine
