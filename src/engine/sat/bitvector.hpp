// Unsigned numbers as fixed-width vectors of literals, and the circuits on them. Every number
// carries a bound that holds in every model; widths follow the bounds, so a number is never
// wider than its largest value needs. An operation whose result may not fit its width forbids
// the overflow by clauses: a model is exact arithmetic, never arithmetic modulo a power of two.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/sat/gates.hpp"

namespace selko::engine::sat {

struct BitVector {
  std::vector<Lit> bits;   // least significant first; every bit beyond is 0
  std::uint64_t upper = 0; // the value is at most this in every model

  int Width() const { return static_cast<int>(bits.size()); }
};

// The number of bits that values up to `value` need.
int BitLength(std::uint64_t value);

class Arithmetic {
public:
  // No value is ever wider than this; wider results are forbidden like any overflow.
  static constexpr int kMaxWidth = 62;

  explicit Arithmetic(Gates& gates) : gates_(gates) {}

  Gates& gates() { return gates_; }
  Solver& solver() { return gates_.solver(); }

  BitVector Constant(std::uint64_t value) const;
  // Any value of `width` bits.
  BitVector Fresh(int width);

  // a + b, which must stay below 2^capWidth.
  BitVector Add(const BitVector& a, const BitVector& b, int capWidth = kMaxWidth);
  // a * b, which must stay below 2^capWidth.
  BitVector Multiply(const BitVector& a, const BitVector& b, int capWidth = kMaxWidth);
  BitVector Max(const BitVector& a, const BitVector& b);
  BitVector Select(Lit c, const BitVector& a, const BitVector& b); // c ? a : b
  BitVector Mask(const BitVector& a, Lit keep);                    // keep ? a : 0

  Lit GreaterEqual(const BitVector& a, const BitVector& b);
  Lit Greater(const BitVector& a, const BitVector& b);
  Lit Equal(const BitVector& a, const BitVector& b);

  // The value in the last model.
  std::uint64_t Decode(const BitVector& a) const;

private:
  static Lit Bit(const BitVector& a, int i) { return i < a.Width() ? a.bits[i] : kFalse; }
  // Forces every bit from `width` on to 0 and keeps the rest; the result's bound is `upper`.
  BitVector Truncate(const std::vector<Lit>& bits, int width, std::uint64_t upper);
  // The comparison of a and b read from the least significant bit: `equal` is the answer
  // when the two are equal.
  Lit Compare(const BitVector& a, const BitVector& b, Lit equal);

  Gates& gates_;
};

} // namespace selko::engine::sat
