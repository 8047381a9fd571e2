#include "engine/sat/arctic.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/certificate.hpp"

namespace selko::engine::sat {
namespace {

constexpr std::int64_t kInf = kMinusInfinity;

struct Circuit {
  Solver solver;
  Gates gates{solver};
  Arithmetic numbers{gates};
  ArcticArithmetic arctic{numbers};
};

// Reference arctic arithmetic on int64 with kMinusInfinity.
std::int64_t RefMax(std::int64_t a, std::int64_t b) { return std::max(a, b); }
std::int64_t RefPlus(std::int64_t a, std::int64_t b) {
  return a == kInf || b == kInf ? kInf : a + b;
}
bool RefGreaterEqual(std::int64_t a, std::int64_t b) { return a >= b; }
bool RefGreater(std::int64_t a, std::int64_t b) { return a > b; }
bool RefStrict(std::int64_t a, std::int64_t b) { return a > b || b == kInf; }

void Fix(const ArcticNumber& v, std::int64_t value, std::vector<Lit>& assumptions) {
  assumptions.push_back(value == kInf ? v.minusInfinity : -v.minusInfinity);
  const std::uint64_t bits = value == kInf ? 0 : static_cast<std::uint64_t>(value);
  for (int i = 0; i < v.value.Width(); ++i)
    assumptions.push_back(((bits >> i) & 1) != 0 ? v.value.bits[i] : -v.value.bits[i]);
}

std::vector<std::int64_t> Values(int width) {
  std::vector<std::int64_t> values = {kInf};
  for (std::int64_t v = 0; v < (std::int64_t{1} << width); ++v)
    values.push_back(v);
  return values;
}

struct Built {
  ArcticNumber max, plus;
  Lit greaterEqual, greater, strict;
};

Built Build(Circuit& c, const ArcticNumber& a, const ArcticNumber& b, int cap) {
  return {c.arctic.Max(a, b), c.arctic.Plus(a, b, cap), c.arctic.GreaterEqual(a, b),
          c.arctic.Greater(a, b), c.arctic.GreaterOrMinusInfinity(a, b)};
}

// Checks every operation under the assumptions; the sum may exceed the cap only when
// it is -inf or too large (then the whole circuit is unsatisfiable).
void Check(Circuit& c, const Built& r, const std::vector<Lit>& assumptions, std::int64_t x,
           std::int64_t y, int cap) {
  SCOPED_TRACE(testing::Message() << x << ", " << y << " cap " << cap);
  const std::int64_t plus = RefPlus(x, y);
  const bool fits = plus == kInf || plus < (std::int64_t{1} << cap);
  ASSERT_EQ(c.solver.Solve(-1, Deadline(), assumptions),
            fits ? SatResult::Satisfiable : SatResult::Unsatisfiable);
  if (!fits) return;
  EXPECT_EQ(c.arctic.Decode(r.max), RefMax(x, y));
  EXPECT_EQ(c.arctic.Decode(r.plus), plus);
  EXPECT_EQ(c.solver.Value(r.greaterEqual), RefGreaterEqual(x, y));
  EXPECT_EQ(c.solver.Value(r.greater), RefGreater(x, y));
  EXPECT_EQ(c.solver.Value(r.strict), RefStrict(x, y));
}

TEST(Arctic, OperationsAgreeWithArcticArithmeticOnSmallWidths) {
  for (int wa = 0; wa <= 3; ++wa) {
    for (int wb = 0; wb <= 3; ++wb) {
      for (int cap : {2, 3, 62}) {
        Circuit c;
        const ArcticNumber a = c.arctic.Fresh(wa), b = c.arctic.Fresh(wb);
        const Built r = Build(c, a, b, cap);
        for (std::int64_t x : Values(wa)) {
          // The same with a constant first operand: the folding path.
          Circuit k;
          const ArcticNumber ka =
              x == kInf ? k.arctic.MinusInfinity() : k.arctic.Finite(static_cast<std::uint64_t>(x));
          const ArcticNumber kb = k.arctic.Fresh(wb);
          const Built kr = Build(k, ka, kb, cap);
          for (std::int64_t y : Values(wb)) {
            std::vector<Lit> assumptions;
            Fix(a, x, assumptions);
            Fix(b, y, assumptions);
            Check(c, r, assumptions, x, y, cap);
            std::vector<Lit> constantAssumptions;
            Fix(kb, y, constantAssumptions);
            Check(k, kr, constantAssumptions, x, y, cap);
          }
        }
      }
    }
  }
}

TEST(Arctic, OperationsAgreeOnRandomWideValues) {
  std::mt19937_64 random(8122026);
  for (int round = 0; round < 60; ++round) {
    const int wa = 1 + static_cast<int>(random() % 30), wb = 1 + static_cast<int>(random() % 30);
    auto pick = [&](int w) {
      return random() % 5 == 0
                 ? kInf
                 : static_cast<std::int64_t>(random() & ((std::uint64_t{1} << w) - 1));
    };
    const std::int64_t x = pick(wa), y = pick(wb);
    const int cap = 20 + static_cast<int>(random() % 20);
    Circuit c;
    const ArcticNumber a = c.arctic.Fresh(wa), b = c.arctic.Fresh(wb);
    const Built r = Build(c, a, b, cap);
    std::vector<Lit> assumptions;
    Fix(a, x, assumptions);
    Fix(b, y, assumptions);
    Check(c, r, assumptions, x, y, cap);
  }
}

TEST(Arctic, MinusInfinityCarriesZeroAndFiniteValuesAreFinite) {
  Circuit c;
  const ArcticNumber a = c.arctic.Fresh(2);
  const ArcticNumber f = c.arctic.FreshFinite(2);
  EXPECT_EQ(f.minusInfinity, kFalse);
  // -inf with a nonzero number is no value.
  EXPECT_EQ(c.solver.Solve(-1, Deadline(), {a.minusInfinity, a.value.bits[1]}),
            SatResult::Unsatisfiable);
  EXPECT_EQ(c.solver.Solve(-1, Deadline(), {a.minusInfinity}), SatResult::Satisfiable);
  EXPECT_EQ(c.arctic.Decode(a), kInf);
  // Constants fold: -inf is below everything, the unit of max and absorbing for +.
  const auto clauses = c.solver.ClauseCount();
  const ArcticNumber inf = c.arctic.MinusInfinity();
  EXPECT_EQ(c.arctic.GreaterEqual(f, inf), kTrue);
  EXPECT_EQ(c.arctic.GreaterOrMinusInfinity(inf, inf), kTrue);
  EXPECT_EQ(c.arctic.Greater(inf, f), kFalse);
  EXPECT_EQ(c.arctic.Plus(f, inf).minusInfinity, kTrue);
  EXPECT_EQ(c.arctic.Max(f, inf).value.bits, f.value.bits);
  EXPECT_EQ(c.solver.ClauseCount(), clauses);
}

} // namespace
} // namespace selko::engine::sat
