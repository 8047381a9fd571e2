#include "engine/sat/bitvector.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace selko::engine::sat {
namespace {

using u128 = unsigned __int128;

// Assumptions that give a fresh number the value.
void Fix(const BitVector& v, std::uint64_t value, std::vector<Lit>& assumptions) {
  for (int i = 0; i < v.Width(); ++i)
    assumptions.push_back(((value >> i) & 1) != 0 ? v.bits[i] : -v.bits[i]);
}

struct Circuit {
  Solver solver;
  Gates gates{solver};
  Arithmetic numbers{gates};
};

// An operation under test: inputs, cap width, result as a number (a comparison gives 0 or 1).
using NumberOp =
    std::function<BitVector(Arithmetic&, const BitVector&, const BitVector&, int capWidth)>;
using Reference = std::function<u128(std::uint64_t, std::uint64_t)>;

BitVector AsNumber(Lit a) { return BitVector{{a}, 1}; }

const NumberOp kAdd = [](Arithmetic& n, const BitVector& a, const BitVector& b, int cap) {
  return n.Add(a, b, cap);
};
const NumberOp kMultiply = [](Arithmetic& n, const BitVector& a, const BitVector& b, int cap) {
  return n.Multiply(a, b, cap);
};
const NumberOp kMax = [](Arithmetic& n, const BitVector& a, const BitVector& b, int) {
  return n.Max(a, b);
};
const NumberOp kGreaterEqual = [](Arithmetic& n, const BitVector& a, const BitVector& b, int) {
  return AsNumber(n.GreaterEqual(a, b));
};
const NumberOp kGreater = [](Arithmetic& n, const BitVector& a, const BitVector& b, int) {
  return AsNumber(n.Greater(a, b));
};
const NumberOp kEqual = [](Arithmetic& n, const BitVector& a, const BitVector& b, int) {
  return AsNumber(n.Equal(a, b));
};

const Reference kSum = [](std::uint64_t x, std::uint64_t y) { return u128{x} + y; };
const Reference kProduct = [](std::uint64_t x, std::uint64_t y) { return u128{x} * y; };
const Reference kLarger = [](std::uint64_t x, std::uint64_t y) { return u128{x > y ? x : y}; };
const Reference kAtLeast = [](std::uint64_t x, std::uint64_t y) { return u128{x >= y}; };
const Reference kAbove = [](std::uint64_t x, std::uint64_t y) { return u128{x > y}; };
const Reference kSame = [](std::uint64_t x, std::uint64_t y) { return u128{x == y}; };

// Checks one result under the assumptions: satisfiable exactly when the true result fits the
// cap, and then equal to it and within the result's bound and width.
void CheckOne(Circuit& c, const BitVector& r, const std::vector<Lit>& assumptions, u128 expected,
              int capWidth) {
  const bool fits = expected < (u128{1} << capWidth);
  ASSERT_EQ(c.solver.Solve(-1, Deadline(), assumptions),
            fits ? SatResult::Satisfiable : SatResult::Unsatisfiable);
  if (!fits) return;
  EXPECT_EQ(c.numbers.Decode(r), static_cast<std::uint64_t>(expected));
  EXPECT_GE(r.upper, static_cast<std::uint64_t>(expected));
  EXPECT_LE(r.Width(), BitLength(r.upper));
}

// Every pair of values of the widths, on one circuit of fresh inputs and on circuits whose
// first input is a constant (the folding path), for several caps.
void CheckAllSmallWidths(const NumberOp& op, const Reference& reference, bool capped) {
  for (int wa = 0; wa <= 3; ++wa) {
    for (int wb = 0; wb <= 3; ++wb) {
      for (int cap : {1, 2, 3, 4, 5, 62}) {
        if (!capped && cap != 62) continue;
        SCOPED_TRACE(testing::Message() << "widths " << wa << ", " << wb << " cap " << cap);
        Circuit fresh;
        const BitVector a = fresh.numbers.Fresh(wa), b = fresh.numbers.Fresh(wb);
        const BitVector r = op(fresh.numbers, a, b, cap);
        for (std::uint64_t x = 0; x < (std::uint64_t{1} << wa); ++x) {
          Circuit constant;
          const BitVector ca = constant.numbers.Constant(x), cb = constant.numbers.Fresh(wb);
          const BitVector cr = op(constant.numbers, ca, cb, cap);
          for (std::uint64_t y = 0; y < (std::uint64_t{1} << wb); ++y) {
            SCOPED_TRACE(testing::Message() << "values " << x << ", " << y);
            std::vector<Lit> assumptions;
            Fix(a, x, assumptions);
            Fix(b, y, assumptions);
            CheckOne(fresh, r, assumptions, reference(x, y), cap);
            std::vector<Lit> constantAssumptions;
            Fix(cb, y, constantAssumptions);
            CheckOne(constant, cr, constantAssumptions, reference(x, y), cap);
          }
        }
      }
    }
  }
}

// Random values of random widths up to 24 bits (products up to 48), each on its own circuit.
void CheckRandomWide(const NumberOp& op, const Reference& reference, bool capped) {
  std::mt19937_64 random(20261208);
  for (int round = 0; round < 40; ++round) {
    const int wa = 1 + static_cast<int>(random() % 24), wb = 1 + static_cast<int>(random() % 24);
    const std::uint64_t x = random() & ((std::uint64_t{1} << wa) - 1);
    const std::uint64_t y = random() & ((std::uint64_t{1} << wb) - 1);
    const int cap = capped ? 1 + static_cast<int>(random() % 50) : 62;
    SCOPED_TRACE(testing::Message() << x << ", " << y << " cap " << cap);
    Circuit c;
    const BitVector a = c.numbers.Fresh(wa), b = c.numbers.Fresh(wb);
    const BitVector r = op(c.numbers, a, b, cap);
    std::vector<Lit> assumptions;
    Fix(a, x, assumptions);
    Fix(b, y, assumptions);
    CheckOne(c, r, assumptions, reference(x, y), cap);
  }
}

TEST(BitVector, AddAgreesWithIntegersAndForbidsOverflow) {
  CheckAllSmallWidths(kAdd, kSum, true);
  CheckRandomWide(kAdd, kSum, true);
}

TEST(BitVector, MultiplyAgreesWithIntegersAndForbidsOverflow) {
  CheckAllSmallWidths(kMultiply, kProduct, true);
  CheckRandomWide(kMultiply, kProduct, true);
}

TEST(BitVector, MaxAndComparisonsAgreeWithIntegers) {
  for (const auto& [op, reference] : {std::pair{kMax, kLarger}, std::pair{kGreaterEqual, kAtLeast},
                                      std::pair{kGreater, kAbove}, std::pair{kEqual, kSame}}) {
    CheckAllSmallWidths(op, reference, false);
    CheckRandomWide(op, reference, false);
  }
}

TEST(BitVector, ConstantsCostNoClauses) {
  Circuit c;
  const BitVector x = c.numbers.Fresh(3);
  const auto clauses = c.solver.ClauseCount();
  const BitVector sum = c.numbers.Add(c.numbers.Constant(13), c.numbers.Constant(22));
  const BitVector product = c.numbers.Multiply(c.numbers.Constant(13), c.numbers.Constant(22));
  EXPECT_EQ(c.numbers.Max(c.numbers.Constant(5), c.numbers.Constant(9)).upper, 9u);
  EXPECT_EQ(c.numbers.GreaterEqual(c.numbers.Constant(5), c.numbers.Constant(9)), kFalse);
  EXPECT_EQ(c.numbers.Greater(c.numbers.Constant(9), c.numbers.Constant(5)), kTrue);
  // Adding 0 or multiplying by 1 is the number itself; by 0 it is 0.
  EXPECT_EQ(c.numbers.Add(x, c.numbers.Constant(0)).bits, x.bits);
  EXPECT_EQ(c.numbers.Multiply(c.numbers.Constant(1), x).bits, x.bits);
  EXPECT_TRUE(c.numbers.Multiply(x, c.numbers.Constant(0)).bits.empty());
  EXPECT_EQ(c.numbers.GreaterEqual(x, c.numbers.Constant(0)), kTrue);
  EXPECT_EQ(c.solver.ClauseCount(), clauses);
  for (const BitVector* v : {&sum, &product}) {
    for (Lit bit : v->bits)
      EXPECT_TRUE(IsConstant(bit));
  }
  ASSERT_EQ(c.solver.Solve(-1, Deadline()), SatResult::Satisfiable);
  EXPECT_EQ(c.numbers.Decode(sum), 35u);
  EXPECT_EQ(c.numbers.Decode(product), 286u);
  // A constant overflow is a contradiction at once.
  c.numbers.Add(c.numbers.Constant(5), c.numbers.Constant(4), 3);
  EXPECT_TRUE(c.solver.Inconsistent());
}

TEST(BitVector, WidthsFollowBoundsAndEqualCircuitsAreShared) {
  Circuit c;
  const BitVector x = c.numbers.Fresh(2), y = c.numbers.Fresh(2);
  const BitVector product = c.numbers.Multiply(x, y); // at most 9: four bits
  EXPECT_EQ(product.upper, 9u);
  EXPECT_EQ(product.Width(), 4);
  const BitVector capped = c.numbers.Multiply(x, y, 3);
  EXPECT_EQ(capped.upper, 7u);
  EXPECT_EQ(capped.Width(), 3);
  const BitVector sum = c.numbers.Add(product, c.numbers.Constant(1));
  EXPECT_EQ(sum.upper, 10u);
  const auto clauses = c.solver.ClauseCount();
  EXPECT_EQ(c.numbers.Multiply(x, y).bits, product.bits);
  EXPECT_EQ(c.numbers.Add(product, c.numbers.Constant(1)).bits, sum.bits);
  EXPECT_EQ(c.solver.ClauseCount(), clauses);
}

} // namespace
} // namespace selko::engine::sat
