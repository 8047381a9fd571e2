// The checker on hand-made certificates: sound ones pass, and every kind of wrong one is
// refused with a reason.
#include <gtest/gtest.h>

#include "engine/check/check_step.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::Rules;

Matrix M(int rows, int cols, std::vector<std::int64_t> entries) {
  return {rows, cols, std::move(entries)};
}

Step Removal(const Problem& p, MatrixInterpretation m, std::vector<std::size_t> rules,
             std::vector<std::size_t> pairs = {}) {
  Step s;
  s.technique = "matrix interpretation";
  RuleRemoval r{std::move(m), rules, pairs};
  s.remaining.push_back(p.Without(rules, pairs));
  s.certificate = std::move(r);
  return s;
}

MatrixInterpretation Natural(int d, Compared c, std::vector<Matrix> letters) {
  return {Domain::Natural, c, d, std::move(letters)};
}

// ab -> ba: a = (1 1; 0 1), b = (1 0; 0 2) gives ab = (1 2; 0 2) > ba = (1 1; 0 2) at [1][2].
TEST(CheckRuleRemoval, AcceptsASoundNaturalMatrixProofAndRefusesEachWrongPart) {
  const Problem p = Rules({"ab->ba"});
  const Matrix a = M(2, 2, {1, 1, 0, 1});
  const Matrix b = M(2, 2, {1, 0, 0, 2});
  std::string why;
  EXPECT_TRUE(CheckStep(p, Removal(p, Natural(2, Compared::TopRight, {a, b}), {0}), why)) << why;

  // The same matrices compared at [1][1] do not decrease strictly.
  EXPECT_FALSE(CheckStep(p, Removal(p, Natural(2, Compared::TopLeft, {a, b}), {0}), why));
  EXPECT_EQ(why, "rule 1 is removed but does not decrease strictly");
  // Swapped, the rule grows.
  EXPECT_FALSE(CheckStep(p, Removal(p, Natural(2, Compared::TopRight, {b, a}), {0}), why));
  EXPECT_EQ(why, "rule 1 does not decrease weakly");
  // A zero corner breaks monotonicity.
  EXPECT_FALSE(CheckStep(
      p, Removal(p, Natural(2, Compared::TopRight, {a, M(2, 2, {1, 0, 0, 0})}), {0}), why));
  EXPECT_EQ(why, "letter b has [d][d] < 1");
  EXPECT_FALSE(CheckStep(
      p, Removal(p, Natural(2, Compared::TopRight, {a, M(2, 2, {0, 0, 0, 2})}), {0}), why));
  EXPECT_EQ(why, "letter b has [1][1] < 1");
  // Negative entries, wrong sizes, a missing letter.
  EXPECT_FALSE(CheckStep(
      p, Removal(p, Natural(2, Compared::TopRight, {a, M(2, 2, {1, -1, 0, 2})}), {0}), why));
  EXPECT_FALSE(
      CheckStep(p, Removal(p, Natural(2, Compared::TopRight, {a, M(1, 2, {1, 0})}), {0}), why));
  EXPECT_FALSE(CheckStep(p, Removal(p, Natural(2, Compared::TopRight, {a}), {0}), why));
  // Nothing removed, or a remaining problem that still holds the rule.
  EXPECT_FALSE(CheckStep(p, Removal(p, Natural(2, Compared::TopRight, {a, b}), {}), why));
  EXPECT_EQ(why, "nothing is removed");
  Step kept = Removal(p, Natural(2, Compared::TopRight, {a, b}), {0});
  kept.remaining[0] = p;
  EXPECT_FALSE(CheckStep(p, kept, why));
  EXPECT_EQ(why, "the remaining problem is not the problem without the removed rules");
}

// a a -> a relative to b ->= b b: a = (1 0; 1 1), b = I gives aa = (1 0; 2 1) > a = (1 0; 1 1) at
// [2][1] only, which neither [1][1] nor [1][d] sees; any entry counts where every diagonal entry
// is at least 1.
TEST(CheckRuleRemoval, AnyEntryCountsWhereEveryDiagonalEntryIsAtLeastOne) {
  const Problem p = Rules({"aa->a", "b->=bb"});
  const Matrix a = M(2, 2, {1, 0, 1, 1});
  const Matrix id = M(2, 2, {1, 0, 0, 1});
  std::string why;
  EXPECT_TRUE(CheckStep(p, Removal(p, Natural(2, Compared::AnyEntry, {a, id}), {0}), why)) << why;
  EXPECT_FALSE(CheckStep(p, Removal(p, Natural(2, Compared::TopLeft, {a, id}), {0}), why));
  EXPECT_EQ(why, "rule 1 is removed but does not decrease strictly");
  EXPECT_FALSE(CheckStep(p, Removal(p, Natural(2, Compared::AnyEntry, {a, id}), {0, 1}), why));
  EXPECT_EQ(why, "rule 2 is removed but does not decrease strictly");
  // A zero on the diagonal: X A Y may lose the greater entry.
  EXPECT_FALSE(CheckStep(
      p, Removal(p, Natural(2, Compared::AnyEntry, {a, M(2, 2, {1, 0, 0, 0})}), {0}), why));
  EXPECT_EQ(why, "letter b has a diagonal entry < 1");
}

TEST(CheckRuleRemoval, RefusesValuesTooLargeToCompareExactly) {
  // A side of 200 letters 2^40 each overflows any fixed width: refused, never wrapped.
  Problem p = Rules({"a->b"});
  p.rules[0].lhs.assign(200, 0);
  const Matrix big = M(1, 1, {std::int64_t{1} << 40});
  std::string why;
  EXPECT_FALSE(
      CheckStep(p, Removal(p, Natural(1, Compared::TopRight, {big, M(1, 1, {1})}), {0}), why));
  EXPECT_EQ(why, "rule 1: a value too large or a misplaced marked letter");
}

TEST(CheckRuleRemoval, ArcticStrictnessIsEntrywiseAndNeedsAFiniteFirstEntry) {
  const Problem p = Rules({"ab->b", "b->=c"});
  const MatrixInterpretation good{
      Domain::Arctic, Compared::TopRight, 1, {M(1, 1, {1}), M(1, 1, {0}), M(1, 1, {0})}};
  std::string why;
  EXPECT_TRUE(CheckStep(p, Removal(p, good, {0}), why)) << why;
  // b ->= c does not decrease strictly: removing it is refused.
  EXPECT_FALSE(CheckStep(p, Removal(p, good, {0, 1}), why));
  // Minus infinity in the first entry makes the order not well founded.
  const MatrixInterpretation bottom{Domain::Arctic,
                                    Compared::TopRight,
                                    1,
                                    {M(1, 1, {1}), M(1, 1, {kMinusInfinity}), M(1, 1, {0})}};
  EXPECT_FALSE(CheckStep(p, Removal(p, bottom, {0}), why));
  EXPECT_EQ(why, "letter b has no finite first entry");
  // Dimension 2: an entry equal on both sides is not strict unless the smaller is -inf.
  const Problem q = Rules({"a->b"});
  const std::int64_t o = kMinusInfinity;
  const MatrixInterpretation twoA{
      Domain::Arctic, Compared::TopRight, 2, {M(2, 2, {1, 0, o, 0}), M(2, 2, {0, o, o, o})}};
  EXPECT_TRUE(CheckStep(q, Removal(q, twoA, {0}), why)) << why;
  const MatrixInterpretation twoB{
      Domain::Arctic, Compared::TopRight, 2, {M(2, 2, {1, 0, o, 0}), M(2, 2, {0, o, o, 0})}};
  EXPECT_FALSE(CheckStep(q, Removal(q, twoB, {0}), why));
}

TEST(CheckRuleRemoval, RelativeProblemsMayLoseWeakRulesThatDecreaseStrictly) {
  const Problem p = Rules({"ab->b", "aa->=a"});
  const MatrixInterpretation w = Natural(1, Compared::TopRight, {M(1, 1, {2}), M(1, 1, {1})});
  std::string why;
  EXPECT_TRUE(CheckStep(p, Removal(p, w, {0, 1}), why)) << why;
  EXPECT_TRUE(CheckStep(p, Removal(p, w, {1}), why)) << why;
}

// The pair problem of a b -> b a: one pair a# b -> a#, letters a, b, a#.
Problem SwapPairs() {
  Problem p = Rules({"ab->ba"});
  p.pairProblem = true;
  p.names.push_back("a#");
  p.marked = {0, 0, 1};
  p.pairs.push_back({{2, 1}, {2}, true});
  return p;
}

TEST(CheckRuleRemoval, PairsAreRowsAndOnlyPairsGo) {
  const Problem p = SwapPairs();
  const MatrixInterpretation rows{Domain::Natural,
                                  Compared::TopRight,
                                  2,
                                  {M(2, 2, {1, 0, 0, 1}), M(2, 2, {2, 0, 0, 1}), M(1, 2, {0, 1})}};
  std::string why;
  // a# b is (0 1)(2 0; 0 1) = (0 1): no greater than a# = (0 1).
  EXPECT_FALSE(CheckStep(p, Removal(p, rows, {}, {0}), why));
  EXPECT_EQ(why, "pair 1 is removed but does not decrease strictly");
  // With a# = (1 0) it is (2 0) against (1 0): weakly everywhere, strictly in the first entry.
  MatrixInterpretation good = rows;
  good.letters[2] = M(1, 2, {1, 0});
  EXPECT_TRUE(CheckStep(p, Removal(p, good, {}, {0}), why)) << why;
  // A pair problem keeps its rules; a marked letter is a row, not a matrix.
  EXPECT_FALSE(CheckStep(p, Removal(p, good, {0}, {0}), why));
  EXPECT_EQ(why, "a pair problem keeps its rules");
  MatrixInterpretation square = good;
  square.letters[2] = M(2, 2, {1, 0, 0, 1});
  EXPECT_FALSE(CheckStep(p, Removal(p, square, {}, {0}), why));
  EXPECT_EQ(why, "letter a# has a matrix of the wrong size");
  // A marked letter inside a rule is no pair problem the order covers.
  Problem inside = p;
  inside.rules[0].rhs.push_back(2);
  EXPECT_FALSE(CheckStep(inside, Removal(inside, good, {}, {0}), why));
}

TEST(CheckRuleRemoval, ArcticEntriesBelowZeroOnlyBehindAFirstEntryOfZeroOrMore) {
  // a b and b a are both (1 0; -inf 1), and a# b is (2 -1) against a# = (1 -2): strictly
  // smaller everywhere.
  const Problem p = SwapPairs();
  const std::int64_t o = kMinusInfinity;
  const MatrixInterpretation below{
      Domain::Arctic,
      Compared::TopRight,
      2,
      {M(2, 2, {0, -1, o, 0}), M(2, 2, {1, -3, o, 1}), M(1, 2, {1, -2})}};
  std::string why;
  EXPECT_TRUE(CheckStep(p, Removal(p, below, {}, {0}), why)) << why;
  // A first entry below zero would let the first entry of a value sink without end.
  MatrixInterpretation sinking = below;
  sinking.letters[1] = M(2, 2, {-1, -3, o, 1});
  EXPECT_FALSE(CheckStep(p, Removal(p, sinking, {}, {0}), why));
  EXPECT_EQ(why, "letter b has a first entry below zero");
  MatrixInterpretation row = below;
  row.letters[2] = M(1, 2, {-1, -2});
  EXPECT_FALSE(CheckStep(p, Removal(p, row, {}, {0}), why));
  EXPECT_EQ(why, "letter a# has a first entry below zero");
  // Without pairs the [1][1] entry of a string's value counts: a b = (1 0; 0 1) is greater than
  // b = (0 -1; -1 0) in every entry, and no [1][1] entry is below zero.
  const Problem plain = Rules({"ab->b"});
  const MatrixInterpretation matrices{
      Domain::Arctic, Compared::TopRight, 2, {M(2, 2, {1, o, o, 1}), M(2, 2, {0, -1, -1, 0})}};
  EXPECT_TRUE(CheckStep(plain, Removal(plain, matrices, {0}), why)) << why;
  MatrixInterpretation sunk = matrices;
  sunk.letters[1] = M(2, 2, {-1, -1, -1, 0});
  EXPECT_FALSE(CheckStep(plain, Removal(plain, sunk, {0}), why));
  EXPECT_EQ(why, "letter b has a first entry below zero");
}

TEST(CheckReversal, AcceptsOnlyTheExactReversal) {
  const Problem p = Rules({"abc->ca", "b->=e"});
  Step s;
  s.technique = "reversal";
  s.certificate = Reversal{};
  s.remaining.push_back(p.Reversed());
  std::string why;
  EXPECT_TRUE(CheckStep(p, s, why)) << why;
  s.remaining[0].rules[1].strict = true;
  EXPECT_FALSE(CheckStep(p, s, why));
  EXPECT_EQ(why, "rule 2 is not reversed");
  s.remaining[0] = p;
  EXPECT_FALSE(CheckStep(p, s, why));
}

} // namespace
} // namespace selko::engine
