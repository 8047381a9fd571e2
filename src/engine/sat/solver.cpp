#include "engine/sat/solver.hpp"

#include <algorithm>
#include <cadical.hpp>
#include <climits>

namespace selko::engine::sat {

namespace {

class DeadlineTerminator : public CaDiCaL::Terminator {
public:
  explicit DeadlineTerminator(const Deadline& deadline) : deadline_(deadline) {}
  bool terminate() override { return deadline_.Passed(); }

private:
  const Deadline& deadline_;
};

} // namespace

Solver::Solver() : solver_(std::make_unique<CaDiCaL::Solver>()) {
  solver_->set("quiet", 1);
  solver_->add(kTrue);
  solver_->add(0);
}

Solver::~Solver() = default;

Lit Solver::NewVariable() { return ++variables_; }

template <typename Range> void Solver::AddRange(const Range& clause) {
  buffer_.clear();
  for (Lit a : clause) {
    if (a == kTrue) return;
    if (a == kFalse) continue;
    buffer_.push_back(a);
  }
  if (buffer_.empty()) {
    inconsistent_ = true;
    return;
  }
  if (buffer_.size() == 1 && !units_.insert(buffer_[0]).second) return;
  for (Lit a : buffer_)
    solver_->add(a);
  solver_->add(0);
  ++clauses_;
  literals_ += static_cast<std::int64_t>(buffer_.size());
}

void Solver::AddClause(std::initializer_list<Lit> clause) { AddRange(clause); }
void Solver::AddClause(const std::vector<Lit>& clause) { AddRange(clause); }

SatResult Solver::Solve(std::int64_t conflictBudget, const Deadline& deadline,
                        const std::vector<Lit>& assumptions) {
  if (inconsistent_) return SatResult::Unsatisfiable;
  if (deadline.Passed()) return SatResult::Unknown;
  if (std::find(assumptions.begin(), assumptions.end(), kFalse) != assumptions.end())
    return SatResult::Unsatisfiable;
  solver_->reserve(variables_);
  for (Lit a : assumptions) {
    if (a != kTrue) solver_->assume(a);
  }
  const int budget = conflictBudget < 0 ? -1
                                        : static_cast<int>(std::min<std::int64_t>(
                                              conflictBudget, static_cast<std::int64_t>(INT_MAX)));
  solver_->limit("conflicts", budget);
  DeadlineTerminator terminator(deadline);
  solver_->connect_terminator(&terminator);
  const int result = solver_->solve();
  solver_->disconnect_terminator();
  if (result == 10) return SatResult::Satisfiable;
  if (result == 20) return SatResult::Unsatisfiable;
  return SatResult::Unknown;
}

bool Solver::Value(Lit a) const {
  if (IsConstant(a)) return a == kTrue;
  return solver_->val(a) > 0;
}

} // namespace selko::engine::sat
