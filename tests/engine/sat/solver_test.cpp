#include "engine/sat/solver.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace selko::engine::sat {
namespace {

// Pigeons into holes, one fewer hole than pigeons: unsatisfiable, and hard for resolution.
void AddPigeonhole(Solver& solver, int holes) {
  std::vector<std::vector<Lit>> in(holes + 1, std::vector<Lit>(holes));
  for (auto& pigeon : in) {
    for (Lit& x : pigeon)
      x = solver.NewVariable();
    solver.AddClause(pigeon);
  }
  for (int h = 0; h < holes; ++h) {
    for (int p = 0; p <= holes; ++p) {
      for (int q = p + 1; q <= holes; ++q)
        solver.AddClause({-in[p][h], -in[q][h]});
    }
  }
}

TEST(Solver, ConstantsFoldAndModelsAnswerIncrementally) {
  Solver solver;
  const Lit x = solver.NewVariable(), y = solver.NewVariable();
  solver.AddClause({x, kTrue}); // satisfied by the constant: not added
  EXPECT_EQ(solver.ClauseCount(), 0);
  solver.AddClause({x, y, kFalse});
  EXPECT_EQ(solver.ClauseCount(), 1);
  EXPECT_EQ(solver.Solve(-1, Deadline(), {-x}), SatResult::Satisfiable);
  EXPECT_FALSE(solver.Value(x));
  EXPECT_TRUE(solver.Value(y));
  EXPECT_TRUE(solver.Value(kTrue));
  EXPECT_FALSE(solver.Value(kFalse));
  // Assumptions last for one call only.
  EXPECT_EQ(solver.Solve(-1, Deadline(), {-x, -y}), SatResult::Unsatisfiable);
  EXPECT_EQ(solver.Solve(-1, Deadline(), {kFalse}), SatResult::Unsatisfiable);
  EXPECT_EQ(solver.Solve(-1, Deadline(), {kTrue, -y}), SatResult::Satisfiable);
  EXPECT_TRUE(solver.Value(x));
  // A variable in no clause still has a value.
  const Lit unused = solver.NewVariable();
  EXPECT_EQ(solver.Solve(-1, Deadline()), SatResult::Satisfiable);
  (void)solver.Value(unused);
}

TEST(Solver, EmptyClauseMakesEverySolveUnsatisfiable) {
  Solver solver;
  const Lit x = solver.NewVariable();
  solver.AddClause({kFalse, kFalse});
  EXPECT_TRUE(solver.Inconsistent());
  EXPECT_EQ(solver.Solve(-1, Deadline(), {x}), SatResult::Unsatisfiable);
}

TEST(Solver, BudgetAndDeadlineStopTheSearch) {
  Solver solver;
  AddPigeonhole(solver, 9);
  EXPECT_EQ(solver.Solve(10, Deadline()), SatResult::Unknown);
  EXPECT_EQ(solver.Solve(-1, Deadline::After(1e-9)), SatResult::Unknown);
  std::atomic<bool> stop{true};
  EXPECT_EQ(solver.Solve(-1, Deadline().WithStop(&stop)), SatResult::Unknown);

  Solver small;
  AddPigeonhole(small, 3);
  EXPECT_EQ(small.Solve(-1, Deadline()), SatResult::Unsatisfiable);
}

} // namespace
} // namespace selko::engine::sat
