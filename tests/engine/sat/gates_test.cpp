#include "engine/sat/gates.hpp"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace selko::engine::sat {
namespace {

// Every gate on every combination of inputs drawn from three variables, their negations and
// the constants, checked against its truth table on every assignment: this covers the folding
// and normalising cases (equal, complementary, constant inputs) as well as the clauses.
TEST(Gates, AgreeWithTruthTablesOnEveryInputCombination) {
  Solver solver;
  Gates gates(solver);
  const std::array<Lit, 3> vars = {solver.NewVariable(), solver.NewVariable(),
                                   solver.NewVariable()};
  std::vector<Lit> pool = {kTrue, kFalse};
  for (Lit v : vars) {
    pool.push_back(v);
    pool.push_back(-v);
  }
  struct Built {
    Lit a, b, c, andG, orG, xorG, ite, majority, xor3;
  };
  std::vector<Built> built;
  for (Lit a : pool) {
    for (Lit b : pool) {
      for (Lit c : pool) {
        built.push_back({a, b, c, gates.And(a, b), gates.Or(a, b), gates.Xor(a, b),
                         gates.Ite(a, b, c), gates.Majority(a, b, c), gates.Xor3(a, b, c)});
      }
    }
  }
  for (int assignment = 0; assignment < 8; ++assignment) {
    std::vector<Lit> assumptions;
    for (int i = 0; i < 3; ++i)
      assumptions.push_back((assignment >> i) & 1 ? vars[i] : -vars[i]);
    ASSERT_EQ(solver.Solve(-1, Deadline(), assumptions), SatResult::Satisfiable);
    for (const Built& g : built) {
      const bool a = solver.Value(g.a), b = solver.Value(g.b), c = solver.Value(g.c);
      EXPECT_EQ(solver.Value(g.andG), a && b);
      EXPECT_EQ(solver.Value(g.orG), a || b);
      EXPECT_EQ(solver.Value(g.xorG), a != b);
      EXPECT_EQ(solver.Value(g.ite), a ? b : c);
      EXPECT_EQ(solver.Value(g.majority), (a + b + c) >= 2);
      EXPECT_EQ(solver.Value(g.xor3), ((a + b + c) % 2) == 1);
    }
  }
}

TEST(Gates, EqualGatesAreBuiltOnce) {
  Solver solver;
  Gates gates(solver);
  const Lit x = solver.NewVariable(), y = solver.NewVariable(), z = solver.NewVariable();
  const Lit g = gates.And(x, -y);
  const auto clauses = solver.ClauseCount();
  EXPECT_EQ(gates.And(-y, x), g);
  EXPECT_EQ(gates.Or(-x, y), -g);
  EXPECT_EQ(gates.Xor(-x, y), gates.Xor(y, x) * -1);
  const Lit m = gates.Majority(x, y, z);
  EXPECT_EQ(gates.Majority(-z, -x, -y), -m);
  const Lit p = gates.Xor3(x, y, z);
  EXPECT_EQ(gates.Xor3(z, -x, y), -p);
  const Lit i = gates.Ite(x, y, z);
  EXPECT_EQ(gates.Ite(-x, z, y), i);
  EXPECT_EQ(gates.Ite(x, -y, -z), -i);
  const auto afterAll = solver.ClauseCount();
  EXPECT_EQ(gates.Majority(y, z, x), m);
  EXPECT_EQ(gates.Xor3(y, x, z), p);
  EXPECT_EQ(solver.ClauseCount(), afterAll);
  EXPECT_GT(afterAll, clauses);
  // Constants fold without clauses.
  EXPECT_EQ(gates.AndAll({x, kTrue, y, kFalse}), kFalse);
  EXPECT_EQ(gates.OrAll({kFalse, x}), x);
  EXPECT_EQ(gates.Xor3(x, kTrue, x), kTrue);
  EXPECT_EQ(solver.ClauseCount(), afterAll);
}

} // namespace
} // namespace selko::engine::sat
