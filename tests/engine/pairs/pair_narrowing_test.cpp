// Narrowing of pairs: the narrowings written out in full, the pairs that stay, and the checker
// refusing what is not a narrowing.
#include <gtest/gtest.h>

#include "engine/check/check_step.hpp"
#include "engine/pairs/pair_narrowing.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::PairTexts;
using testing::ProblemOf;

// A pair problem: the rules, then the pairs, letters named as written (marked: ending in '#').
Problem PairProblemOf(const std::vector<std::string>& rules,
                      const std::vector<std::string>& pairs) {
  std::vector<std::string> all = rules;
  all.insert(all.end(), pairs.begin(), pairs.end());
  Problem p = ProblemOf(all);
  p.pairs.assign(p.rules.begin() + static_cast<std::ptrdiff_t>(rules.size()), p.rules.end());
  p.rules.resize(rules.size());
  p.pairProblem = true;
  for (const std::string& name : p.names)
    p.marked.push_back(name.back() == '#' ? 1 : 0);
  return p;
}

// The component left of the reversal of {a ->, a a b -> a b b a, b b b -> a} once arctic
// interpretations have removed what they can.
Problem Component() {
  return PairProblemOf({"a ->", "b a a -> a b b a", "b b b -> a"},
                       {"b# a a -> b# b a", "b# a a -> b# a"});
}

TEST(PairNarrowing, APairNoneCanFollowIsReplacedByItsFirstRewrites) {
  const Problem p = Component();
  // The first pair's right side b# b a disagrees with every left side (b# a a): its rewrites
  // are b a a placed at the b, reaching past the end (the pair's left side takes the missing
  // a), and a -> (empty) at the a. The second pair's right side b# a agrees with b# a a.
  EXPECT_FALSE(MayFollowAsItStands(p, p.pairs[0].rhs));
  EXPECT_TRUE(MayFollowAsItStands(p, p.pairs[1].rhs));
  std::optional<Step> step = NarrowingStep(p);
  ASSERT_TRUE(step);
  EXPECT_EQ(step->summary, "narrowing: 1 pair replaced, 3 pairs left");
  const Problem& q = step->remaining.at(0);
  EXPECT_EQ(PairTexts(q), (std::vector<std::string>{"b# a a a -> b# a b b a", "b# a a -> b# b",
                                                    "b# a a -> b# a"}));
  EXPECT_EQ(q.rules, p.rules);
  EXPECT_EQ(step->details, (std::vector<std::string>{
                               "No pair can follow these pairs before a rule rewrites their right "
                               "side; each is replaced by what its first rewrite makes of it:",
                               "  b# a a -> b# b a: b# a a a -> b# a b b a, b# a a -> b# b"}));
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;

  // Narrowed again: both new pairs are replaced, and a narrowing already there is not doubled.
  std::optional<Step> again = NarrowingStep(q);
  ASSERT_TRUE(again);
  EXPECT_EQ(PairTexts(again->remaining.at(0)),
            (std::vector<std::string>{"b# a a a -> b# b b a", "b# a a a a -> b# a b a b b a",
                                      "b# a a a -> b# a b b", "b# a a a a -> b# a b b a",
                                      "b# a a b b -> b# a", "b# a a -> b# a"}));
  EXPECT_TRUE(CheckStep(q, *again, why)) << why;
}

TEST(PairNarrowing, APairWithoutNarrowingsGoesAndNothingIsNarrowedWhereAllMayFollow) {
  // c# b can never become c# a...: no left side fits behind c#.
  const Problem p = PairProblemOf({"a b -> b a"}, {"c# a -> c# b"});
  std::optional<Step> step = NarrowingStep(p);
  ASSERT_TRUE(step);
  EXPECT_TRUE(step->remaining.at(0).pairs.empty());
  EXPECT_EQ(step->details.back(), "  c# a -> c# b: gone");
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;

  EXPECT_FALSE(NarrowingStep(PairProblemOf({"a b -> b a"}, {"c# a b -> c# a"})));
  EXPECT_FALSE(NarrowingStep(ProblemOf({"a b -> b a"}))); // not a pair problem

  // Past the limit of narrowings of one pair, the pair stays as it is.
  NarrowingLimits few;
  few.maxPerPair = 1;
  EXPECT_FALSE(NarrowingStep(Component(), few));
  few = {};
  few.maxPairs = 2;
  EXPECT_FALSE(NarrowingStep(Component(), few));
}

TEST(PairNarrowing, TheCheckerRefusesWhatIsNoNarrowing) {
  const Problem p = Component();
  const Step good = *NarrowingStep(p);
  std::string why;

  Step missing = good;
  missing.remaining[0].pairs.erase(missing.remaining[0].pairs.begin() + 1);
  EXPECT_FALSE(CheckStep(p, missing, why));
  EXPECT_EQ(why, "the pairs left are not the narrowings and the pairs kept");

  Step extra = good; // a pair that is neither kept nor a narrowing
  extra.remaining[0].pairs.push_back(extra.remaining[0].pairs[0]);
  extra.remaining[0].pairs.back().rhs.pop_back();
  EXPECT_FALSE(CheckStep(p, extra, why));

  Step follows = good; // the second pair may follow as it stands: it cannot be replaced
  std::get<PairNarrowing>(follows.certificate).replaced = {0, 1};
  follows.remaining[0].pairs.pop_back();
  EXPECT_FALSE(CheckStep(p, follows, why));
  EXPECT_EQ(why, "pair 2 may be followed as it stands");

  Step outside = good;
  std::get<PairNarrowing>(outside.certificate).replaced = {7};
  EXPECT_FALSE(CheckStep(p, outside, why));
  EXPECT_EQ(why, "a replaced pair is not a pair of the problem");

  Step rules = good;
  rules.remaining[0].rules.pop_back();
  EXPECT_FALSE(CheckStep(p, rules, why));
  EXPECT_EQ(why, "the narrowed problem changes more than the pairs");

  EXPECT_FALSE(CheckStep(ProblemOf({"a b -> b a"}), good, why));
  EXPECT_EQ(why, "only pairs are narrowed");
}

} // namespace
} // namespace selko::engine
