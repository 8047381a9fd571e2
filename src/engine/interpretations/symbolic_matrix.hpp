// Matrices whose entries are circuit values of a semiring (semirings.hpp), and their product.
#pragma once

#include <cstddef>
#include <vector>

namespace selko::engine {

template <typename Value> struct SymbolicMatrix {
  int rows = 0;
  int cols = 0;
  std::vector<Value> entries; // row-major

  const Value& At(int i, int j) const { return entries[static_cast<std::size_t>(i * cols + j)]; }
};

template <typename Semiring>
SymbolicMatrix<typename Semiring::Value> Identity(Semiring& semiring, int dimension) {
  SymbolicMatrix<typename Semiring::Value> m{dimension, dimension, {}};
  for (int i = 0; i < dimension; ++i) {
    for (int j = 0; j < dimension; ++j)
      m.entries.push_back(i == j ? semiring.One() : semiring.Zero());
  }
  return m;
}

// a * b, for a.cols == b.rows.
template <typename Semiring>
SymbolicMatrix<typename Semiring::Value>
Multiply(Semiring& semiring, const SymbolicMatrix<typename Semiring::Value>& a,
         const SymbolicMatrix<typename Semiring::Value>& b) {
  SymbolicMatrix<typename Semiring::Value> product{a.rows, b.cols, {}};
  product.entries.reserve(static_cast<std::size_t>(a.rows * b.cols));
  for (int i = 0; i < a.rows; ++i) {
    for (int j = 0; j < b.cols; ++j) {
      auto sum = semiring.Multiply(a.At(i, 0), b.At(0, j));
      for (int k = 1; k < a.cols; ++k)
        sum = semiring.Add(sum, semiring.Multiply(a.At(i, k), b.At(k, j)));
      product.entries.push_back(std::move(sum));
    }
  }
  return product;
}

} // namespace selko::engine
