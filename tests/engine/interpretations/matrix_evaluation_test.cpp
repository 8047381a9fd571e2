#include "engine/interpretations/matrix_evaluation.hpp"

#include <gtest/gtest.h>

#include "engine/engine_testing.hpp"

namespace selko::engine {
namespace {

constexpr std::int64_t kInf = kMinusInfinity;

Matrix M(int rows, int cols, std::vector<std::int64_t> entries) {
  return Matrix{rows, cols, std::move(entries)};
}

MatrixInterpretation Natural(Compared compared, std::vector<Matrix> letters) {
  return {Domain::Natural, compared, letters.front().cols, std::move(letters)};
}

TEST(MatrixEvaluation, NaturalProductsAndBothComparedEntries) {
  // a = [1 1; 0 1], b = [1 0; 0 2]: ab = [1 2; 0 2], ba = [1 1; 0 2].
  const auto m = Natural(Compared::TopRight, {M(2, 2, {1, 1, 0, 1}), M(2, 2, {1, 0, 0, 2})});
  const auto ab = EvaluateString(m, {0, 1});
  ASSERT_TRUE(ab);
  EXPECT_EQ(ab->entries, (std::vector<std::int64_t>{1, 2, 0, 2}));
  EXPECT_EQ(EvaluateString(m, {})->entries, (std::vector<std::int64_t>{1, 0, 0, 1}));
  EXPECT_EQ(CompareSides(m, {0, 1}, {1, 0}, false), Decrease::Strict);
  EXPECT_EQ(CompareSides(m, {1, 0}, {0, 1}, false), Decrease::None);
  EXPECT_EQ(CompareSides(m, {0, 1}, {0, 1}, false), Decrease::Weak);
  auto topLeft = m;
  topLeft.compared = Compared::TopLeft;
  EXPECT_EQ(CompareSides(topLeft, {0, 1}, {1, 0}, false), Decrease::Weak);
  EXPECT_EQ(CompareSides(topLeft, {0, 0}, {}, false), Decrease::Weak); // [1 2; 0 1] vs I
}

TEST(MatrixEvaluation, ArcticStrictIsGreaterOrMinusInfinityEverywhere) {
  // a = [1 -inf; 0 0], b = [0 -inf; -inf 0].
  MatrixInterpretation m{Domain::Arctic,
                         Compared::TopRight,
                         2,
                         {M(2, 2, {1, kInf, 0, 0}), M(2, 2, {0, kInf, kInf, 0})}};
  EXPECT_EQ(EvaluateString(m, {0, 0})->entries, (std::vector<std::int64_t>{2, kInf, 1, 0}));
  EXPECT_EQ(EvaluateString(m, {})->entries, (std::vector<std::int64_t>{0, kInf, kInf, 0}));
  // aa vs a: 2 > 1, -inf, 1 > 0, but 0 = 0: weak only.
  EXPECT_EQ(CompareSides(m, {0, 0}, {0}, false), Decrease::Weak);
  m.letters[0] = M(2, 2, {1, kInf, kInf, 1});
  EXPECT_EQ(CompareSides(m, {0, 0}, {0}, false), Decrease::Strict);
  EXPECT_EQ(CompareSides(m, {0}, {0, 0}, false), Decrease::None);
}

TEST(MatrixEvaluation, PairsAreRowsComparedInTheirFirstEntry) {
  // Letter 2 is a marked row (1 0); a = [1 1; 0 1].
  const auto m =
      Natural(Compared::TopRight, {M(2, 2, {1, 1, 0, 1}), M(2, 2, {1, 0, 0, 1}), M(1, 2, {1, 0})});
  EXPECT_EQ(EvaluateString(m, {2, 0, 0})->entries, (std::vector<std::int64_t>{1, 2}));
  EXPECT_EQ(CompareSides(m, {2, 0}, {2}, true), Decrease::Weak);
  const auto m2 =
      Natural(Compared::TopRight, {M(2, 2, {2, 0, 0, 1}), M(2, 2, {1, 0, 0, 1}), M(1, 2, {1, 0})});
  EXPECT_EQ(CompareSides(m2, {2, 0}, {2}, true), Decrease::Strict);
  // A row stands only in front.
  EXPECT_FALSE(EvaluateString(m, {0, 2}));
}

TEST(MatrixEvaluation, OverflowAndMissingLettersGiveNothing) {
  const std::int64_t big = std::int64_t{1} << 40;
  const auto m = Natural(Compared::TopLeft, {M(1, 1, {big})});
  EXPECT_TRUE(EvaluateString(m, {0}));
  EXPECT_FALSE(EvaluateString(m, {0, 0}));
  EXPECT_FALSE(CompareSides(m, {0, 0}, {0}, false));
  EXPECT_FALSE(EvaluateString(m, {1}));
  MatrixInterpretation arctic{Domain::Arctic,
                              Compared::TopLeft,
                              1,
                              {M(1, 1, {std::numeric_limits<std::int64_t>::max() - 1})}};
  EXPECT_FALSE(EvaluateString(arctic, {0, 0}));
}

TEST(MatrixEvaluation, LetterConditionsFollowTheShape) {
  const Problem p = testing::Rules({"ab->ba"});
  // b's [2][2] is 0: fine when [1][1] is compared, not when [1][d] is.
  auto m = Natural(Compared::TopLeft, {M(2, 2, {1, 1, 0, 1}), M(2, 2, {1, 0, 0, 0})});
  EXPECT_TRUE(LetterConditionsHold(m, p));
  m.compared = Compared::TopRight;
  EXPECT_FALSE(LetterConditionsHold(m, p));
  m.letters[1] = M(2, 2, {0, 0, 0, 1});
  m.compared = Compared::TopLeft;
  EXPECT_FALSE(LetterConditionsHold(m, p));
  MatrixInterpretation arctic{
      Domain::Arctic, Compared::TopRight, 1, {M(1, 1, {0}), M(1, 1, {kInf})}};
  EXPECT_FALSE(LetterConditionsHold(arctic, p));
  arctic.letters[1] = M(1, 1, {-3});
  EXPECT_FALSE(LetterConditionsHold(arctic, p));
  arctic.letters[1] = M(1, 1, {3});
  EXPECT_TRUE(LetterConditionsHold(arctic, p));
  arctic.letters.pop_back();
  EXPECT_FALSE(LetterConditionsHold(arctic, p));
}

} // namespace
} // namespace selko::engine
