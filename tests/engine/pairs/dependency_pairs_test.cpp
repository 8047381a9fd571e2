// Dependency pairs and the dependency graph: written out in full, and checked.
#include <gtest/gtest.h>

#include "engine/check/check_step.hpp"
#include "engine/pairs/dependency_pairs.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::Rules;

std::vector<std::string> PairTexts(const Problem& p) {
  std::vector<std::string> texts;
  for (const Rule& r : p.pairs)
    texts.push_back(p.RuleText(r));
  return texts;
}

TEST(DependencyPairs, EverySuffixOfARightSideThatStartsWithADefinedLetter) {
  const Problem p = Rules({"ab->bab", "ba->", "c->aac"});
  std::optional<Step> step = DependencyPairStep(p);
  ASSERT_TRUE(step);
  const Problem& q = step->remaining.at(0);
  EXPECT_EQ(q.names, (std::vector<std::string>{"a", "b", "c", "a#", "b#", "c#"}));
  EXPECT_EQ(PairTexts(q), (std::vector<std::string>{"a# b -> b# a b", "a# b -> a# b", "a# b -> b#",
                                                    "c# -> a# a c", "c# -> a# c", "c# -> c#"}));
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;
  EXPECT_EQ(step->details.front(), "The dependency pairs:");
}

TEST(DependencyPairs, AMarkedNameThatIsTakenGetsMoreMarks) {
  Problem p = Rules({"ab->ba"});
  p.names[1] = "a#"; // the letter b is now named a#
  std::optional<Step> step = DependencyPairStep(p);
  ASSERT_TRUE(step);
  const Problem& q = step->remaining.at(0);
  EXPECT_EQ(q.names, (std::vector<std::string>{"a", "a#", "a##"}));
  EXPECT_EQ(PairTexts(q), (std::vector<std::string>{"a## a# -> a##"}));
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;

  // Both a and a# defined: a's mark takes a##, so a#'s becomes a###.
  Problem both = Rules({"ab->ba", "ba->a"});
  both.names[1] = "a#";
  std::optional<Step> marked = DependencyPairStep(both);
  ASSERT_TRUE(marked);
  EXPECT_EQ(marked->remaining.at(0).names, (std::vector<std::string>{"a", "a#", "a##", "a###"}));
  EXPECT_TRUE(CheckStep(both, *marked, why)) << why;
  Step swapped = *marked;
  std::swap(swapped.remaining[0].names[2], swapped.remaining[0].names[3]);
  EXPECT_FALSE(CheckStep(both, swapped, why));
  EXPECT_EQ(why, "the marked letters are not named by the rule");
}

TEST(DependencyPairs, RefusedForRelativeProblemsAndCheckedAgainstTampering) {
  EXPECT_FALSE(DependencyPairStep(Rules({"ab->ba", "a->=aa"})));
  const Problem p = Rules({"ab->bab"});
  std::optional<Step> step = DependencyPairStep(p);
  ASSERT_TRUE(step);
  std::string why;
  Step missing = *step;
  missing.remaining[0].pairs.pop_back();
  EXPECT_FALSE(CheckStep(p, missing, why));
  EXPECT_EQ(why, "the pairs are not the dependency pairs");
  Step renamed = *step;
  renamed.remaining[0].names.back() = "x#";
  EXPECT_FALSE(CheckStep(p, renamed, why));
}

TEST(DependencyGraph, TwoCyclesAndAPairOnNoCycle) {
  // Pairs: a# -> b# (on no cycle), b# -> b# (a cycle), c# d -> d# and d# -> c# (a second one).
  Problem p;
  p.pairProblem = true;
  p.names = {"a", "b", "c", "d", "a#", "b#", "c#", "d#"};
  p.marked = {0, 0, 0, 0, 1, 1, 1, 1};
  p.rules = Rules({"ab->bb", "cd->dc"}).rules; // letters a b c d numbered alike
  auto pair = [](String l, String r) { return Rule{std::move(l), std::move(r), true}; };
  p.pairs = {pair({4}, {5}), pair({5, 1}, {5}), pair({6, 3}, {7}), pair({7}, {6, 2})};
  std::optional<Step> step = GraphSplitStep(p);
  ASSERT_TRUE(step);
  EXPECT_EQ(step->summary, "dependency graph: 2 components, 1 pair on no cycle");
  ASSERT_EQ(step->remaining.size(), 2u);
  EXPECT_EQ(PairTexts(step->remaining[0]), (std::vector<std::string>{"b# b -> b#"}));
  EXPECT_EQ(PairTexts(step->remaining[1]), (std::vector<std::string>{"c# d -> d#", "d# -> c# c"}));
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;

  // Merging the two components, losing one, or keeping the acyclic pair is refused.
  Step merged = *step;
  merged.remaining[0].pairs.push_back(merged.remaining[1].pairs[0]);
  merged.remaining[0].pairs.push_back(merged.remaining[1].pairs[1]);
  merged.remaining.pop_back();
  EXPECT_FALSE(CheckStep(p, merged, why));
  EXPECT_EQ(why, "component 1 is not strongly connected");
  Step lost = *step;
  lost.remaining.pop_back();
  EXPECT_FALSE(CheckStep(p, lost, why));
  Step split = *step;
  split.remaining[1].pairs.pop_back();
  split.remaining.push_back(split.remaining[1]);
  split.remaining[2].pairs = {p.pairs[3]};
  EXPECT_FALSE(CheckStep(p, split, why));
  Step acyclic = *step;
  acyclic.remaining[0].pairs.push_back(p.pairs[0]);
  EXPECT_FALSE(CheckStep(p, acyclic, why));

  // One cycle holding every pair gives no split; no cycle at all proves the problem.
  Problem one = p;
  one.pairs = {p.pairs[2], p.pairs[3]};
  EXPECT_FALSE(GraphSplitStep(one));
  Problem none = p;
  none.pairs = {p.pairs[0]};
  std::optional<Step> empty = GraphSplitStep(none);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->remaining.empty());
  EXPECT_TRUE(CheckStep(none, *empty, why)) << why;
}

} // namespace
} // namespace selko::engine
