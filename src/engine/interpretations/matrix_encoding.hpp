// The constraints of one matrix-interpretation shape on a problem as clauses: unknown letter
// matrices, the products of every side (common factors built once, see product_plan.hpp),
// every rule and pair weakly decreasing, at least one of the candidates strictly.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/certificate.hpp"
#include "engine/deadline.hpp"
#include "engine/interpretations/matrix_search.hpp"
#include "engine/problem.hpp"
#include "engine/sat/solver.hpp"

namespace selko::engine {

// Formulas beyond this many literals are not built (memory, and no hope of solving them).
constexpr std::int64_t kMaxEncodingLiterals = 10'000'000;

// The width of every intermediate natural value: products whose entries reach 2^width are
// forbidden, which makes them unsatisfiable rather than wrong.
int NaturalValueWidth(const MatrixShape& shape);

class MatrixEncoding {
public:
  virtual ~MatrixEncoding() = default;

  // Adds the constraints to the solver; nothing when the problem does not fit the shape (a
  // letter out of range, a marked letter elsewhere than in front of a pair), when there is no
  // candidate for a strict decrease, when the formula grows too large or the deadline passes.
  static std::unique_ptr<MatrixEncoding> Build(sat::Solver& solver, const Problem& problem,
                                               const MatrixShape& shape, const Deadline& deadline);

  // The letters' matrices in the solver's last model; letters in no rule or pair get the
  // identity (a marked one its first row).
  virtual MatrixInterpretation Decode() const = 0;
};

} // namespace selko::engine
