// Exact matrix arithmetic for the checker: natural numbers and arctic integers in 128 bits, with
// every overflow detected (a value that does not fit makes the check fail, never pass).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/certificate.hpp"

namespace selko::engine::exact {

using Value = __int128;
// Arctic minus infinity in the checker's own encoding: below every value a product can reach.
constexpr Value kArcticBottom = -(static_cast<Value>(1) << 126);

struct Grid {
  int rows = 0;
  int cols = 0;
  std::vector<Value> v;
  Value At(int i, int j) const { return v[static_cast<std::size_t>(i * cols + j)]; }
  Value& At(int i, int j) { return v[static_cast<std::size_t>(i * cols + j)]; }
};

// The certificate's matrix in the checker's encoding; nothing for an entry out of range (negative
// naturals). Arctic entries may be below zero: whether they may is the caller's to check.
std::optional<Grid> FromMatrix(const Matrix& m, Domain domain);

// The identity of the domain.
Grid Identity(int dimension, Domain domain);

// a * b in the domain (arctic: max-plus); nothing on overflow or mismatched sizes.
std::optional<Grid> Multiply(const Grid& a, const Grid& b, Domain domain);

} // namespace selko::engine::exact
