#include "engine/interpretations/matrix_search.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/check/check_step.hpp"
#include "engine/corpus_testing.hpp"
#include "engine/engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::Rules;

constexpr std::int64_t kBudget = 20000;

MatrixShape Natural(int d, int bits, Compared compared = Compared::TopRight) {
  return {Domain::Natural, compared, d, bits};
}
MatrixShape Arctic(int d, int bits) { return {Domain::Arctic, Compared::TopRight, d, bits}; }

// Every small shape of both domains.
std::vector<MatrixShape> SmallShapes() {
  std::vector<MatrixShape> shapes;
  for (int d = 1; d <= 3; ++d) {
    for (int bits = 1; bits <= 2; ++bits) {
      shapes.push_back(Natural(d, bits, Compared::TopRight));
      shapes.push_back(Natural(d, bits, Compared::TopLeft));
      shapes.push_back(Arctic(d, bits));
    }
  }
  return shapes;
}

// The removal as the checker sees it: the step from `problem` to the problem without the
// removed rules and pairs.
void ExpectChecked(const Problem& problem, const RuleRemoval& removal) {
  std::string why;
  const Problem rest = problem.Without(removal.removedRules, removal.removedPairs);
  EXPECT_TRUE(CheckRuleRemoval(problem, removal, {rest}, why)) << why;
  EXPECT_FALSE(removal.removedRules.empty() && removal.removedPairs.empty());
}

// Removes rules by the shapes, in order, until none is strict; false when no shape removes
// anything more. Every step goes through the checker.
bool RemoveAll(Problem problem, const std::vector<MatrixShape>& shapes) {
  while (!problem.IsFinished()) {
    bool removed = false;
    for (const MatrixShape& shape : shapes) {
      const auto removal = FindMatrixRemoval(problem, shape, kBudget, Deadline());
      if (!removal) continue;
      ExpectChecked(problem, *removal);
      problem = problem.Without(removal->removedRules, removal->removedPairs);
      removed = true;
      break;
    }
    if (!removed) return false;
  }
  return true;
}

TEST(MatrixSearch, SwapNeedsTwoDimensionsAndTheTopRightEntry) {
  const Problem swap = Rules({"ab->ba"});
  EXPECT_FALSE(FindMatrixRemoval(swap, Natural(1, 3), -1, Deadline()));
  const auto removal = FindMatrixRemoval(swap, Natural(2, 2), -1, Deadline());
  ASSERT_TRUE(removal);
  ExpectChecked(swap, *removal);
  EXPECT_EQ(removal->removedRules, std::vector<std::size_t>{0});
  // [1][1] of ab and ba differ by a12 b21 - b12 a21, [2][2] by the opposite: never strict.
  EXPECT_FALSE(FindMatrixRemoval(swap, Natural(2, 2, Compared::TopLeft), -1, Deadline()));
  EXPECT_FALSE(FindMatrixRemoval(swap, Arctic(2, 2), -1, Deadline()));
}

TEST(MatrixSearch, NoShapeEverRemovesALoopingRule) {
  // a b -> b a b loops (a b occurs again in b a b): removing its rule would be unsound.
  for (const Problem& p : {Rules({"ab->bab"}), Rules({"ab->bab"}).Reversed(),
                           Rules({"ab->bab", "c->=cc"}), Rules({"ab->bab", "cc->c"})}) {
    for (const MatrixShape& shape : SmallShapes()) {
      const auto removal = FindMatrixRemoval(p, shape, kBudget, Deadline());
      if (!removal) continue;
      // Only another rule may go.
      ExpectChecked(p, *removal);
      for (std::size_t r : removal->removedRules)
        EXPECT_NE(p.rules[r].lhs, testing::Letters(p, "ab"));
    }
  }
}

TEST(MatrixSearch, EveryStrictlyDecreasingRuleIsListed) {
  // a >= 1 in one dimension: both rules are strict as soon as one is.
  const Problem p = Rules({"aa->a", "aaa->a", "a->a"});
  const auto removal = FindMatrixRemoval(p, Natural(1, 2), -1, Deadline());
  ASSERT_TRUE(removal);
  ExpectChecked(p, *removal);
  EXPECT_EQ(removal->removedRules, (std::vector<std::size_t>{0, 1}));
  // An unused letter gets the identity.
  Problem q = p;
  q.names.push_back("z");
  const auto withUnused = FindMatrixRemoval(q, Natural(2, 2), -1, Deadline());
  ASSERT_TRUE(withUnused);
  ExpectChecked(q, *withUnused);
  EXPECT_EQ(withUnused->interpretation.letters.back().entries,
            (std::vector<std::int64_t>{1, 0, 0, 1}));
}

TEST(MatrixSearch, CorpusProblemsThatNeedTwoDimensions) {
  SELKO_ENGINE_NEED_CORPUS();
  // a b -> b b a, c b -> b c c: exponential growth, beyond any weight.
  const Problem growth = testing::ReadCorpusProblem("std-0757");
  for (const MatrixShape& shape : {Natural(1, 3), Natural(1, 3, Compared::TopLeft), Arctic(1, 3)})
    EXPECT_FALSE(FindMatrixRemoval(growth, shape, -1, Deadline()));
  EXPECT_TRUE(RemoveAll(growth, {Natural(2, 2)}));
  // b b b -> a b, a a -> a b a, a a a -> a b b: arctic and [1][1]-compared matrices together.
  EXPECT_TRUE(
      RemoveAll(testing::ReadCorpusProblem("std-0001"),
                {Natural(1, 2), Arctic(2, 2), Natural(2, 2, Compared::TopLeft), Natural(2, 2)}));
}

TEST(MatrixSearch, RelativeProblemsLoseStrictAndWeakRules) {
  // a -> b with b ->= b b and c c ->= c: a weight removes a -> b, and c c ->= c may go too.
  const Problem p = Rules({"a->b", "b->=bb", "cc->=c"});
  bool weakRemoved = false;
  Problem rest = p;
  while (rest.HasStrictRule()) {
    const auto removal = FindMatrixRemoval(rest, Natural(1, 2), -1, Deadline());
    ASSERT_TRUE(removal);
    ExpectChecked(rest, *removal);
    for (std::size_t r : removal->removedRules)
      weakRemoved = weakRemoved || !rest.rules[r].strict;
    rest = rest.Without(removal->removedRules, {});
  }
  // b ->= b b stays whatever happens: b's weight is 1.
  EXPECT_EQ(rest.rules.size(), weakRemoved ? 1u : 2u);
  // The swap relative to weak rules that a two-dimensional interpretation keeps weak.
  EXPECT_TRUE(RemoveAll(Rules({"ab->ba", "ca->=ac", "c->=cc"}), {Natural(2, 2)}));
}

// The pair problem of a a -> b a, a a b -> a b a a, restricted to one component of its graph:
// its rules grow too fast for natural matrices of small dimension, while arctic ones remove
// pairs.
Problem ArcticOnlyPairProblem() {
  Problem p = Rules({"aa->ba", "aab->abaa"});
  const Letter aMarked = AddFreshName(p.names, "a#");
  p.marked.assign(p.names.size(), 0);
  p.marked[aMarked] = 1;
  p.pairProblem = true;
  const Letter a = 0, b = 1;
  p.pairs = {{{aMarked, a}, {aMarked}, true},
             {{aMarked, a, b}, {aMarked, b, a, a}, true},
             {{aMarked, a, b}, {aMarked, a}, true},
             {{aMarked, a, b}, {aMarked}, true}};
  return p;
}

TEST(MatrixSearch, PairProblemsLosePairsOnlyAndArcticSolvesWhereNaturalFails) {
  const Problem p = ArcticOnlyPairProblem();
  for (int d = 1; d <= 2; ++d) {
    for (const Compared c : {Compared::TopRight, Compared::TopLeft})
      EXPECT_FALSE(FindMatrixRemoval(p, Natural(d, 2, c), kBudget, Deadline()));
  }
  const auto removal = FindMatrixRemoval(p, Arctic(2, 2), -1, Deadline());
  ASSERT_TRUE(removal);
  ExpectChecked(p, *removal);
  EXPECT_TRUE(removal->removedRules.empty());
  EXPECT_FALSE(removal->removedPairs.empty());
  for (std::size_t k = 0; k < p.LetterCount(); ++k)
    EXPECT_EQ(removal->interpretation.letters[k].rows, p.IsMarked(static_cast<Letter>(k)) ? 1 : 2);
  // A natural step on a pair problem is checked the same way.
  const Problem simple = [] {
    Problem q = Rules({"ab->ba"});
    const Letter m = AddFreshName(q.names, "a#");
    q.marked.assign(q.names.size(), 0);
    q.marked[m] = 1;
    q.pairProblem = true;
    q.pairs = {{{m, 0, 0}, {m, 0}, true}, {{m, 1}, {m, 1}, true}};
    return q;
  }();
  const auto natural = FindMatrixRemoval(simple, Natural(1, 2), -1, Deadline());
  ASSERT_TRUE(natural);
  ExpectChecked(simple, *natural);
  EXPECT_EQ(natural->removedPairs, std::vector<std::size_t>{0});
}

TEST(MatrixSearch, ContinuedInSmallBudgetsItEndsAsOneSearchWould) {
  SELKO_ENGINE_NEED_CORPUS();
  // Satisfiable: one conflict at a time until the removal comes.
  const Problem growth = testing::ReadCorpusProblem("std-0757");
  MatrixSearch found(growth, Natural(2, 2), Deadline());
  std::optional<RuleRemoval> removal;
  for (int round = 0; round < 100000 && !removal && !found.Exhausted(); ++round)
    removal = found.Run(1, Deadline());
  ASSERT_TRUE(removal);
  ExpectChecked(growth, *removal);
  // Unsatisfiable: exhausted at last, and never a removal on the way.
  MatrixSearch none(Rules({"ab->ba"}), Natural(2, 2, Compared::TopLeft), Deadline());
  for (int round = 0; round < 100000 && !none.Exhausted(); ++round)
    EXPECT_FALSE(none.Run(1, Deadline()));
  EXPECT_TRUE(none.Exhausted());
  // Nothing to encode: exhausted from the start.
  EXPECT_TRUE(MatrixSearch(Rules({"ab->ba"}), Natural(0, 2), Deadline()).Exhausted());
}

TEST(MatrixSearch, RefusesWhatItCannotEncodeAndStopsOnTime) {
  const Problem swap = Rules({"ab->ba"});
  EXPECT_FALSE(FindMatrixRemoval(swap, Natural(0, 2), -1, Deadline()));
  EXPECT_FALSE(FindMatrixRemoval(swap, Natural(2, 0), -1, Deadline()));
  EXPECT_FALSE(FindMatrixRemoval(swap, Natural(kMaxMatrixDimension + 1, 2), -1, Deadline()));
  EXPECT_FALSE(FindMatrixRemoval(swap, Natural(2, kMaxMatrixBits + 1), -1, Deadline()));
  EXPECT_FALSE(FindMatrixRemoval(swap, Natural(2, 2), -1, Deadline::After(1e-9)));
  Problem broken = swap;
  broken.rules[0].rhs.push_back(7); // a letter without a name
  EXPECT_FALSE(FindMatrixRemoval(broken, Natural(2, 2), -1, Deadline()));
  // Nothing to remove: no rules, or a pair problem without pairs.
  EXPECT_FALSE(FindMatrixRemoval(Problem{}, Natural(1, 2), -1, Deadline()));
  Problem noPairs = swap;
  noPairs.pairProblem = true;
  EXPECT_FALSE(FindMatrixRemoval(noPairs, Natural(1, 2), -1, Deadline()));
  // A marked letter inside a rule is no pair problem this search understands.
  Problem misplaced = ArcticOnlyPairProblem();
  misplaced.rules[0].rhs.push_back(2);
  EXPECT_FALSE(FindMatrixRemoval(misplaced, Arctic(2, 2), -1, Deadline()));
}

} // namespace
} // namespace selko::engine
