// Weighted interpretations: the constraint matrix, the elimination and back-substitution, the
// check, the printed weights, the guard of the search, and exact arithmetic at 32-bit limits.
#include "core/orders/weighted_interpretations.hpp"

#include <random>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::RemoveOnce;
using testing::SameLines;
using testing::TableRules;
using Lines = std::vector<std::string>;

TEST(WeightedInterpretations, WorkedExampleEliminatesBThenCThenA) {
  auto p = MakeProver();
  ASSERT_TRUE(RemoveOnce(*p, {"c a -> a a a", "a c a a -> c c b"}));
  EXPECT_TRUE(
      SameLines(LogLines(*p), {"Choose polynomial interpretation  ", "c: lambda x.x+3",
                               "a: lambda x.x+1", "b: identity", "remove: c a  -> a a a "}));
  EXPECT_EQ(TableRules(p->CurrentTable), (Lines{"a c a a -> c c b"}));
  EXPECT_EQ(p->Weights[1], 3); // c
  EXPECT_EQ(p->Weights[2], 1); // a
  EXPECT_EQ(p->Weights[3], 0); // b

  FillTable(p->CurrentTable, {"c a -> a a a", "a c a a -> c c b"});
  ConstraintMatrix m;
  std::array<std::uint8_t, kMaxSymbols + 1> none{};
  ASSERT_TRUE(BuildConstraintMatrix(p->CurrentTable, none, m));
  EXPECT_EQ(m.entry[1][1], 1); // c a -> a a a: c once on the left
  EXPECT_EQ(m.entry[1][2], -2);
  EXPECT_EQ(m.entry[2][1], -1);
  EXPECT_EQ(m.entry[2][2], 3);
  EXPECT_EQ(m.entry[2][3], -1);
  std::array<std::int64_t, kMaxSymbols + 1> w{};
  ASSERT_TRUE(SolveWeights(m, w));
  ASSERT_EQ(m.eliminated, 3);
  EXPECT_EQ(m.eliminationOrder[0], 3); // b
  EXPECT_EQ(m.eliminationOrder[1], 1); // c
  EXPECT_EQ(m.eliminationOrder[2], 2); // a
  EXPECT_EQ(w[1], 3);
  EXPECT_EQ(w[2], 1);
  EXPECT_EQ(w[3], 0);
}

TEST(WeightedInterpretations, PrintedWeightsAreDividedByTheirCommonDivisor) {
  auto p = MakeProver();
  ASSERT_TRUE(RemoveOnce(*p, {"a a -> b b b", "b a b b -> a a b"}));
  EXPECT_TRUE(SameLines(LogLines(*p), {"Choose polynomial interpretation  ", "a: lambda x.x+2",
                                       "b: lambda x.x+1", "remove: a a  -> b b b "}));
  EXPECT_EQ(p->Weights[1], 4); // the check ran on the weights before the division
  EXPECT_EQ(p->Weights[2], 2);
}

TEST(WeightedInterpretations, SecondPassMakesBalancedSymbolsFourfold) {
  auto p = MakeProver();
  // a occurs equally often on both sides of both rules; pass 1 cannot order the first rule.
  // The divisor starts from w(a) = 1, so b and c print unreduced.
  ASSERT_TRUE(RemoveOnce(*p, {"a b c -> c a c", "c b -> b b b"}));
  EXPECT_TRUE(
      SameLines(LogLines(*p), {"Choose polynomial interpretation  ", "a: lambda x.4x",
                               "b: lambda x.x+2", "c: lambda x.x+4", "remove: a b c  -> c a c "}));
  EXPECT_EQ(p->TenfoldSet[1], 1);
  EXPECT_EQ(p->Weights[1], 1);

  ASSERT_TRUE(RemoveOnce(*p, {"a a a -> b a a b", "b c b b -> a b c"}));
  EXPECT_TRUE(
      SameLines(LogLines(*p),
                {"Choose polynomial interpretation  ", "a: lambda x.x+3", "b: lambda x.x+1",
                 "c: lambda x.4x", "remove: a a a  -> b a a b ", "remove: b c b b  -> a b c "}));
}

TEST(WeightedInterpretations, BalancedSystemsAndEmptyTablesFailBothPasses) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, {"a b -> b a", "b a -> a b"});
  EXPECT_FALSE(p->SearchWeights());
  EXPECT_EQ(p->TenfoldSet[1], 1); // pass 2 made every symbol fourfold
  EXPECT_EQ(p->TenfoldSet[2], 1);
  FillTable(p->CurrentTable, {});
  EXPECT_FALSE(p->SearchWeights());
}

TEST(WeightedInterpretations, TriedOnlyBelowTwentySymbolsAndFortyEightRowsAndSymbols) {
  auto p = MakeProver();
  auto setUp = [&](int symbols, int padding) {
    Lines rules = {"c a -> a a a", "a c a a -> c c b"};
    for (int i = 0; i < padding; ++i)
      rules.push_back("a -> a");
    FillTable(p->CurrentTable, rules);
    for (int s = 4; s <= symbols; ++s)
      p->CurrentTable.names[s] = "x" + std::to_string(s);
    p->CurrentTable.symbolCount = symbols;
    p->ReportSteps = 0;
  };
  setUp(19, 0);
  EXPECT_TRUE(p->RemoveByInterpretation());
  setUp(20, 0);
  EXPECT_FALSE(p->RemoveByInterpretation());
  setUp(19, 26); // 28 rules + 19 symbols = 47
  EXPECT_TRUE(p->RemoveByInterpretation());
  setUp(19, 27); // 48
  EXPECT_FALSE(p->RemoveByInterpretation());
  EXPECT_EQ(p->CurrentTable.ruleCount, 29);
}

TEST(WeightedInterpretations, RuleRowsBeyondThirtyTwoBitsFailThePass) {
  auto p = MakeProver();
  // Pass 1 finds no strict rule; in pass 2 t is fourfold and a's entry is 4^16 - 2: the rule
  // does decrease with w(a) = 1, but the entry does not fit 32 bits, so the step fails.
  const std::string t16 = "t t t t t t t t t t t t t t t t";
  FillTable(p->CurrentTable, {t16 + " a -> a a " + t16});
  EXPECT_FALSE(p->SearchWeights());
  ConstraintMatrix m;
  std::array<std::uint8_t, kMaxSymbols + 1> fourfold{};
  fourfold[1] = 1;
  EXPECT_FALSE(BuildConstraintMatrix(p->CurrentTable, fourfold, m));
  // Fifteen fit: 4^15 - 2.
  const std::string t15 = "t t t t t t t t t t t t t t t";
  FillTable(p->CurrentTable, {t15 + " a -> a a " + t15});
  ASSERT_TRUE(BuildConstraintMatrix(p->CurrentTable, fourfold, m));
  EXPECT_EQ(m.entry[1][2], (std::int64_t{1} << 30) - 2);
  p->ReportSteps = 0;
  EXPECT_TRUE(p->SearchWeights());
  EXPECT_EQ(p->RemoveMark[1], 1);
}

TEST(WeightedInterpretations, CombinedRowsBeyondThirtyTwoBitsFailTheSolution) {
  ConstraintMatrix m;
  m.symbols = 2;
  m.ruleRows = 2;
  m.rows = 2;
  m.entry[1][1] = -50000; // x is eliminated first (products 2 and 2, lower number wins)
  m.entry[1][2] = 50000;
  m.entry[2][1] = 50000;
  m.entry[2][2] = -1;
  std::array<std::int64_t, kMaxSymbols + 1> w{};
  EXPECT_FALSE(SolveWeights(m, w)); // 50000 * 50000 - 50000 does not fit

  m = ConstraintMatrix{};
  m.symbols = 2;
  m.ruleRows = 2;
  m.rows = 2;
  m.entry[1][1] = -50000;
  m.entry[1][2] = 40000;
  m.entry[2][1] = 50000;
  m.entry[2][2] = -1;
  EXPECT_TRUE(SolveWeights(m, w)); // 50000 * 40000 - 50000 fits
}

TEST(WeightedInterpretations, BackSubstitutionBeyondThirtyTwoBitsFailsThePass) {
  // A chain w(s+1) >= 40000 w(s) + 1 makes the bounds grow past 32 bits on the way back.
  ConstraintMatrix m;
  m.symbols = 4;
  m.ruleRows = 3;
  m.rows = 3;
  for (int s = 1; s <= 3; ++s) {
    m.entry[s][s + 1] = 1;
    m.entry[s][s] = -40000;
  }
  std::array<std::int64_t, kMaxSymbols + 1> w{};
  EXPECT_FALSE(SolveWeights(m, w));
  // Two links stay within range.
  m = ConstraintMatrix{};
  m.symbols = 3;
  m.ruleRows = 2;
  m.rows = 2;
  for (int s = 1; s <= 2; ++s) {
    m.entry[s][s + 1] = 1;
    m.entry[s][s] = -40000;
  }
  ASSERT_TRUE(SolveWeights(m, w));
  EXPECT_GE(w[3], 40000 * w[2]);
  EXPECT_GE(w[2], 40000 * w[1]);
}

TEST(WeightedInterpretations, EveryReportedDecreaseHoldsOnRandomSystems) {
  auto p = MakeProver();
  std::mt19937 rng(48);
  int successes = 0;
  for (int iteration = 0; iteration < 20000; ++iteration) {
    RuleTable& t = p->CurrentTable;
    t.symbolCount = 2 + static_cast<int>(rng() % 4);
    t.ruleCount = 1 + static_cast<int>(rng() % 4);
    for (int r = 1; r <= t.ruleCount; ++r) {
      t.strict[r] = 1;
      for (Word* w : {&t.lhs[r], &t.rhs[r]}) {
        const int length = static_cast<int>(rng() % 20);
        for (int i = 0; i < length; ++i)
          (*w)[i] = static_cast<Symbol>(1 + rng() % t.symbolCount);
        (*w)[length] = 0;
      }
    }
    p->ReportSteps = 0;
    if (!p->SearchWeights()) continue;
    ++successes;
    // Value of a side with the weights found, read independently: 4x symbols scale what
    // stands to their right.
    auto value = [&](const Word& w) {
      __int128 k = 0;
      for (int i = WordLength(w) - 1; i >= 0; --i) {
        const int s = w[i];
        k = p->TenfoldSet[s] != 0 ? 4 * k : k + p->Weights[s];
      }
      return k;
    };
    auto fourfold = [&](const Word& w) {
      int n = 0;
      for (int i = 0; i < WordLength(w); ++i)
        n += p->TenfoldSet[w[i]] != 0 ? 1 : 0;
      return n;
    };
    bool strictSeen = false;
    for (int r = 1; r <= t.ruleCount; ++r) {
      ASSERT_EQ(fourfold(t.lhs[r]), fourfold(t.rhs[r])) << iteration << " rule " << r;
      const __int128 l = value(t.lhs[r]);
      const __int128 u = value(t.rhs[r]);
      ASSERT_GE(l, u) << iteration << " rule " << r;
      ASSERT_EQ(p->RemoveMark[r], l > u ? 1 : 0) << iteration << " rule " << r;
      strictSeen = strictSeen || l > u;
    }
    ASSERT_TRUE(strictSeen);
  }
  EXPECT_GT(successes, 1000);
}

TEST(CheckWeighted, SideValuesBeyondThirtyTwoBitsFailTheRule) {
  auto p = MakeProver();
  FillTable(p->CurrentTable, {"a -> ", "t t t t t t t t a -> "});
  p->TenfoldSet.fill(0);
  p->TenfoldSet[2] = 1;
  p->Weights.fill(0);
  p->Weights[1] = std::int64_t{1} << 15; // 4^8 * 2^15 = 2^31: one too many
  EXPECT_FALSE(p->CheckWeighted());
  p->Weights[1] = (std::int64_t{1} << 15) - 1;
  EXPECT_TRUE(p->CheckWeighted());
  EXPECT_EQ(p->RemoveMark[2], 1);

  FillTable(p->CurrentTable, {"a a a -> a"});
  p->TenfoldSet.fill(0);
  p->Weights[1] = std::int64_t{1} << 30; // 3 * 2^30 on the left
  EXPECT_FALSE(p->CheckWeighted());
}

} // namespace
} // namespace selko
