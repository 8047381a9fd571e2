#include "engine/interpretations/matrix_search.hpp"

#include "engine/interpretations/matrix_encoding.hpp"
#include "engine/interpretations/matrix_evaluation.hpp"
#include "engine/sat/solver.hpp"

namespace selko::engine {

namespace {

// The removal that the interpretation proves, computed from its matrices alone: every rule
// and pair must decrease weakly, and at least one candidate strictly.
std::optional<RuleRemoval> RemovalUnder(const Problem& problem,
                                        MatrixInterpretation interpretation) {
  if (!LetterConditionsHold(interpretation, problem)) return std::nullopt;
  RuleRemoval removal;
  for (int pairs = 0; pairs < 2; ++pairs) {
    const auto& rules = pairs == 1 ? problem.pairs : problem.rules;
    auto& removed = pairs == 1 ? removal.removedPairs : removal.removedRules;
    for (std::size_t k = 0; k < rules.size(); ++k) {
      const auto decrease = CompareSides(interpretation, rules[k].lhs, rules[k].rhs, pairs == 1);
      if (!decrease || *decrease == Decrease::None) return std::nullopt;
      // A pair problem keeps its rules: only pairs are removed.
      if (*decrease == Decrease::Strict && (pairs == 1) == problem.pairProblem)
        removed.push_back(k);
    }
  }
  if (removal.removedRules.empty() && removal.removedPairs.empty()) return std::nullopt;
  removal.interpretation = std::move(interpretation);
  return removal;
}

} // namespace

MatrixSearch::MatrixSearch(const Problem& problem, const MatrixShape& shape,
                           const Deadline& deadline)
    : problem_(problem), solver_(std::make_unique<sat::Solver>()) {
  if (!deadline.Passed()) encoding_ = MatrixEncoding::Build(*solver_, problem_, shape, deadline);
  exhausted_ = encoding_ == nullptr;
}

MatrixSearch::~MatrixSearch() = default;

std::optional<RuleRemoval> MatrixSearch::Run(std::int64_t conflicts, const Deadline& deadline) {
  if (exhausted_) return std::nullopt;
  const sat::SatResult result = solver_->Solve(conflicts, deadline);
  if (result == sat::SatResult::Unsatisfiable) exhausted_ = true;
  if (result != sat::SatResult::Satisfiable) return std::nullopt;
  return RemovalUnder(problem_, encoding_->Decode());
}

std::optional<RuleRemoval> FindMatrixRemoval(const Problem& problem, const MatrixShape& shape,
                                             std::int64_t conflictBudget,
                                             const Deadline& deadline) {
  if (deadline.Passed()) return std::nullopt;
  return MatrixSearch(problem, shape, deadline).Run(conflictBudget, deadline);
}

} // namespace selko::engine
