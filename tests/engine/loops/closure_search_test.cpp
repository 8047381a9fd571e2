// One order of the closure search on its own: with memory far too small it drops closures,
// starts again and collects its steps, and the derivations it rebuilds still check; without a
// loop it ends within the length limit; read backwards it finds the loops read forwards.
#include "engine/loops/closure_search.hpp"

#include <gtest/gtest.h>

#include "engine/check/loop_check.hpp"
#include "engine/engine_testing.hpp"

namespace selko::engine::loops {
namespace {

std::optional<Loop> RunToEnd(ClosureSearch& search) {
  std::optional<Loop> loop;
  while (!loop && !search.Finished())
    loop = search.Advance(Deadline(), 256);
  return loop;
}

TEST(ClosureSearch, SmallMemoryDropsRestartsAndStillRebuildsDerivations) {
  SELKO_ENGINE_NEED_CORPUS();
  LoopLimits tiny;
  tiny.maxLength = 40;
  tiny.maxWaiting = 24;
  tiny.maxLetters = 1500;
  tiny.maxSeen = 1024;
  tiny.maxTrail = 1024;
  ClosureStats total;
  for (const char* name : {"std-0352", "std-0389", "std-0356", "rel-0160"}) {
    SCOPED_TRACE(name);
    const Problem p = testing::ReadCorpusProblem(name);
    ClosureSearch search(p, {Overlaps::Both, 32, 4}, tiny);
    const auto loop = RunToEnd(search);
    ASSERT_TRUE(loop);
    std::string why;
    EXPECT_TRUE(CheckLoop(p, *loop, why)) << why;
    total.dropped += search.Stats().dropped;
    total.restarts += search.Stats().restarts;
    total.collected += search.Stats().collected;
  }
  EXPECT_GT(total.dropped, 0u);
  EXPECT_GT(total.restarts, 0u);
  EXPECT_GT(total.collected, 0u);
}

TEST(ClosureSearch, EndsWithoutALoopWithinTheLengthLimit) {
  LoopLimits limits;
  limits.maxLength = 9;
  const Problem p = testing::ProblemOf({"a b -> b a", "a c -> c b a"});
  for (Overlaps overlaps : {Overlaps::Right, Overlaps::Left, Overlaps::Both}) {
    for (std::size_t weight : {1, 32}) {
      ClosureSearch search(p, {overlaps, weight, 4}, limits);
      EXPECT_FALSE(RunToEnd(search));
      EXPECT_TRUE(search.Finished());
      EXPECT_EQ(search.Stats().dropped, 0u);
      EXPECT_GT(search.Stats().generated, 2u);
    }
  }
}

TEST(ClosureSearch, BackwardClosuresOfTheReversedProblemMirrorForwardOnes) {
  SELKO_ENGINE_NEED_CORPUS();
  // The same closures read backwards (met in another order): both find a loop.
  LoopLimits limits;
  limits.maxLength = 30;
  for (const char* name : {"std-0393", "std-0003", "std-0814"}) {
    SCOPED_TRACE(name);
    const Problem p = testing::ReadCorpusProblem(name);
    ClosureSearch forward(p, {Overlaps::Right, 4, 4}, limits);
    ClosureSearch backward(p.Reversed(), {Overlaps::Left, 4, 4}, limits);
    const auto f = RunToEnd(forward);
    const auto b = RunToEnd(backward);
    ASSERT_TRUE(f);
    ASSERT_TRUE(b);
    std::string why;
    EXPECT_TRUE(CheckLoop(p, *f, why)) << why;
    EXPECT_TRUE(CheckLoop(p.Reversed(), *b, why)) << why;
  }
}

} // namespace
} // namespace selko::engine::loops
