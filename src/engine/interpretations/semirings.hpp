// The semirings of matrix interpretations as circuits: naturals (+, *) with every intermediate
// value below 2^capWidth, arctic numbers (max, +), and arctic integers (max, + with values
// below zero). Each offers the same operations, so one template builds matrix products and
// comparisons for all.
#pragma once

#include "engine/sat/arctic.hpp"
#include "engine/sat/bitvector.hpp"

namespace selko::engine {

struct NaturalSemiring {
  using Value = sat::BitVector;

  sat::Arithmetic& numbers;
  int capWidth;

  Value Zero() const { return numbers.Constant(0); }
  Value One() const { return numbers.Constant(1); }
  Value Add(const Value& a, const Value& b) { return numbers.Add(a, b, capWidth); }
  Value Multiply(const Value& a, const Value& b) { return numbers.Multiply(a, b, capWidth); }
  sat::Lit GreaterEqual(const Value& a, const Value& b) { return numbers.GreaterEqual(a, b); }
  sat::Lit Greater(const Value& a, const Value& b) { return numbers.Greater(a, b); }
};

struct ArcticSemiring {
  using Value = sat::ArcticNumber;

  sat::ArcticArithmetic& arctic;
  int capWidth;

  Value Zero() const { return arctic.MinusInfinity(); }
  Value One() const { return arctic.Finite(0); }
  Value Add(const Value& a, const Value& b) { return arctic.Max(a, b); }
  Value Multiply(const Value& a, const Value& b) { return arctic.Plus(a, b, capWidth); }
  sat::Lit GreaterEqual(const Value& a, const Value& b) { return arctic.GreaterEqual(a, b); }
  // The strict decrease of arctic interpretations: greater, or the smaller side is -inf.
  sat::Lit Greater(const Value& a, const Value& b) { return arctic.GreaterOrMinusInfinity(a, b); }
};

// Arctic integers as unsigned circuits: a value carries how many letters' entries it sums, and
// each letter's entry is stored `unit` above its value. So the value of a stored number s that
// sums k entries is s - k * unit; a product of k letters needs no subtraction in the circuit.
struct ArcticIntegerSemiring {
  struct Value {
    sat::ArcticNumber number;
    int entries = 0; // letters' entries summed; the value is number - entries * unit
  };

  sat::ArcticArithmetic& arctic;
  std::uint64_t unit;

  Value Zero() const { return {arctic.MinusInfinity(), 0}; }
  Value One() const { return {arctic.Finite(0), 0}; }
  Value Add(const Value& a, const Value& b) {
    const Value x = Shifted(a, b.entries), y = Shifted(b, a.entries);
    return {arctic.Max(x.number, y.number), x.entries};
  }
  Value Multiply(const Value& a, const Value& b) {
    return {arctic.Plus(a.number, b.number), a.entries + b.entries};
  }
  // Comparisons look at the numbers only where the minus-infinity literals allow it, so the
  // sides are brought to a common count by adding the other side's units, unmasked.
  sat::Lit GreaterEqual(const Value& a, const Value& b) {
    return arctic.GreaterEqual(Raised(a, b.entries), Raised(b, a.entries));
  }
  sat::Lit Greater(const Value& a, const Value& b) {
    return arctic.GreaterOrMinusInfinity(Raised(a, b.entries), Raised(b, a.entries));
  }

private:
  sat::ArcticNumber Raised(const Value& a, int units) {
    if (units == 0) return a.number;
    sat::Arithmetic& n = arctic.numbers();
    return {a.number.minusInfinity,
            n.Add(a.number.value, n.Constant(unit * static_cast<std::uint64_t>(units)))};
  }
  // The same value counted as `entries` letters' entries (at least its own count); minus
  // infinity keeps its number 0.
  Value Shifted(const Value& a, int entries) {
    if (entries <= a.entries) return a;
    sat::ArcticNumber raised = Raised(a, entries - a.entries);
    raised.value = arctic.numbers().Mask(raised.value, -raised.minusInfinity);
    return {raised, entries};
  }
};

} // namespace selko::engine
