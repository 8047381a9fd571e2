// The removal loop: repeated removal, the verdict lines and the listing of remaining rules.
#include <random>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::SameLines;
using testing::TableRules;
using Lines = std::vector<std::string>;

// Both tables hold `rules`; the loop runs with steps reported.
void Loop(Prover& p, const Lines& rules, bool report = true) {
  FillTable(p.WorkTable, rules);
  p.CommitWork();
  p.LogCount = 0;
  p.Proved = 0;
  p.ProvedByRpo = 1;
  p.ReportSteps = report ? 1 : 0;
  p.RemovalLoop();
}

TEST(RemovalLoop, EmptyTableIsTerminating) {
  auto p = MakeProver();
  Loop(*p, {});
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->ProvedByRpo, 0);
  EXPECT_TRUE(SameLines(LogLines(*p), {"Terminating since no rules remain."}));
}

TEST(RemovalLoop, RemovesStepByStepUntilNoRuleRemains) {
  auto p = MakeProver();
  Loop(*p, {"a b -> b a", "a a -> a"});
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->ProvedByRpo, 0);
  EXPECT_TRUE(SameLines(
      LogLines(*p), {"Choose polynomial interpretation   a b: lambda x.x+1", "remove: a a  -> a ",
                     "Choose polynomial interpretation:", "a: lambda x.10x,  rest lambda x.x+1",
                     "remove: a b  -> b a ", "Terminating since no rules remain."}));
}

TEST(RemovalLoop, OnlyRelativeRulesLeftIsRelativelyTerminating) {
  auto p = MakeProver();
  Loop(*p, {"a b ->= b a", "b a ->= a b"});
  EXPECT_EQ(p->Proved, 1);
  EXPECT_TRUE(SameLines(LogLines(*p), {"Relatively terminating since no strict rules remain."}));

  Loop(*p, {"a a -> a", "b ->= b b"});
  EXPECT_EQ(p->Proved, 1);
  EXPECT_TRUE(
      SameLines(LogLines(*p),
                {"Choose polynomial interpretation   a: lambda x.x+1,  rest identity",
                 "remove: a a  -> a ", "Relatively terminating since no strict rules remain."}));
}

TEST(RemovalLoop, ListsWhatRemainsWhenRulesWereRemoved) {
  auto p = MakeProver();
  Loop(*p, {"a a -> a", "b -> b b"});
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->ProvedByRpo, 1);
  EXPECT_TRUE(
      SameLines(LogLines(*p), {"Choose polynomial interpretation   a: lambda x.x+1,  rest identity",
                               "remove: a a  -> a ", "Remaining rule:", "    b  -> b b "}));

  Loop(*p, {"a a -> a", "a b -> b a", "b a ->= a b"});
  EXPECT_EQ(p->Proved, 0);
  EXPECT_TRUE(SameLines(LogLines(*p), {"Choose polynomial interpretation   a b: lambda x.x+1",
                                       "remove: a a  -> a ", "Remaining rules:", "    a b  -> b a ",
                                       "    b a  ->= a b "}));
}

TEST(RemovalLoop, NothingRemovedWritesNothing) {
  auto p = MakeProver();
  Loop(*p, {"a b -> b a", "b a -> a b"});
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(p->CurrentTable.ruleCount, 2);
}

TEST(RemovalLoop, ListsOnlyWhenFewerRulesRemainThanWorkTableHolds) {
  auto p = MakeProver();
  // A labelled system in CurrentTable, larger than the WorkTable it came from.
  FillTable(p->CurrentTable, {"a a -> a", "a b -> b a", "b a -> a b"});
  FillTable(p->WorkTable, {"x -> y"});
  p->LogCount = 0;
  p->ReportSteps = 1;
  p->RemovalLoop();
  EXPECT_EQ(p->CurrentTable.ruleCount, 2);
  EXPECT_TRUE(SameLines(LogLines(*p), {"Choose polynomial interpretation   a b: lambda x.x+1",
                                       "remove: a a  -> a "}));
  EXPECT_EQ(p->WorkTable.ruleCount, 1); // never changed
}

TEST(RemovalLoop, SilentRunMakesTheSameRemovalsAndVerdict) {
  auto p = MakeProver();
  const Lines rules = {"c a -> a a a", "a c a a -> c c b", "a b -> b a"};
  Loop(*p, rules, true);
  const Lines reported = TableRules(p->CurrentTable);
  const auto proved = p->Proved;
  Loop(*p, rules, false);
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(TableRules(p->CurrentTable), reported);
  EXPECT_EQ(p->Proved, proved);
  EXPECT_EQ(proved, 1);
}

TEST(RemovalLoop, ArbitraryTableContentsNeverReachPastTheTables) {
  auto p = MakeProver();
  std::mt19937 rng(1000);
  for (int round = 0; round < 3; ++round) {
    RuleTable& t = p->CurrentTable;
    // Full tables: 1000 rules, Words without a terminating 0, symbol bytes beyond the names.
    t.ruleCount = kMaxRules;
    t.symbolCount = round == 0 ? kMaxSymbols : round == 1 ? 19 : 3;
    for (int r = 1; r <= kMaxRules; ++r) {
      t.strict[r] = static_cast<std::uint8_t>(rng());
      for (Word* w : {&t.lhs[r], &t.rhs[r]})
        for (auto& b : *w)
          b = static_cast<Symbol>(round == 2 ? 1 + rng() % 3 : rng());
    }
    p->WorkTable.ruleCount = kMaxRules;
    p->ReportSteps = 1;
    p->LogCount = 0;
    p->RemovalLoop();
    EXPECT_LE(p->CurrentTable.ruleCount, kMaxRules);
    EXPECT_GE(p->CurrentTable.ruleCount, 0);
  }
}

} // namespace
} // namespace selko
