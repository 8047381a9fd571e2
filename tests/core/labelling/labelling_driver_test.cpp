// The labelling driver: removal, path order and labelling in cycles, and label removal.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::LogLines;
using testing::MakeProver;
using testing::ReadPlainLines;
using testing::SameLines;
using testing::TableRules;

// A fresh prover holding a plain-format system, with the number of labelling attempts.
std::unique_ptr<Prover> DriverOn(const std::vector<std::string>& lines, int budget) {
  auto p = MakeProver();
  ReadPlainLines(*p, lines);
  p->AttemptBudget = budget;
  return p;
}

TEST(LabellingDriver, ModelAttemptReplaysItsRemovalAndEndsWithThePathOrder) {
  auto p = DriverOn({"abaabb->aababba"}, 100);
  p->LabellingDriver();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->ReportSteps, 0);
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {
                            "",
                            "Apply labelling with the following interpretation in {0,1}:",
                            "  a: constant 0",
                            "  b: constant 1",
                            "and label every symbol by the value of its argument.",
                            "",
                            "This interpretation is a model.",
                            "",
                            "Labelled system:",
                            "   a1 b0 a0 a1 b1 b0  -> a0 a1 b0 a1 b1 b0 a0 ",
                            "   a1 b0 a0 a1 b1 b1  -> a0 a1 b0 a1 b1 b0 a1 ",
                            "",
                            "Choose polynomial interpretation   b1: lambda x.x+1,  rest identity",
                            "remove: a1 b0 a0 a1 b1 b1  -> a0 a1 b0 a1 b1 b0 a1 ",
                            "",
                            "Terminating since rev(l) > rev(r) for all rules l -> r",
                            "where > is the recursive path order with precedence:",
                            "  b1>a0  a0>a1, after removing b0",
                        }));
}

TEST(LabellingDriver, QuasiModelWithLabelRemovalThenAModel) {
  auto p = DriverOn({"aaa->ba", "bb->bab", "bbb->baa"}, 100);
  p->LabellingDriver();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_TRUE(SameLines(
      LogLines(*p), {
                        "",
                        "Apply labelling with the following interpretation in {0,1}:",
                        "  a: constant 1",
                        "  b: constant 0",
                        "and label every symbol by the value of its argument.",
                        "",
                        "This is a quasi-model for  1 > 0.",
                        "",
                        "Labelled system:",
                        "   a1 a1 a0  -> b1 a0 ",
                        "   a1 a1 a1  -> b1 a1 ",
                        "   b0 b0  -> b1 a0 b0 ",
                        "   b0 b1  -> b1 a0 b1 ",
                        "   b0 b0 b0  -> b1 a1 a0 ",
                        "   b0 b0 b1  -> b1 a1 a1 ",
                        "   a1  ->= a0 ",
                        "   b1  ->= b0 ",
                        "",
                        "Choose polynomial interpretation   a1 b1 b0: lambda x.x+1,  rest identity",
                        "remove: a1 a1 a0  -> b1 a0 ",
                        "remove: a1 a1 a1  -> b1 a1 ",
                        "remove: b0 b0 b0  -> b1 a1 a0 ",
                        "remove: a1  ->= a0 ",
                        "Choose polynomial interpretation   b1 b0: lambda x.x+1,  rest identity",
                        "remove: b0 b0 b1  -> b1 a1 a1 ",
                        "",
                        "Remove all labels, remaining unlabelled system:",
                        "    b b  -> b a b ",
                        "",
                        "Apply labelling with the following interpretation in {0,1}:",
                        "  a: lambda x.1-x",
                        "  b: constant 1",
                        "and label every symbol by the value of its argument.",
                        "",
                        "This interpretation is a model.",
                        "",
                        "Labelled system:",
                        "   b1 b0  -> b0 a1 b0 ",
                        "   b1 b1  -> b0 a1 b1 ",
                        "",
                        "Choose polynomial interpretation   b1: lambda x.x+1,  rest identity",
                        "remove: b1 b0  -> b0 a1 b0 ",
                        "remove: b1 b1  -> b0 a1 b1 ",
                        "Terminating since no rules remain.",
                    }));
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"b b -> b a b"}));
}

TEST(LabellingDriver, WithoutRemLabelsOnlyAProofCountsAndTheReversedPassKeepsItsSystem) {
  auto p = DriverOn({"aaa->ba", "bb->bab", "bbb->baa"}, 100);
  p->Options.remLabels = false;
  p->LabellingDriver();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_EQ(p->LabelReversed, 1);
  EXPECT_TRUE(SameLines(
      LogLines(*p), {
                        "",
                        "Reverse every lhs and rhs of the system.",
                        "",
                        "Apply labelling with the following interpretation in {0,1}:",
                        "  a: constant 0",
                        "  b: constant 1",
                        "and label every symbol by the value of its argument.",
                        "",
                        "This is a quasi-model for  1 > 0.",
                        "",
                        "Labelled system:",
                        "   a0 a0 a0  -> a1 b0 ",
                        "   a0 a0 a1  -> a1 b1 ",
                        "   b1 b0  -> b0 a1 b0 ",
                        "   b1 b1  -> b0 a1 b1 ",
                        "   b1 b1 b0  -> a0 a1 b0 ",
                        "   b1 b1 b1  -> a0 a1 b1 ",
                        "   a1  ->= a0 ",
                        "   b1  ->= b0 ",
                        "",
                        "Choose polynomial interpretation   a1 b1 a0: lambda x.x+1,  rest identity",
                        "remove: a0 a0 a0  -> a1 b0 ",
                        "remove: a0 a0 a1  -> a1 b1 ",
                        "remove: b1  ->= b0 ",
                        "Choose polynomial interpretation   b1: lambda x.x+1,  rest identity",
                        "remove: b1 b0  -> b0 a1 b0 ",
                        "remove: b1 b1  -> b0 a1 b1 ",
                        "remove: b1 b1 b0  -> a0 a1 b0 ",
                        "remove: b1 b1 b1  -> a0 a1 b1 ",
                        "Choose polynomial interpretation   a1: lambda x.x+1,  rest identity",
                        "remove: a1  ->= a0 ",
                        "Terminating since no rules remain.",
                    }));
  EXPECT_EQ(TableRules(p->WorkTable),
            (std::vector<std::string>{"a a a -> a b", "b b -> b a b", "b b b -> a a b"}));
}

TEST(LabellingDriver, RemovalStepsBeforeTheLabellingThatCompletesTheProof) {
  auto p =
      DriverOn({"aaa->bcc", "aaa->aba", "bbc->bac", "cba->=bca", "abb->=acb", "aca->=caa"}, 100);
  p->LabellingDriver();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_TRUE(SameLines(LogLines(*p),
                        {
                            "Choose polynomial interpretation   a b: lambda x.x+1,  rest identity",
                            "remove: a a a  -> b c c ",
                            "remove: a b b  ->= a c b ",
                            "Remaining rules:",
                            "    a a a  -> a b a ",
                            "    b b c  -> b a c ",
                            "    c b a  ->= b c a ",
                            "    a c a  ->= c a a ",
                            "",
                            "Apply labelling with the following interpretation in {0,1}:",
                            "  a: constant 1",
                            "  b: constant 0",
                            "  c: identity",
                            "and label every symbol by the value of its argument.",
                            "",
                            "This interpretation is a model.",
                            "",
                            "Labelled system:",
                            "   a1 a1 a0  -> a0 b1 a0 ",
                            "   a1 a1 a1  -> a0 b1 a1 ",
                            "   b0 b0 c0  -> b1 a0 c0 ",
                            "   b0 b1 c1  -> b1 a1 c1 ",
                            "   c0 b1 a0  ->= b1 c1 a0 ",
                            "   c0 b1 a1  ->= b1 c1 a1 ",
                            "   a1 c1 a0  ->= c1 a1 a0 ",
                            "   a1 c1 a1  ->= c1 a1 a1 ",
                            "",
                            "Choose polynomial interpretation   b0: lambda x.x+1,  rest identity",
                            "remove: b0 b0 c0  -> b1 a0 c0 ",
                            "remove: b0 b1 c1  -> b1 a1 c1 ",
                            "Choose polynomial interpretation   a1: lambda x.x+1,  rest identity",
                            "remove: a1 a1 a0  -> a0 b1 a0 ",
                            "remove: a1 a1 a1  -> a0 b1 a1 ",
                            "Choose polynomial interpretation   c0: lambda x.x+1,  rest identity",
                            "remove: c0 b1 a0  ->= b1 c1 a0 ",
                            "remove: c0 b1 a1  ->= b1 c1 a1 ",
                            "Choose polynomial interpretation:",
                            "a1: lambda x.10x,  rest lambda x.x+1",
                            "remove: a1 c1 a0  ->= c1 a1 a0 ",
                            "remove: a1 c1 a1  ->= c1 a1 a1 ",
                            "Terminating since no rules remain.",
                        }));
}

TEST(LabellingDriver, RemovalWithoutProofIsLoggedAndKeptInWorkTable) {
  auto p = DriverOn({"aaa->bcc", "aaa->aba", "bbc->bac", "cba->=bca", "abb->=acb", "aca->=caa"}, 0);
  p->LabellingDriver();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->LabelProgress, 0);
  EXPECT_EQ(p->RandomSeed, 0u);
  EXPECT_TRUE(SameLines(LogLines(*p), {
                                          "Choose polynomial interpretation   a b: lambda "
                                          "x.x+1,  rest identity",
                                          "remove: a a a  -> b c c ",
                                          "remove: a b b  ->= a c b ",
                                          "Remaining rules:",
                                          "    a a a  -> a b a ",
                                          "    b b c  -> b a c ",
                                          "    c b a  ->= b c a ",
                                          "    a c a  ->= c a a ",
                                      }));
  EXPECT_EQ(TableRules(p->WorkTable),
            (std::vector<std::string>{"a a a -> a b a", "b b c -> b a c", "c b a ->= b c a",
                                      "a c a ->= c a a"}));
}

TEST(LabellingDriver, NothingToDoLeavesNoTrace) {
  // Already proved: no cycle at all.
  auto proved = DriverOn({"ab->ba"}, 100);
  proved->Proved = 1;
  proved->LabellingDriver();
  EXPECT_EQ(proved->LogCount, 0);
  EXPECT_EQ(proved->RandomSeed, 0u);
  EXPECT_EQ(TableRules(proved->WorkTable), (std::vector<std::string>{"a b -> b a"}));

  // No rules: proved by the silent removal loop, and nothing is replayed.
  auto empty = DriverOn({}, 100);
  empty->LabellingDriver();
  EXPECT_EQ(empty->Proved, 1);
  EXPECT_EQ(empty->LogCount, 0);

  // Only relative rules that nothing removes: proved, silently.
  auto relative = DriverOn({"ab->=ab"}, 100);
  relative->LabellingDriver();
  EXPECT_EQ(relative->Proved, 1);
  EXPECT_EQ(relative->LogCount, 0);
}

TEST(LabellingDriver, PathOrderProofAfterRemovals) {
  // Counting removes a b -> c c; the path order then orients c b a -> b c a b.
  auto p = DriverOn({"cba->bcab", "ab->cc"}, 0);
  p->LabellingDriver();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_TRUE(SameLines(LogLines(*p), {
                                          "Choose polynomial interpretation   a: lambda x.x+1,  "
                                          "rest identity",
                                          "remove: a b  -> c c ",
                                          "Remaining rule:",
                                          "    c b a  -> b c a b ",
                                          "",
                                          "Terminating by recursive path order with precedence:",
                                          "  c>b  b>a",
                                      }));
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"c b a -> b c a b"}));
}

TEST(LabellingDriver, StopsWithoutACycleWhenTheTimeIsUp) {
  auto p = DriverOn({"aaa->ba", "bb->bab", "bbb->baa"}, 100);
  p->Interrupted = true;
  p->LabellingDriver();
  EXPECT_EQ(p->Proved, 0);
  EXPECT_EQ(p->LabelProgress, 0);
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(p->RandomSeed, 0u);
}

} // namespace
} // namespace selko
