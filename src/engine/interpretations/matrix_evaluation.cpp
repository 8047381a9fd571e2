#include "engine/interpretations/matrix_evaluation.hpp"

#include <algorithm>

namespace selko::engine {

namespace {

bool IsArctic(const MatrixInterpretation& m) { return m.domain == Domain::Arctic; }

std::optional<std::int64_t> Times(bool arctic, std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (arctic) {
    if (a == kMinusInfinity || b == kMinusInfinity) return kMinusInfinity;
    if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
  } else {
    if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
  }
  return r;
}

std::optional<std::int64_t> Plus(bool arctic, std::int64_t a, std::int64_t b) {
  if (arctic) return std::max(a, b);
  std::int64_t r = 0;
  if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
  return r;
}

std::optional<Matrix> Product(bool arctic, const Matrix& a, const Matrix& b) {
  Matrix p{a.rows, b.cols, std::vector<std::int64_t>(static_cast<std::size_t>(a.rows * b.cols))};
  for (int i = 0; i < a.rows; ++i) {
    for (int j = 0; j < b.cols; ++j) {
      std::int64_t sum = arctic ? kMinusInfinity : 0;
      for (int k = 0; k < a.cols; ++k) {
        const auto term = Times(arctic, a.At(i, k), b.At(k, j));
        if (!term) return std::nullopt;
        const auto next = Plus(arctic, sum, *term);
        if (!next) return std::nullopt;
        sum = *next;
      }
      p.At(i, j) = sum;
    }
  }
  return p;
}

Matrix Identity(bool arctic, int d) {
  Matrix m{d, d, std::vector<std::int64_t>(static_cast<std::size_t>(d * d))};
  for (int i = 0; i < d; ++i) {
    for (int j = 0; j < d; ++j)
      m.At(i, j) = i == j ? (arctic ? 0 : 1) : (arctic ? kMinusInfinity : 0);
  }
  return m;
}

bool Fits(const Matrix& m) {
  return m.rows >= 0 && m.cols >= 0 &&
         m.entries.size() == static_cast<std::size_t>(m.rows * m.cols);
}

} // namespace

std::optional<Matrix> EvaluateString(const MatrixInterpretation& interpretation, const String& s) {
  const bool arctic = IsArctic(interpretation);
  const int d = interpretation.dimension;
  if (d < 1) return std::nullopt;
  Matrix value = Identity(arctic, d);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] >= interpretation.letters.size()) return std::nullopt;
    const Matrix& m = interpretation.letters[s[i]];
    // Only the first letter may be a row (a marked letter).
    if (!Fits(m) || m.cols != d || (m.rows != d && !(m.rows == 1 && i == 0))) return std::nullopt;
    auto next = i == 0 ? std::optional<Matrix>(m) : Product(arctic, value, m);
    if (!next) return std::nullopt;
    value = std::move(*next);
  }
  return value;
}

std::optional<Decrease> CompareSides(const MatrixInterpretation& interpretation, const String& lhs,
                                     const String& rhs, bool isPair) {
  const auto p = EvaluateString(interpretation, lhs);
  const auto q = EvaluateString(interpretation, rhs);
  if (!p || !q || p->rows != q->rows || p->cols != q->cols) return std::nullopt;
  const bool arctic = IsArctic(interpretation);
  bool weak = true, strict = true;
  for (std::size_t k = 0; k < p->entries.size(); ++k) {
    const std::int64_t a = p->entries[k], b = q->entries[k];
    weak = weak && a >= b;
    strict = strict && (a > b || b == kMinusInfinity);
  }
  if (!weak) return Decrease::None;
  if (!arctic) {
    const int last = interpretation.compared == Compared::TopRight && !isPair ? p->cols - 1 : 0;
    strict = p->At(0, last) > q->At(0, last);
  }
  return strict ? Decrease::Strict : Decrease::Weak;
}

bool LetterConditionsHold(const MatrixInterpretation& interpretation, const Problem& problem) {
  const bool arctic = IsArctic(interpretation);
  const int d = interpretation.dimension;
  if (d < 1 || interpretation.letters.size() < problem.LetterCount()) return false;
  std::vector<bool> used(problem.LetterCount(), false);
  for (const auto* rules : {&problem.rules, &problem.pairs}) {
    for (const Rule& r : *rules) {
      for (const String* side : {&r.lhs, &r.rhs}) {
        for (Letter a : *side) {
          if (a >= used.size()) return false;
          used[a] = true;
        }
      }
    }
  }
  for (Letter a = 0; a < used.size(); ++a) {
    if (!used[a]) continue;
    const Matrix& m = interpretation.letters[a];
    const bool row = problem.pairProblem && problem.IsMarked(a);
    if (!Fits(m) || m.cols != d || m.rows != (row ? 1 : d)) return false;
    // Arctic entries below zero only on a pair problem, and never first (see
    // check_removal.cpp for why).
    for (std::int64_t x : m.entries) {
      if (arctic ? (x < 0 && x != kMinusInfinity && !problem.pairProblem) : x < 0) return false;
    }
    if (arctic) {
      if (m.At(0, 0) < 0) return false; // minus infinity included
    } else if (!row) {
      if (m.At(0, 0) < 1) return false;
      const bool topRight = interpretation.compared == Compared::TopRight && !problem.pairProblem;
      if (topRight && m.At(d - 1, d - 1) < 1) return false;
    }
  }
  return true;
}

} // namespace selko::engine
