// Sparse tiling: the tiles and labelled rules of small systems written out in full, every tiling
// of small corpus systems passing the independent check, and a system that the labelled problem
// of its tiling proves.
#include <gtest/gtest.h>

#include <set>

#include "engine/bounds/find_match_bound.hpp"
#include "engine/check/check_step.hpp"
#include "engine/engine.hpp"
#include "engine/engine_testing.hpp"
#include "engine/tiling/sparse_tiling.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;

Step Tiled(const Problem& p, int width) {
  std::optional<Step> step = TilingStep(p, width, Deadline());
  EXPECT_TRUE(step.has_value());
  if (!step) return Step{};
  std::string why;
  EXPECT_TRUE(CheckStep(p, *step, why)) << why;
  return *step;
}

// The step's details: the tiles of width 2 on one line, then the labelled rules.
std::vector<std::string> Details(const std::string& tiles, const std::vector<std::string>& rules) {
  std::vector<std::string> lines = {
      "Tiles of width 2 (^ the left border, $ the right border) of the strings reachable from "
      "the right sides of forward closures, erasing rules l -> (empty) read as l a -> a for "
      "every letter a:",
      "  " + tiles,
      "Every letter is labelled by the tile that ends with it (x[u] is x after u); a string "
      "ends with $. The labelled rules, one for every context in which a rule applies:"};
  for (const std::string& r : rules)
    lines.push_back("  " + r);
  return lines;
}

TEST(SparseTiling, ASwapReachesNoRedexFromItsClosures) {
  // a b -> b a: the right sides of forward closures are b^n a, so a never stands before b and
  // the labelled problem has no rule.
  const Step step = Tiled(ProblemOf({"a b -> b a"}), 2);
  EXPECT_EQ(step.summary, "sparse tiling of width 2: 4 tiles, a labelled system of 0 rules");
  EXPECT_EQ(step.details, Details("[a $] [b a] [b b] [^ b]", {}));
  ASSERT_EQ(step.remaining.size(), 1u);
  EXPECT_TRUE(step.remaining[0].rules.empty());
  EXPECT_TRUE(step.remaining[0].labelled);
}

TEST(SparseTiling, EveryContextOfARuleGivesALabelledRule) {
  // a b -> b a a, width 2. The right side gives ^b ba aa a$; the extensions of b a and of a a by
  // the prefix a of a b give b b a a and a b a a: bb and ab. Then a b stands after a or b and
  // before a or b (never at either end), and each of the four contexts gives a rule.
  const Step step = Tiled(ProblemOf({"a b -> b a a"}), 2);
  EXPECT_EQ(step.summary, "sparse tiling of width 2: 6 tiles, a labelled system of 4 rules");
  EXPECT_EQ(
      step.details,
      Details("[a a] [a b] [a $] [b a] [b b] [^ b]",
              {"a[a] b[a] a[b] -> b[a] a[b] a[a] a[a]", "a[a] b[a] b[b] -> b[a] a[b] a[a] b[a]",
               "a[b] b[a] a[b] -> b[b] a[b] a[a] a[a]", "a[b] b[a] b[b] -> b[b] a[b] a[a] b[a]"}));

  // a a -> a b a: the extension of a b a by the prefix a of a a gives a b a b a, and so on:
  // the strings (a b)^n a never hold a a.
  EXPECT_TRUE(Tiled(ProblemOf({"a a -> a b a"}), 2).remaining[0].rules.empty());

  // At the right end the labelled rule ends with the end marker on both sides; a letter named
  // like a labelled one does not clash with it.
  const Step atEnd = Tiled(ProblemOf({"a[a] a -> a b", "b -> a[a]"}), 2);
  const Problem& labelled = atEnd.remaining[0];
  bool endRule = false;
  for (const Rule& r : labelled.rules) {
    const bool lhsEnd = labelled.names[r.lhs.back()] == "$";
    EXPECT_EQ(lhsEnd, labelled.names[r.rhs.back()] == "$") << labelled.RuleText(r);
    endRule = endRule || lhsEnd;
  }
  EXPECT_TRUE(endRule);
  std::set<std::string> names(labelled.names.begin(), labelled.names.end());
  EXPECT_EQ(names.size(), labelled.names.size());
}

TEST(SparseTiling, AnErasingRuleIsReadWithTheLetterAfterIt) {
  const Step step = Tiled(ProblemOf({"a a -> ", "b -> a b"}), 3);
  for (const Rule& r : step.remaining[0].rules)
    EXPECT_FALSE(r.rhs.empty()) << step.remaining[0].RuleText(r);
}

TEST(SparseTiling, LimitsAndProblemsItDoesNotTake) {
  EXPECT_FALSE(TilingStep(ProblemOf({"a b -> b a", "c ->= c"}), 2, Deadline()));
  EXPECT_FALSE(TilingStep(ProblemOf({"a b -> b a"}), 1, Deadline()));
  EXPECT_FALSE(TilingStep(ProblemOf({"a b -> b a"}), kMaxTileWidth + 1, Deadline()));
  Problem tiled = ProblemOf({"a b -> b a"});
  tiled.labelled = true;
  EXPECT_FALSE(TilingStep(tiled, 2, Deadline()));
  TilingLimits few;
  few.maxTiles = 3;
  EXPECT_FALSE(TilingStep(ProblemOf({"a b -> b b a a"}), 3, Deadline(), few));
}

TEST(SparseTiling, EveryTilingOfSmallCorpusSystemsPassesTheCheck) {
  SELKO_ENGINE_NEED_CORPUS();
  // Technique and checker are written apart: they must agree on every system.
  int checked = 0;
  for (const auto& [name, entry] : testing::ReadCorpusIndex()) {
    if (entry.category != "standard" || entry.weak) continue;
    if (entry.rules > 4 || entry.symbols > 3) continue;
    if (checked >= 60) break;
    const Problem p = testing::ReadCorpusProblem(name);
    for (int width : {2, 3}) {
      TilingLimits limits;
      limits.maxRules = 2000;
      const std::optional<Step> step = TilingStep(p, width, Deadline::After(5), limits);
      if (!step) continue;
      std::string why;
      EXPECT_TRUE(CheckStep(p, *step, why)) << name << " width " << width << ": " << why;
      ++checked;
    }
  }
  EXPECT_GE(checked, 40);
}

TEST(SparseTiling, ASystemProvedThroughItsTiling) {
  SELKO_ENGINE_NEED_CORPUS();
  // std-0818: a a b b -> b b b a a a, a c -> c a, b c -> c b. Neither the system nor its
  // reversal has a match bound within the automata tried, nor did the engine find a proof in
  // 10 s without tiling; the labelled system of its reversal's tiling of width 3 is
  // match-bounded.
  const Problem p = testing::ReadCorpusProblem("std-0818").Reversed();
  BoundLimits limits;
  limits.maxTransitions = 20000;
  limits.maxStates = 10000;
  EXPECT_FALSE(FindMatchBound(p, Deadline(), limits));
  const Step step = Tiled(p, 3);
  ASSERT_EQ(step.remaining.size(), 1u);
  const std::optional<MatchBound> bound = FindMatchBound(step.remaining[0], Deadline(), limits);
  ASSERT_TRUE(bound.has_value());
  Step last;
  last.certificate = *bound;
  std::string why;
  EXPECT_TRUE(CheckStep(step.remaining[0], last, why)) << why;
}

} // namespace
} // namespace selko::engine
