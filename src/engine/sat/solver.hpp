// The SAT solver behind every search of the engine: CaDiCaL, used incrementally. Literals are
// DIMACS integers; kTrue and kFalse are constant literals (a variable fixed to true), so that
// circuits can fold constants before a clause is ever written.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "engine/deadline.hpp"

namespace CaDiCaL {
class Solver;
}

namespace selko::engine::sat {

using Lit = int;

constexpr Lit kTrue = 1;
constexpr Lit kFalse = -1;

inline bool IsConstant(Lit a) { return a == kTrue || a == kFalse; }
inline Lit Constant(bool value) { return value ? kTrue : kFalse; }

enum class SatResult { Satisfiable, Unsatisfiable, Unknown };

class Solver {
public:
  Solver();
  ~Solver();
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  Lit NewVariable();
  // Adds the clause, dropping false constants; a clause with a true constant is not added.
  void AddClause(std::initializer_list<Lit> clause);
  void AddClause(const std::vector<Lit>& clause);
  // Forces the literal (a unit clause).
  void Assert(Lit a) { AddClause({a}); }

  // Solves under the assumptions, giving up after `conflictBudget` conflicts (negative: no
  // budget) or once the deadline passes.
  SatResult Solve(std::int64_t conflictBudget, const Deadline& deadline,
                  const std::vector<Lit>& assumptions = {});

  // The literal's value in the model of the last satisfiable Solve.
  bool Value(Lit a) const;

  int VariableCount() const { return variables_; }
  std::int64_t ClauseCount() const { return clauses_; }
  std::int64_t LiteralCount() const { return literals_; }
  // An empty clause was added: every Solve answers Unsatisfiable.
  bool Inconsistent() const { return inconsistent_; }

private:
  template <typename Range> void AddRange(const Range& clause);

  std::unique_ptr<CaDiCaL::Solver> solver_;
  int variables_ = 1; // variable 1 is the constant true
  std::int64_t clauses_ = 0;
  std::int64_t literals_ = 0;
  bool inconsistent_ = false;
  std::vector<Lit> buffer_;
  std::unordered_set<Lit> units_; // unit clauses added so far, each added once
};

} // namespace selko::engine::sat
