// The match-bound construction: every automaton it finds goes through the independent check.
#include <gtest/gtest.h>

#include "engine/bounds/find_match_bound.hpp"
#include "engine/check/match_bound_check.hpp"
#include "engine/engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;

// The automaton found for `problem`, after the check has accepted it.
std::optional<MatchBound> CheckedBound(const Problem& problem, const BoundLimits& limits = {}) {
  std::optional<MatchBound> found = FindMatchBound(problem, Deadline(), limits);
  if (found) {
    std::string why;
    EXPECT_TRUE(CheckMatchBound(problem, *found, why)) << why;
  }
  return found;
}

TEST(FindMatchBound, ProvesSmallSystemsWithEitherReuse) {
  for (const StateReuse reuse : {StateReuse::LongestSuffix, StateReuse::WholeTail}) {
    BoundLimits limits;
    limits.reuse = reuse;
    const std::optional<MatchBound> swap = CheckedBound(ProblemOf({"a b -> b a"}), limits);
    ASSERT_TRUE(swap);
    EXPECT_EQ(swap->bound, 1u);
    EXPECT_TRUE(CheckedBound(ProblemOf({"a a b b -> b b b a a a"}), limits));
    EXPECT_TRUE(CheckedBound(ProblemOf({"a b c -> b c a", "c c -> a b"}), limits));
    // No left side is read in the start automaton: the start automaton itself, bound 0.
    const std::optional<MatchBound> none = CheckedBound(ProblemOf({"a a -> b"}), limits);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->bound, 0u);
  }
  // Nothing to prove: the end-marker loop alone.
  const std::optional<MatchBound> empty = CheckedBound(Problem{});
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->transitions.size(), 1u);
}

TEST(FindMatchBound, ExpandsErasingRules) {
  // a b -> (empty) becomes a b a -> a and a b b -> b.
  EXPECT_TRUE(CheckedBound(ProblemOf({"a b -> ", "b a -> a b"})));
  EXPECT_TRUE(CheckedBound(ProblemOf({"a -> ", "b -> "})));
}

TEST(FindMatchBound, ProvesSidesLongerThanNineteenLetters) {
  // a^12 b^12 -> b^12 a^12 (sides of 24 letters) and a rule that moves one a past 30 b.
  std::string lhs, rhs;
  for (int i = 0; i < 12; ++i)
    lhs += "a ";
  for (int i = 0; i < 12; ++i)
    lhs += "b ";
  for (int i = 0; i < 12; ++i)
    rhs += "b ";
  for (int i = 0; i < 12; ++i)
    rhs += "a ";
  const std::optional<MatchBound> blocks = CheckedBound(ProblemOf({lhs + "-> " + rhs}));
  ASSERT_TRUE(blocks);
  std::string bs;
  for (int i = 0; i < 30; ++i)
    bs += "b ";
  EXPECT_TRUE(CheckedBound(ProblemOf({"a " + bs + "-> " + bs + "a"})));
}

TEST(FindMatchBound, ProvesCorpusSystemsBeyondTheFixedLimits) {
  SELKO_ENGINE_NEED_CORPUS();
  // 99 rules with sides of 20 letters; automata of thousands of transitions, both ways.
  const Problem problem = testing::ReadCorpusProblem("std-0024");
  ASSERT_FALSE(problem.rules.empty());
  for (const Problem& p : {problem, problem.Reversed()}) {
    const std::optional<MatchBound> found = CheckedBound(p);
    ASSERT_TRUE(found);
    EXPECT_GT(found->transitions.size(), 800u);
  }
}

TEST(FindMatchBound, RefusesWhatTheMethodCannotProve) {
  const Deadline never;
  EXPECT_FALSE(FindMatchBound(ProblemOf({"-> a"}), never)); // empty left side
  EXPECT_FALSE(FindMatchBound(ProblemOf({"a b -> b a", "b ->= b b"}), never));
  Problem pairs = ProblemOf({"a b -> b a"});
  pairs.pairProblem = true;
  EXPECT_FALSE(FindMatchBound(pairs, never));
}

TEST(FindMatchBound, NonTerminatingSystemsReachALimit) {
  BoundLimits small;
  small.maxTransitions = 20000;
  small.maxStates = 20000;
  for (const auto& rules : std::vector<std::vector<std::string>>{
           {"a b -> b a b"}, {"a -> a a"}, {"a b -> b a", "b a -> a b"}, {"a -> b", "b -> a"}}) {
    EXPECT_FALSE(FindMatchBound(ProblemOf(rules), Deadline(), small)) << rules[0];
  }
}

TEST(MatchBoundSearch, GoesOnWhereTheLastRunStopped) {
  SELKO_ENGINE_NEED_CORPUS();
  // std-0024 needs thousands of transitions: runs of 100 more each pause many times, and the
  // automaton they end with passes the check as one run's does.
  const Problem problem = testing::ReadCorpusProblem("std-0024");
  const std::optional<MatchBound> once = FindMatchBound(problem, Deadline());
  ASSERT_TRUE(once);
  MatchBoundSearch search(problem);
  std::optional<MatchBound> found;
  int runs = 0;
  for (std::uint32_t limit = 100; !found && !search.Exhausted(); limit += 100, ++runs)
    found = search.Run(limit, limit, Deadline());
  ASSERT_TRUE(found);
  EXPECT_GT(runs, 5);
  EXPECT_TRUE(search.Exhausted()); // found once, nothing more to find
  std::string why;
  EXPECT_TRUE(CheckMatchBound(problem, *found, why)) << why;
  EXPECT_EQ(found->bound, once->bound);
  // A deadline pauses a run the same way.
  const Deadline passed = Deadline::After(1e-9);
  while (!passed.Passed()) {
  }
  MatchBoundSearch later(problem);
  EXPECT_FALSE(later.Run(1000000, 1000000, passed));
  EXPECT_FALSE(later.Exhausted());
  EXPECT_TRUE(later.Run(1000000, 1000000, Deadline()));
}

TEST(MatchBoundSearch, EndsWhenAHeightPassesTheBound) {
  BoundLimits limits;
  limits.maxBound = 3;
  MatchBoundSearch search(ProblemOf({"a b -> b a b"}), limits);
  EXPECT_FALSE(search.Exhausted());
  EXPECT_FALSE(search.Run(1000000, 1000000, Deadline()));
  EXPECT_TRUE(search.Exhausted());
  EXPECT_FALSE(search.Run(1000000, 1000000, Deadline()));
  // A method that does not fit the problem ends before it starts.
  EXPECT_TRUE(MatchBoundSearch(ProblemOf({"-> a"})).Exhausted());
}

TEST(FindMatchBound, StopsAtTheDeadline) {
  const Deadline passed = Deadline::After(1e-9);
  while (!passed.Passed()) {
  }
  EXPECT_FALSE(FindMatchBound(ProblemOf({"a b -> b a b"}), passed));
}

} // namespace
} // namespace selko::engine
