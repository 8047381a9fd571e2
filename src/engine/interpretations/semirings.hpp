// The two semirings of matrix interpretations as circuits: naturals (+, *) with every
// intermediate value below 2^capWidth, and arctic numbers (max, +). Each offers the same
// operations, so one template builds matrix products and comparisons for both.
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

} // namespace selko::engine
