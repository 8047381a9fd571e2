#include "engine/check/exact_matrices.hpp"

namespace selko::engine::exact {

namespace {

// Values far below the 128-bit limit, so that a sum of two never overflows.
constexpr Value kLimit = static_cast<Value>(1) << 120;

} // namespace

std::optional<Grid> FromMatrix(const Matrix& m, Domain domain) {
  if (m.rows <= 0 || m.cols <= 0 ||
      m.entries.size() != static_cast<std::size_t>(m.rows) * static_cast<std::size_t>(m.cols)) {
    return std::nullopt;
  }
  Grid g{m.rows, m.cols, {}};
  g.v.reserve(m.entries.size());
  for (const std::int64_t e : m.entries) {
    if (domain == Domain::Arctic && e == kMinusInfinity) {
      g.v.push_back(kArcticBottom);
    } else if (e < 0 && domain == Domain::Natural) {
      return std::nullopt;
    } else {
      g.v.push_back(static_cast<Value>(e));
    }
  }
  return g;
}

Grid Identity(int dimension, Domain domain) {
  Grid g{dimension, dimension, {}};
  g.v.assign(static_cast<std::size_t>(dimension * dimension),
             domain == Domain::Arctic ? kArcticBottom : 0);
  for (int i = 0; i < dimension; ++i)
    g.At(i, i) = domain == Domain::Natural ? 1 : 0; // arctic: 0 is the unit of +
  return g;
}

std::optional<Grid> Multiply(const Grid& a, const Grid& b, Domain domain) {
  if (a.cols != b.rows) return std::nullopt;
  Grid c{a.rows, b.cols, {}};
  c.v.assign(static_cast<std::size_t>(a.rows * b.cols),
             domain == Domain::Arctic ? kArcticBottom : 0);
  for (int i = 0; i < a.rows; ++i) {
    for (int j = 0; j < b.cols; ++j) {
      Value acc = domain == Domain::Arctic ? kArcticBottom : 0;
      for (int k = 0; k < a.cols; ++k) {
        const Value x = a.At(i, k);
        const Value y = b.At(k, j);
        if (domain == Domain::Natural) {
          if (x != 0 && y > kLimit / x) return std::nullopt;
          acc += x * y;
          if (acc > kLimit) return std::nullopt;
        } else {
          if (x == kArcticBottom || y == kArcticBottom) continue;
          const Value sum = x + y;
          if (sum > kLimit || sum < -kLimit) return std::nullopt;
          if (acc == kArcticBottom || sum > acc) acc = sum;
        }
      }
      c.At(i, j) = acc;
    }
  }
  return c;
}

} // namespace selko::engine::exact
