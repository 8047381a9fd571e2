// Labelling through whole runs: relative systems that need it, left contexts, and the random
// sequence that one prover continues from press to press.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::MakeProver;
using testing::SameLines;

TEST(LabellingRun, QuasiModelInTheReversedPassThenLabelRemovalThenAModel) {
  auto p = MakeProver();
  const RunResult result = p->Run(
      {"aaa->abc", "bbc->aab", "bac->=cab", "aab->=cac", "cbc->=bac", "baa->=cab"}, RunOptions{});
  EXPECT_EQ(result.status, Status::Terminating);
  EXPECT_TRUE(SameLines(
      result.proof,
      {
          "SELKO 1.4 is applied to the string rewriting system",
          "a a a  -> a b c ",
          "b b c  -> a a b ",
          "b a c  ->= c a b ",
          "a a b  ->= c a c ",
          "c b c  ->= b a c ",
          "b a a  ->= c a b ",
          "",
          "Reverse every lhs and rhs of the system.",
          "",
          "Apply labelling with the following interpretation in {0,1}:",
          "  a: constant 1",
          "  b: constant 0",
          "  c: constant 0",
          "and label every symbol by the value of its argument.",
          "",
          "This is a quasi-model for  1 > 0.",
          "",
          "Labelled system:",
          "   a1 a1 a0  -> c0 b1 a0 ",
          "   a1 a1 a1  -> c0 b1 a1 ",
          "   c0 b0 b0  -> b1 a1 a0 ",
          "   c0 b0 b1  -> b1 a1 a1 ",
          "   c1 a0 b0  ->= b1 a0 c0 ",
          "   c1 a0 b1  ->= b1 a0 c1 ",
          "   b1 a1 a0  ->= c1 a0 c0 ",
          "   b1 a1 a1  ->= c1 a0 c1 ",
          "   c0 b0 c0  ->= c1 a0 b0 ",
          "   c0 b0 c1  ->= c1 a0 b1 ",
          "   a1 a0 b0  ->= b1 a0 c0 ",
          "   a1 a0 b1  ->= b1 a0 c1 ",
          "   a1  ->= a0 ",
          "   b1  ->= b0 ",
          "   c1  ->= c0 ",
          "",
          "Choose polynomial interpretation   a1 b1 c1 b0 c0: lambda x.x+1,  rest identity",
          "remove: c0 b0 b0  -> b1 a1 a0 ",
          "remove: b1 a1 a1  ->= c1 a0 c1 ",
          "remove: c0 b0 c0  ->= c1 a0 b0 ",
          "remove: c0 b0 c1  ->= c1 a0 b1 ",
          "remove: a1  ->= a0 ",
          "Reverse every lhs and rhs of the system and choose polynomial interpretation:",
          "a0: lambda x.10x,  rest lambda x.x+1",
          "remove: b1 a1 a0  ->= c1 a0 c0 ",
          "Choose polynomial interpretation  ",
          "a1: lambda x.x+2",
          "b1: lambda x.x+3",
          "c1: lambda x.x+2",
          "a0: lambda x.x+1",
          "b0: lambda x.x+3",
          "c0: lambda x.x+1",
          "remove: c1 a0 b0  ->= b1 a0 c0 ",
          "remove: a1 a0 b0  ->= b1 a0 c0 ",
          "remove: c1  ->= c0 ",
          "Choose polynomial interpretation   a1 b1 a0 b0 c0: lambda x.x+1,  rest identity",
          "remove: a1 a0 b1  ->= b1 a0 c1 ",
          "Choose polynomial interpretation:",
          "c1: lambda x.10x,  rest lambda x.x+1",
          "remove: c1 a0 b1  ->= b1 a0 c1 ",
          "Remaining rules:",
          "    a1 a1 a0  -> c0 b1 a0 ",
          "    a1 a1 a1  -> c0 b1 a1 ",
          "    c0 b0 b1  -> b1 a1 a1 ",
          "    b1  ->= b0 ",
          "",
          "Remove all labels, remaining unlabelled system:",
          "    a a a  -> c b a ",
          "    c b b  -> b a a ",
          "",
          "Reverse every lhs and rhs of the system.",
          "",
          "Apply labelling with the following interpretation in {0,1}:",
          "  a: constant 0",
          "  b: lambda x.1-x",
          "  c: constant 0",
          "and label every symbol by the value of its argument.",
          "",
          "This interpretation is a model.",
          "",
          "Labelled system:",
          "   a0 a0 a0  -> a1 b0 c0 ",
          "   a0 a0 a1  -> a1 b0 c1 ",
          "   b1 b0 c0  -> a0 a1 b0 ",
          "   b1 b0 c1  -> a0 a0 b1 ",
          "",
          "Choose polynomial interpretation   b1: lambda x.x+1,  rest identity",
          "remove: b1 b0 c0  -> a0 a1 b0 ",
          "Choose polynomial interpretation   b1 c1 a0 b0 c0: lambda x.x+1,  rest identity",
          "remove: a0 a0 a0  -> a1 b0 c0 ",
          "Choose polynomial interpretation:",
          "b1: lambda x.10x,  rest lambda x.x+1",
          "remove: b1 b0 c1  -> a0 a0 b1 ",
          "Choose polynomial interpretation   a0: lambda x.x+1,  rest identity",
          "remove: a0 a0 a1  -> a1 b0 c1 ",
          "Terminating since no rules remain.",
      }));
}

TEST(LabellingRun, TwoSymbolSystemGetsLeftContexts) {
  auto p = MakeProver();
  const RunResult result = p->Run({"abba->ab", "->=aaba"}, RunOptions{});
  EXPECT_EQ(result.status, Status::Terminating);
  EXPECT_TRUE(SameLines(result.proof,
                        {
                            "SELKO 1.4 is applied to the string rewriting system",
                            "a b b a  -> a b ",
                            " ->= a a b a ",
                            "",
                            "Add left contexts in order to obtain a model for labelling.",
                            "",
                            "Apply labelling with the following interpretation in {0,1}:",
                            "   a: constant 1,   b: constant 0,",
                            "and label every symbol by the value of its argument, resulting in:",
                            "a0 b0 b1 a0  -> a0 b0 ",
                            "a0 b0 b1 a1  -> a0 b1 ",
                            "a0  ->= a1 a1 a0 b1 a0 ",
                            "a1  ->= a1 a1 a0 b1 a1 ",
                            "b0  ->= b1 a1 a0 b1 a0 ",
                            "b1  ->= b1 a1 a0 b1 a1 ",
                            "Choose polynomial interpretation   b0: lambda x.x+1,  rest identity",
                            "remove: a0 b0 b1 a1  -> a0 b1 ",
                            "remove: b0  ->= b1 a1 a0 b1 a0 ",
                            "Remaining rules:",
                            "    a0 b0 b1 a0  -> a0 b0 ",
                            "    a0  ->= a1 a1 a0 b1 a0 ",
                            "    a1  ->= a1 a1 a0 b1 a1 ",
                            "    b1  ->= b1 a1 a0 b1 a1 ",
                            "",
                            "Reverse every lhs and rhs of the system.",
                            "",
                            "Apply labelling with the following interpretation in {0,1}:",
                            "  a1: constant 0",
                            "  b1: identity",
                            "  a0: identity",
                            "  b0: constant 1",
                            "and label every symbol by the value of its argument.",
                            "",
                            "This is a quasi-model for  1 > 0.",
                            "",
                            "Labelled system:",
                            "   a01 b11 b00 a00  -> b00 a00 ",
                            "   a01 b11 b01 a01  -> b01 a01 ",
                            "   a00  ->= a00 b10 a00 a10 a10 ",
                            "   a01  ->= a00 b10 a00 a10 a11 ",
                            "   a10  ->= a10 b10 a00 a10 a10 ",
                            "   a11  ->= a10 b10 a00 a10 a11 ",
                            "   b10  ->= a10 b10 a00 a10 b10 ",
                            "   b11  ->= a10 b10 a00 a11 b11 ",
                            "   a11  ->= a10 ",
                            "   b11  ->= b10 ",
                            "   a01  ->= a00 ",
                            "   b01  ->= b00 ",
                            "",
                            "Choose polynomial interpretation   b11: lambda x.x+1,  rest identity",
                            "remove: a01 b11 b00 a00  -> b00 a00 ",
                            "remove: a01 b11 b01 a01  -> b01 a01 ",
                            "remove: b11  ->= b10 ",
                            "Choose polynomial interpretation   a01: lambda x.x+1,  rest identity",
                            "remove: a01  ->= a00 b10 a00 a10 a11 ",
                            "remove: a01  ->= a00 ",
                            "Choose polynomial interpretation   b01: lambda x.x+1,  rest identity",
                            "remove: b01  ->= b00 ",
                            "Relatively terminating since no strict rules remain.",
                        }));
}

TEST(LabellingRun, PressesOnOneProverContinueTheRandomSequence) {
  const std::vector<std::string> input = {"abc->caca", "cc->cbac", "a->=ba"};
  auto first = MakeProver();
  const RunResult one = first->Run(input, RunOptions{});
  const RunResult two = first->Run(input, RunOptions{});
  EXPECT_EQ(one.status, Status::Terminating);
  EXPECT_EQ(two.status, Status::Terminating);
  EXPECT_NE(one.proof, two.proof);

  // A fresh prover starts the sequence again and gives the text of the first press.
  auto fresh = MakeProver();
  EXPECT_TRUE(SameLines(fresh->Run(input, RunOptions{}).proof, one.proof));
}

TEST(LabellingRun, PlainSystemsThatNeedLabellingAreProved) {
  for (const std::vector<std::string>& input :
       {std::vector<std::string>{"aaa->ba", "bb->bab", "bbb->baa"},
        std::vector<std::string>{"abaabb->aababba"}}) {
    auto p = MakeProver();
    EXPECT_EQ(p->Run(input, RunOptions{}).status, Status::Terminating) << input.front();
  }
}

TEST(LabellingRun, NoAttemptsMeansNoLabellingProof) {
  RunOptions options;
  options.attemptsText = "0";
  auto p = MakeProver();
  const RunResult result = p->Run({"abc->caca", "cc->cbac", "a->=ba"}, options);
  EXPECT_EQ(result.status, Status::NoProof);
  EXPECT_EQ(p->RandomSeed, 0u);
}

} // namespace
} // namespace selko
