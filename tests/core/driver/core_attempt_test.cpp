// The core attempt: the labelling driver on the system, on its dependency pairs, and on the
// dependency pairs of the reversed system.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::FillTable;
using testing::LogLines;
using testing::MakeProver;
using testing::ReadPlainLines;
using testing::SameLines;
using testing::TableRules;

std::unique_ptr<Prover> CoreOn(const std::vector<std::string>& lines, int budget) {
  auto p = MakeProver();
  ReadPlainLines(*p, lines);
  p->AttemptBudget = budget;
  return p;
}

TEST(CoreAttempt, ProofInTheReversedDependencyPairPassKeepsTheFirstPassOnly) {
  auto p = CoreOn({"baab->ab", "b->ac", "acba->bab"}, 0);
  p->ReportSteps = 1; // cleared at the start
  p->CoreAttempt();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->ReportSteps, 0);
  // The first pass removed one rule; its lines stay, and the mark is set behind them.
  EXPECT_EQ(p->AttemptMark, 5);
  EXPECT_EQ(TableRules(p->SlotA), (std::vector<std::string>{"b -> a c", "a c b a -> b a b"}));
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {
                            "Choose polynomial interpretation   b a: lambda x.x+1,  rest identity",
                            "remove: b a a b  -> a b ",
                            "Remaining rules:",
                            "    b  -> a c ",
                            "    a c b a  -> b a b ",
                            "",
                            "Reverse every lhs and rhs of the system.",
                            "",
                            "Dependency pair transformation:",
                            "  b  ->= c a ",
                            "  a b c a  ->= b a b ",
                            "  B  -> A ",
                            "  A b c a  -> B a b ",
                            "  A b c a  -> A b ",
                            "  A b c a  -> B ",
                            "Choose polynomial interpretation   b a: lambda x.x+1,  rest identity",
                            "remove: A b c a  -> A b ",
                            "remove: A b c a  -> B ",
                            "Choose polynomial interpretation   b c: lambda x.x+1,  rest identity",
                            "remove: A b c a  -> B a b ",
                            "Choose polynomial interpretation   B: lambda x.x+1,  rest identity",
                            "remove: B  -> A ",
                            "Relatively terminating since no strict rules remain.",
                        }));
}

TEST(CoreAttempt, ReversedDependencyPairPassWithLabelling) {
  auto p = CoreOn({"aaba->aaaa", "aaab->baba"}, 100);
  p->CoreAttempt();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->AttemptMark, 0);
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {
                            "",
                            "Reverse every lhs and rhs of the system.",
                            "",
                            "Dependency pair transformation:",
                            "  a b a a  ->= a a a a ",
                            "  b a a a  ->= a b a b ",
                            "  A b a a  -> A a a a ",
                            "  A b a a  -> A a a ",
                            "  A b a a  -> A a ",
                            "  A b a a  -> A ",
                            "  B a a a  -> A b a b ",
                            "  B a a a  -> B a b ",
                            "  B a a a  -> A b ",
                            "  B a a a  -> B ",
                            "Choose polynomial interpretation   a b A B: lambda x.x+1",
                            "remove: A b a a  -> A a a ",
                            "remove: A b a a  -> A a ",
                            "remove: A b a a  -> A ",
                            "remove: B a a a  -> B a b ",
                            "remove: B a a a  -> A b ",
                            "remove: B a a a  -> B ",
                            "Choose polynomial interpretation   B: lambda x.x+1,  rest identity",
                            "remove: B a a a  -> A b a b ",
                            "Remaining rules:",
                            "    a b a a  ->= a a a a ",
                            "    b a a a  ->= a b a b ",
                            "    A b a a  -> A a a a ",
                            "",
                            "Apply labelling with the following interpretation in {0,1}:",
                            "  a: constant 0",
                            "  b: constant 1",
                            "  A: constant 0",
                            "  B: constant 1",
                            "and label every symbol by the value of its argument.",
                            "",
                            "This is a quasi-model for  1 > 0.",
                            "",
                            "Labelled system:",
                            "   a1 b0 a0 a0  ->= a0 a0 a0 a0 ",
                            "   a1 b0 a0 a1  ->= a0 a0 a0 a1 ",
                            "   b0 a0 a0 a0  ->= a1 b0 a1 b0 ",
                            "   b0 a0 a0 a1  ->= a1 b0 a1 b1 ",
                            "   A1 b0 a0 a0  -> A0 a0 a0 a0 ",
                            "   A1 b0 a0 a1  -> A0 a0 a0 a1 ",
                            "   a1  ->= a0 ",
                            "   b1  ->= b0 ",
                            "   A1  ->= A0 ",
                            "   B1  ->= B0 ",
                            "",
                            "Choose polynomial interpretation   A1: lambda x.x+1,  rest identity",
                            "remove: A1 b0 a0 a0  -> A0 a0 a0 a0 ",
                            "remove: A1 b0 a0 a1  -> A0 a0 a0 a1 ",
                            "remove: A1  ->= A0 ",
                            "Choose polynomial interpretation   B1: lambda x.x+1,  rest identity",
                            "remove: B1  ->= B0 ",
                            "Relatively terminating since no strict rules remain.",
                        }));
}

TEST(CoreAttempt, FirstPassProofBuildsNoDependencyPairs) {
  auto p = CoreOn({"ab->ba"}, 0);
  p->SlotA.ruleCount = 7; // untouched
  p->CoreAttempt();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->SlotA.ruleCount, 7);
  EXPECT_EQ(p->AttemptMark, p->LogCount);
  EXPECT_TRUE(SameLines(LogLines(*p), {
                                          "Choose polynomial interpretation:",
                                          "a: lambda x.10x,  rest lambda x.x+1",
                                          "remove: a b  -> b a ",
                                          "Terminating since no rules remain.",
                                      }));
}

TEST(CoreAttempt, RelativeProblemGetsTheFirstPassOnly) {
  auto p = CoreOn({"ab->ba", "ba->=ab"}, 0);
  ASSERT_EQ(p->PlainMode, 0);
  FillTable(p->SlotA, {"x -> y"});
  p->LogLine("before");
  p->CoreAttempt();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->AttemptMark, 1);
  EXPECT_EQ(p->LogCount, 1);
  EXPECT_EQ(TableRules(p->SlotA), (std::vector<std::string>{"x -> y"}));
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"a b -> b a", "b a ->= a b"}));
}

TEST(CoreAttempt, FailedPassesLeaveTheFirstPassSystemInSlotA) {
  // Not terminating. Each pass starts by cutting the log back to the mark after the first
  // pass (empty here), so what is left is the failed reversed pass, for the caller to cut.
  auto p = CoreOn({"ab->ba", "ba->ab"}, 0);
  p->CoreAttempt();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(TableRules(p->SlotA), (std::vector<std::string>{"a b -> b a", "b a -> a b"}));
  EXPECT_EQ(p->AttemptMark, 0);
  EXPECT_TRUE(
      SameLines(LogLines(*p), {
                                  "",
                                  "Reverse every lhs and rhs of the system.",
                                  "",
                                  "Dependency pair transformation:",
                                  "  b a  ->= a b ",
                                  "  a b  ->= b a ",
                                  "  B a  -> A b ",
                                  "  B a  -> B ",
                                  "  A b  -> B a ",
                                  "  A b  -> A ",
                                  "Choose polynomial interpretation   a b A B: lambda x.x+1",
                                  "remove: B a  -> B ",
                                  "remove: A b  -> A ",
                                  "Remaining rules:",
                                  "    b a  ->= a b ",
                                  "    a b  ->= b a ",
                                  "    B a  -> A b ",
                                  "    A b  -> B a ",
                              }));
}

} // namespace
} // namespace selko
