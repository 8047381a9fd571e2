// Arctic numbers, {-inf} ∪ {0, 1, 2, ...}, as circuits: an "is minus infinity" literal beside
// an unsigned number, which is 0 whenever the literal holds (so that max needs no case split).
// Arctic addition is max, arctic multiplication is +; -inf is the smallest value and the unit
// of max.
#pragma once

#include <cstdint>

#include "engine/sat/bitvector.hpp"

namespace selko::engine::sat {

struct ArcticNumber {
  Lit minusInfinity = kTrue;
  BitVector value; // 0 when minus infinity
};

class ArcticArithmetic {
public:
  explicit ArcticArithmetic(Arithmetic& numbers) : numbers_(numbers) {}

  Arithmetic& numbers() { return numbers_; }

  ArcticNumber MinusInfinity() const;
  ArcticNumber Finite(std::uint64_t value) const;
  // Minus infinity or any value of `width` bits.
  ArcticNumber Fresh(int width);
  // Any finite value of `width` bits.
  ArcticNumber FreshFinite(int width);

  // Arctic addition, max(a, b).
  ArcticNumber Max(const ArcticNumber& a, const ArcticNumber& b);
  // Arctic multiplication, a + b (-inf when either is); a finite sum must stay below
  // 2^capWidth.
  ArcticNumber Plus(const ArcticNumber& a, const ArcticNumber& b,
                    int capWidth = Arithmetic::kMaxWidth);

  Lit GreaterEqual(const ArcticNumber& a, const ArcticNumber& b);
  // a > b: a is finite and b is -inf or smaller.
  Lit Greater(const ArcticNumber& a, const ArcticNumber& b);
  // a > b or b = -inf: the strict decrease of arctic interpretations (-inf "decreases" to
  // itself).
  Lit GreaterOrMinusInfinity(const ArcticNumber& a, const ArcticNumber& b);

  // The value in the last model: kMinusInfinity (certificate.hpp's) for -inf.
  std::int64_t Decode(const ArcticNumber& a) const;

private:
  Gates& gates() { return numbers_.gates(); }

  Arithmetic& numbers_;
};

} // namespace selko::engine::sat
