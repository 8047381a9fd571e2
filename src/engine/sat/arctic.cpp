#include "engine/sat/arctic.hpp"

#include <algorithm>

#include "engine/certificate.hpp"

namespace selko::engine::sat {

ArcticNumber ArcticArithmetic::MinusInfinity() const { return {kTrue, numbers_.Constant(0)}; }

ArcticNumber ArcticArithmetic::Finite(std::uint64_t value) const {
  return {kFalse, numbers_.Constant(value)};
}

ArcticNumber ArcticArithmetic::Fresh(int width) {
  ArcticNumber a;
  a.minusInfinity = numbers_.solver().NewVariable();
  a.value = numbers_.Fresh(width);
  for (Lit bit : a.value.bits)
    numbers_.solver().AddClause({-a.minusInfinity, -bit});
  return a;
}

ArcticNumber ArcticArithmetic::FreshFinite(int width) { return {kFalse, numbers_.Fresh(width)}; }

ArcticNumber ArcticArithmetic::Max(const ArcticNumber& a, const ArcticNumber& b) {
  // A minus infinity carries 0, the unit of max on the numbers.
  return {gates().And(a.minusInfinity, b.minusInfinity), numbers_.Max(a.value, b.value)};
}

ArcticNumber ArcticArithmetic::Plus(const ArcticNumber& a, const ArcticNumber& b, int capWidth) {
  const Lit minusInfinity = gates().Or(a.minusInfinity, b.minusInfinity);
  const int cap = std::clamp(capWidth, 0, Arithmetic::kMaxWidth);
  if (a.value.upper < (std::uint64_t{1} << cap) && b.value.upper < (std::uint64_t{1} << cap)) {
    // When one side is -inf its number is 0 and the sum is the other's number, which fits:
    // the plain cap forbids only finite overflows.
    return {minusInfinity, numbers_.Mask(numbers_.Add(a.value, b.value, cap), -minusInfinity)};
  }
  // Inputs beyond the cap: only a finite sum must stay below it.
  BitVector sum = numbers_.Mask(numbers_.Add(a.value, b.value), -minusInfinity);
  for (int i = cap; i < sum.Width(); ++i)
    numbers_.solver().Assert(-sum.bits[i]);
  if (sum.Width() > cap) sum.bits.resize(static_cast<std::size_t>(cap));
  sum.upper = std::min(sum.upper, (std::uint64_t{1} << cap) - 1);
  return {minusInfinity, sum};
}

Lit ArcticArithmetic::GreaterEqual(const ArcticNumber& a, const ArcticNumber& b) {
  return gates().Or(b.minusInfinity,
                    gates().And(-a.minusInfinity, numbers_.GreaterEqual(a.value, b.value)));
}

Lit ArcticArithmetic::Greater(const ArcticNumber& a, const ArcticNumber& b) {
  return gates().And(-a.minusInfinity,
                     gates().Or(b.minusInfinity, numbers_.Greater(a.value, b.value)));
}

Lit ArcticArithmetic::GreaterOrMinusInfinity(const ArcticNumber& a, const ArcticNumber& b) {
  return gates().Or(b.minusInfinity, Greater(a, b));
}

std::int64_t ArcticArithmetic::Decode(const ArcticNumber& a) const {
  if (numbers_.solver().Value(a.minusInfinity)) return kMinusInfinity;
  return static_cast<std::int64_t>(numbers_.Decode(a.value));
}

} // namespace selko::engine::sat
