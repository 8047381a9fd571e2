// The loop search: easy loops at once, loops that need long start strings, relative problems
// (a loop through a weak rule counts, a cycle of weak rules alone does not), small memory, and
// corpus problems known not to terminate. Every loop found goes through the checker.
#include "engine/loops/loop_search.hpp"

#include <gtest/gtest.h>

#include "engine/check/loop_check.hpp"
#include "engine/engine_testing.hpp"
#include "engine/loops/reversed_loop.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;
using testing::ReadCorpusProblem;

// A deadline that only guards against a hang; no test depends on it passing.
Deadline Safety() { return Deadline::After(60); }

// Limits small enough that every search below ends by itself.
LoopLimits Finite(std::size_t maxLength) {
  LoopLimits limits;
  limits.maxLength = maxLength;
  return limits;
}

::testing::AssertionResult Checked(const Problem& problem, const std::optional<Loop>& loop) {
  if (!loop) return ::testing::AssertionFailure() << "no loop";
  std::string why;
  if (!CheckLoop(problem, *loop, why)) return ::testing::AssertionFailure() << why;
  return ::testing::AssertionSuccess();
}

TEST(FindLoop, LeftSideInsideRightSideIsALoopOfOneStep) {
  const Problem p = ProblemOf({"a b -> b a", "b c -> a b c a"});
  const auto loop = FindLoop(p, Safety());
  ASSERT_TRUE(Checked(p, loop));
  EXPECT_EQ(loop->start, p.rules[1].lhs);
  ASSERT_EQ(loop->steps.size(), 1u);
  EXPECT_EQ(loop->steps[0].rule, 1u);
}

TEST(FindLoop, EmptyLeftSideLoopsFromTheEmptyString) {
  const Problem p = ProblemOf({"-> a", "a b -> "});
  const auto loop = FindLoop(p, Safety());
  ASSERT_TRUE(Checked(p, loop));
  EXPECT_TRUE(loop->start.empty());
}

TEST(FindLoop, ShortestLoopNeedsTenLetters) {
  // c crosses blocks of nine a's to the right; "a c d" turns it into e, which walks back to
  // f and becomes c again. No rule changes the number of a's, so every loop needs the nine
  // a's with c: a start string of at least ten letters (f c a^9 d is one).
  const Problem p = ProblemOf(
      {"c a a a a a a a a a -> a a a a a a a a a c", "a c d -> e a d", "a e -> e a", "f e -> f c"});
  const auto loop = FindLoop(p, Safety(), Finite(64));
  ASSERT_TRUE(Checked(p, loop));
  EXPECT_GE(loop->start.size(), 10u);
}

TEST(FindLoop, LongLoopsOfOneRuleSystems) {
  SELKO_ENGINE_NEED_CORPUS();
  // Corpus problems whose loops start from 10 to 21 letters and end far longer.
  for (const char* name : {"std-0396", "std-0397", "std-0379"}) {
    SCOPED_TRACE(name);
    const Problem p = ReadCorpusProblem(name);
    const auto loop = FindLoop(p, Safety());
    ASSERT_TRUE(Checked(p, loop));
    EXPECT_GE(loop->start.size(), 10u);
  }
}

TEST(FindLoop, CorpusProblemsWithLoops) {
  SELKO_ENGINE_NEED_CORPUS();
  // Plain and relative, forward and backward, one to forty-three rules.
  for (const char* name : {"std-0003", "std-0326", "std-0353", "std-0814", "std-0796", "rel-0098",
                           "rel-0143", "rel-0160"}) {
    SCOPED_TRACE(name);
    const Problem p = ReadCorpusProblem(name);
    EXPECT_TRUE(Checked(p, FindLoop(p, Safety())));
  }
}

TEST(FindLoop, RelativeLoopThroughAWeakRule) {
  // a b -> b a alone terminates; with b ->= a b, a b -> b a -> a b a loops.
  const Problem strictOnly = ProblemOf({"a b -> b a"});
  EXPECT_FALSE(FindLoop(strictOnly, Safety(), Finite(10)));
  const Problem p = ProblemOf({"a b -> b a", "b ->= a b"});
  const auto loop = FindLoop(p, Safety(), Finite(10));
  ASSERT_TRUE(Checked(p, loop));
  bool weak = false;
  for (const RewriteStep& s : loop->steps)
    weak = weak || !p.rules[s.rule].strict;
  EXPECT_TRUE(weak);
}

TEST(FindLoop, CyclesOfWeakRulesAloneDoNotCount) {
  for (const auto& rules :
       std::vector<std::vector<std::string>>{{"a -> b", "c ->= c c"},
                                             {"a b ->= b a", "b a ->= a b", "c -> "},
                                             {"a ->= a", "b a -> a"}}) {
    const Problem p = ProblemOf(rules);
    EXPECT_FALSE(FindLoop(p, Safety(), Finite(7))) << p.RuleText(p.rules[1]);
  }
  // The strict step may come first: from the empty string, -> a, then a ->= back to it.
  const Problem p = ProblemOf({"-> a", "a ->= "});
  EXPECT_TRUE(Checked(p, FindLoop(p, Safety(), Finite(10))));
}

TEST(FindLoop, NoLoopForTerminatingSystems) {
  for (const auto& rules : std::vector<std::vector<std::string>>{
           {"a b -> b a"}, {"a a -> a b a"}, {"b a -> a a b"}, {"a b -> b b a", "b -> "}}) {
    const Problem p = ProblemOf(rules);
    EXPECT_FALSE(FindLoop(p, Safety(), Finite(10))) << p.RuleText(p.rules[0]);
  }
}

TEST(FindLoop, HugeProblemsEndAtTheDeadline) {
  // Thousands of rules over few letters, and sides far beyond the length limit.
  Problem p = ProblemOf({"a b -> b a"});
  std::uint32_t seed = 7;
  auto next = [&seed](std::uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  for (int i = 0; i < 5000; ++i) {
    Rule r;
    for (std::uint32_t k = 0, n = 2 + next(30); k < n; ++k)
      r.lhs.push_back(next(2));
    for (std::uint32_t k = 0, n = 2 + next(30); k < n; ++k)
      r.rhs.push_back(next(2));
    r.strict = next(4) != 0;
    p.rules.push_back(r);
  }
  p.rules.push_back({String(100000, 0), String(100000, 1), true});
  const auto loop = FindLoop(p, Deadline::After(0.5));
  if (loop) {
    EXPECT_TRUE(Checked(p, loop));
  }
}

TEST(FindLoop, NothingForPairProblemsOrWithoutStrictRules) {
  Problem pairs = ProblemOf({"a -> a a"});
  pairs.pairProblem = true;
  EXPECT_FALSE(FindLoop(pairs, Safety()));
  EXPECT_FALSE(FindLoop(ProblemOf({"a ->= a a"}), Safety()));
  EXPECT_FALSE(FindLoop(Problem{}, Safety()));
}

TEST(FindLoop, StopsWhenTheDeadlineHasPassed) {
  SELKO_ENGINE_NEED_CORPUS();
  std::atomic<bool> stop{true};
  const Problem p = ReadCorpusProblem("std-0320"); // no loop known
  EXPECT_FALSE(FindLoop(p, Deadline().WithStop(&stop)));
}

TEST(LoopSearch, GoesOnWhereTheLastSliceStopped) {
  SELKO_ENGINE_NEED_CORPUS();
  // Slices too short to find anything, ending anywhere (even inside a closure's unfolding),
  // then one long enough: the loop is the one a single run finds, since where the slices end
  // changes nothing in the order of the search.
  const Problem p = ReadCorpusProblem("std-0462");
  LoopSearch search(p);
  std::optional<Loop> loop;
  for (int i = 0; i < 20 && !loop; ++i)
    loop = search.Run(Deadline::After(0.0002));
  if (!loop) loop = search.Run(Safety());
  ASSERT_TRUE(Checked(p, loop));
  const auto once = FindLoop(p, Safety());
  ASSERT_TRUE(once);
  EXPECT_EQ(loop->start, once->start);
  EXPECT_EQ(loop->steps.size(), once->steps.size());
  // Without a loop within the limits it finishes, and stays finished.
  LoopSearch none(ProblemOf({"a b -> b a"}), Finite(8));
  EXPECT_FALSE(none.Run(Safety()));
  EXPECT_TRUE(none.Finished());
  EXPECT_FALSE(none.Run(Safety()));
}

TEST(LoopSearch, ABudgetOfClosuresEndsARunWhereverItStands) {
  // The ten-letter loop above needs many closures: budgets of a few closures each find nothing,
  // and the search, going on from where they stopped, then finds the loop a single run finds.
  const Problem p = ProblemOf(
      {"c a a a a a a a a a -> a a a a a a a a a c", "a c d -> e a d", "a e -> e a", "f e -> f c"});
  LoopSearch search(p, Finite(64));
  EXPECT_FALSE(search.Run(Safety(), 0));
  EXPECT_FALSE(search.Run(Safety(), 1));
  EXPECT_FALSE(search.Run(Safety(), 3));
  const std::optional<Loop> loop = search.Run(Safety());
  ASSERT_TRUE(Checked(p, loop));
  const std::optional<Loop> once = FindLoop(p, Safety(), Finite(64));
  ASSERT_TRUE(once);
  EXPECT_EQ(loop->start, once->start);
}

TEST(ReversedLoop, MirrorsLoopsBothWays) {
  SELKO_ENGINE_NEED_CORPUS();
  // A loop of a problem, mirrored, is a loop of the reversed problem, and mirrored again it is
  // the same loop: positions move with the lengths that change from step to step.
  for (const char* name : {"std-0397", "std-0356", "std-0552", "rel-0098"}) {
    SCOPED_TRACE(name);
    const Problem p = ReadCorpusProblem(name);
    const auto loop = FindLoop(p, Safety());
    ASSERT_TRUE(Checked(p, loop));
    const Problem reversed = p.Reversed();
    const Loop mirrored = loops::ReversedLoop(reversed, *loop);
    EXPECT_TRUE(Checked(reversed, mirrored));
    const Loop back = loops::ReversedLoop(p, mirrored);
    EXPECT_EQ(back.start, loop->start);
    ASSERT_EQ(back.steps.size(), loop->steps.size());
    for (std::size_t i = 0; i < back.steps.size(); ++i) {
      EXPECT_EQ(back.steps[i].rule, loop->steps[i].rule);
      EXPECT_EQ(back.steps[i].position, loop->steps[i].position);
    }
  }
}

} // namespace
} // namespace selko::engine
