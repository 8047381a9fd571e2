// Dependency pairs and the dependency graph: written out in full, and checked.
#include <gtest/gtest.h>

#include "engine/check/check_step.hpp"
#include "engine/pairs/dependency_pairs.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::PairTexts;
using testing::Rules;

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

TEST(DependencyGraph, TheLettersBehindTheFrontDecideAnEdge) {
  // One rule, a b -> b a: only a starts a left side, and no rule makes a c.
  Problem p;
  p.pairProblem = true;
  p.names = {"a", "b", "c", "a#"};
  p.marked = {0, 0, 0, 1};
  p.rules = Rules({"ab->ba"}).rules;
  auto pair = [](String l, String r) { return Rule{std::move(l), std::move(r), true}; };
  // a# b -> a# c: no left side starts at the c, so a# c stays and a# b cannot come next.
  // a# b -> a# b a: follows itself, and the first pair follows it.
  p.pairs = {pair({3, 1}, {3, 2}), pair({3, 1}, {3, 1, 0})};
  std::optional<Step> step = GraphSplitStep(p);
  ASSERT_TRUE(step);
  EXPECT_EQ(step->summary, "dependency graph: 1 component, 1 pair on no cycle");
  ASSERT_EQ(step->remaining.size(), 1u);
  EXPECT_EQ(PairTexts(step->remaining[0]), (std::vector<std::string>{"a# b -> a# b a"}));
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;

  // The checker sees the same edges: the pair of no cycle kept in the component, or the pair
  // that follows itself dropped, is refused.
  Step kept = *step;
  kept.remaining[0].pairs.push_back(p.pairs[0]);
  EXPECT_FALSE(CheckStep(p, kept, why));
  EXPECT_EQ(why, "component 1 is not strongly connected");
  Step dropped = *step;
  dropped.remaining.clear();
  EXPECT_FALSE(CheckStep(p, dropped, why));
  EXPECT_EQ(why, "pair 2 is on a cycle but in no component");

  // Read backwards: a# c -> a# a could be followed by a pair starting a# a, but not by itself,
  // since no rule's right side starts with c (nothing makes the c of its left side).
  Problem back = p;
  back.pairs = {pair({3, 2}, {3, 0})};
  std::optional<Step> none = GraphSplitStep(back);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->summary, "dependency graph: 0 components, 1 pair on no cycle");
  EXPECT_TRUE(CheckStep(back, *none, why)) << why;
  // With a rule that makes a c, it follows itself: one component holding every pair.
  back.rules = Rules({"ab->ba", "a->c"}).rules;
  EXPECT_FALSE(GraphSplitStep(back));
}

TEST(DependencyGraph, ARewriteBehindAFrontCanOpenARedexInIt) {
  // x z -> b and y -> z: in a# x y no rule starts at the x, but once y is z one does, so
  // a# x y becomes a# b, and the pair a# b -> a# x y follows itself.
  Problem p;
  p.pairProblem = true;
  p.names = {"x", "z", "b", "y", "a#"};
  p.marked = {0, 0, 0, 0, 1};
  p.rules = Rules({"xz->b", "y->z"}).rules;
  p.pairs = {Rule{{4, 2}, {4, 0, 3}, true}};
  EXPECT_FALSE(GraphSplitStep(p));
  // Dropping it as a pair on no cycle is refused.
  Step dropped;
  dropped.technique = "dependency graph";
  dropped.certificate = GraphSplit{};
  std::string why;
  EXPECT_FALSE(CheckStep(p, dropped, why));
  EXPECT_EQ(why, "pair 1 is on a cycle but in no component");
  // Read backwards the same holds. With b -> x z and z -> y, a# b becomes a# x y: the front
  // a# x of the left side of a# x y -> a# b is made by a rule once the y is read back as z.
  Problem back;
  back.pairProblem = true;
  back.names = {"b", "x", "z", "y", "a#"};
  back.marked = {0, 0, 0, 0, 1};
  back.rules = Rules({"b->xz", "z->y"}).rules;
  back.pairs = {Rule{{4, 1, 3}, {4, 0}, true}};
  EXPECT_FALSE(GraphSplitStep(back));
  EXPECT_FALSE(CheckStep(back, dropped, why));
  EXPECT_EQ(why, "pair 1 is on a cycle but in no component");
}

} // namespace
} // namespace selko::engine
