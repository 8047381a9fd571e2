// Rule removal by matrix interpretations (natural or arctic) found by a SAT solver: the
// problem's constraints for one shape are encoded into bit-vector circuits, solved within a
// conflict budget and the deadline, and the model's matrices are evaluated again exactly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "engine/certificate.hpp"
#include "engine/deadline.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

namespace sat {
class Solver;
}
class MatrixEncoding;

struct MatrixShape {
  Domain domain = Domain::Natural;
  Compared compared = Compared::TopRight; // natural only; pair problems compare [1][1]
  int dimension = 1;                      // 1 to kMaxMatrixDimension
  int bits = 2;                           // letters' entries below 2^bits; 1 to kMaxMatrixBits
  // Arctic only: entries from -2^bits on, all but the [1][1] entries of letters and the first
  // entries of marked rows, which stay at zero or above.
  bool belowZero = false;

  bool operator==(const MatrixShape&) const = default;
};

constexpr int kMaxMatrixDimension = 8;
constexpr int kMaxMatrixBits = 8;

// An interpretation of the shape under which every rule (and pair) of the problem decreases
// weakly and at least one strictly, as a RuleRemoval listing every rule/pair that decreases
// strictly (computed exactly from the decoded matrices); nothing when unsatisfiable or when
// the conflict budget or the deadline runs out. A plain or relative problem may lose rules of
// R and of S; a pair problem loses pairs only (its rules need only decrease weakly).
// Natural interpretations are searched with every intermediate value below 2^(bits + 4)
// (matrix_encoding.hpp); arctic values are never capped. Letters in no rule or pair get the
// identity. Deterministic for a given budget when the deadline does not interrupt.
std::optional<RuleRemoval> FindMatrixRemoval(const Problem& problem, const MatrixShape& shape,
                                             std::int64_t conflictBudget, const Deadline& deadline);

// The same search, continued: each Run spends up to `conflicts` more conflicts on one formula
// (encoded once, in the constructor), keeping what the solver has learnt, so that growing
// budgets cost no more than the largest. After a removal, Run answers it again.
class MatrixSearch {
public:
  MatrixSearch(const Problem& problem, const MatrixShape& shape, const Deadline& deadline);
  ~MatrixSearch();
  MatrixSearch(const MatrixSearch&) = delete;
  MatrixSearch& operator=(const MatrixSearch&) = delete;

  std::optional<RuleRemoval> Run(std::int64_t conflicts, const Deadline& deadline);
  // No interpretation of the shape exists (the formula is unsatisfiable), or the problem
  // could not be encoded (see MatrixEncoding::Build): no Run will ever find one.
  bool Exhausted() const { return exhausted_; }

private:
  Problem problem_;
  std::unique_ptr<sat::Solver> solver_;
  std::unique_ptr<MatrixEncoding> encoding_;
  bool exhausted_ = false;
};

} // namespace selko::engine
