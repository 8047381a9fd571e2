// Whole proof runs: each phase of the order giving the proof, and which phases a problem gets.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::MakeProver;
using testing::SameLines;
using Lines = std::vector<std::string>;

const char* const kHeader = "SELKO 1.4 is applied to the string rewriting system";

RunResult RunOn(const Lines& input, RunOptions options = {}) {
  auto p = MakeProver();
  return p->Run(input, options);
}

TEST(PhaseOrder, ReversedMatchBoundAttemptOfPhaseOne) {
  const RunResult r = RunOn({"a->cb", "ab->baa"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(r.proof, {kHeader,
                                  "a  -> c b ",
                                  "a b  -> b a a ",
                                  "",
                                  "",
                                  "Reverse every lhs and rhs of the system.",
                                  "",
                                  "",
                                  "Terminating due to RFC match bound 2,",
                                  "proved by the automaton defined by",
                                  "initial state = 1, final state = 2, transitions:",
                                  "from 1 to 3, label: b0",
                                  "from 1 to 4, label: a0",
                                  "from 1 to 6, label: b1",
                                  "from 2 to 2, label: #0",
                                  "from 3 to 2, label: c0",
                                  "from 4 to 5, label: a0",
                                  "from 4 to 7, label: b1",
                                  "from 5 to 2, label: b0",
                                  "from 5 to 8, label: a1",
                                  "from 5 to 10, label: b2",
                                  "from 6 to 4, label: c1",
                                  "from 7 to 5, label: c1",
                                  "from 8 to 9, label: a1",
                                  "from 8 to 11, label: b2",
                                  "from 9 to 2, label: b1",
                                  "from 9 to 8, label: a1",
                                  "from 9 to 10, label: b2",
                                  "from 10 to 8, label: c2",
                                  "from 11 to 9, label: c2"}));
}

TEST(PhaseOrder, StrippedMatchBoundAttemptOfPhaseOne) {
  const RunResult r = RunOn({"abbbaabbba->bbbaabbbabbbaa"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(r.proof, {kHeader,
                                  "a b b b a a b b b a  -> b b b a a b b b a b b b a a ",
                                  "",
                                  "Strip last symbol, yielding the rule",
                                  "   a b b b a a b b b  -> b b b a a b b b a b b b a ",
                                  "",
                                  "Terminating due to RFC match bound 1,",
                                  "proved by the automaton defined by",
                                  "initial state = 1, final state = 2, transitions:",
                                  "from 1 to 3, label: b0",
                                  "from 2 to 2, label: #0",
                                  "from 3 to 4, label: b0",
                                  "from 4 to 5, label: b0",
                                  "from 5 to 6, label: a0",
                                  "from 6 to 7, label: a0",
                                  "from 7 to 8, label: b0",
                                  "from 8 to 9, label: b0",
                                  "from 9 to 10, label: b0",
                                  "from 10 to 11, label: a0",
                                  "from 10 to 15, label: b1",
                                  "from 11 to 12, label: b0",
                                  "from 12 to 13, label: b0",
                                  "from 13 to 14, label: b0",
                                  "from 14 to 2, label: a0",
                                  "from 14 to 15, label: b1",
                                  "from 15 to 16, label: b1",
                                  "from 16 to 17, label: b1",
                                  "from 17 to 18, label: a1",
                                  "from 18 to 19, label: a1",
                                  "from 19 to 20, label: b1",
                                  "from 20 to 21, label: b1",
                                  "from 21 to 22, label: b1",
                                  "from 22 to 23, label: a1",
                                  "from 22 to 15, label: b1",
                                  "from 23 to 24, label: b1",
                                  "from 24 to 25, label: b1",
                                  "from 25 to 26, label: b1",
                                  "from 26 to 2, label: a1",
                                  "from 26 to 15, label: b1"}));
}

TEST(PhaseOrder, TransformationOrderInTheLastPhase) {
  const RunResult r = RunOn({"ab->bbacb", "ad->d", "cb->e"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(
      r.proof,
      {kHeader, "a b  -> b b a c b ", "a d  -> d ", "c b  -> e",
       "Choose polynomial interpretation   a: lambda x.x+1,  rest identity", "remove: a d  -> d ",
       "Remaining rules:", "    a b  -> b b a c b ", "    c b  -> e", "",
       "Transformation order: apply rule 2 on rhs of rule 1, result:", "a b  -> b b a ",
       "c b  -> e", "Choose polynomial interpretation   c: lambda x.x+1,  rest identity",
       "remove: c b  -> e",
       "Choose polynomial interpretation:", "a: lambda x.10x,  rest lambda x.x+1",
       "remove: a b  -> b b a ", "Terminating since no rules remain."}));
}

TEST(PhaseOrder, DummyEliminationInTheLastPhase) {
  const RunResult r = RunOn({"aab->bbaa", "ba->acb"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(
      r.proof,
      {kHeader, "a a b  -> b b a a ", "b a  -> a c b ", "",
       "Apply dummy elimination, result:", "a a b  -> b b a a ", "b a  -> a c$ ", "b a  -> $c b ",
       "Choose polynomial interpretation   a: lambda x.x+1,  rest identity",
       "remove: b a  -> $c b ", "Choose polynomial interpretation:",
       "a: lambda x.10x,  b: lambda x.x+1,  rest identity", "remove: a a b  -> b b a a ",
       "remove: b a  -> a c$ ", "Terminating since no rules remain."}));
}

TEST(PhaseOrder, LabellingWithTheUsersAttemptsInTheLastCoreAttempt) {
  const RunResult r = RunOn({"abba->aabb", "aaab->aabb", "babb->bbab"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(
      SameLines(r.proof, {kHeader,
                          "a b b a  -> a a b b ",
                          "a a a b  -> a a b b ",
                          "b a b b  -> b b a b ",
                          "Choose polynomial interpretation   a: lambda x.x+1,  rest identity",
                          "remove: a a a b  -> a a b b ",
                          "Remaining rules:",
                          "    a b b a  -> a a b b ",
                          "    b a b b  -> b b a b ",
                          "",
                          "Apply labelling with the following interpretation in {0,1}:",
                          "  a: constant 0",
                          "  b: constant 1",
                          "and label every symbol by the value of its argument.",
                          "",
                          "This interpretation is a model.",
                          "",
                          "Labelled system:",
                          "   a1 b1 b0 a0  -> a0 a1 b1 b0 ",
                          "   a1 b1 b0 a1  -> a0 a1 b1 b1 ",
                          "   b0 a1 b1 b0  -> b1 b0 a1 b0 ",
                          "   b0 a1 b1 b1  -> b1 b0 a1 b1 ",
                          "",
                          "Choose polynomial interpretation   a1: lambda x.x+1,  rest identity",
                          "remove: a1 b1 b0 a1  -> a0 a1 b1 b1 ",
                          "Choose polynomial interpretation:",
                          "a1: lambda x.10x,  rest lambda x.x+1",
                          "remove: a1 b1 b0 a0  -> a0 a1 b1 b0 ",
                          "remove: b0 a1 b1 b0  -> b1 b0 a1 b0 ",
                          "remove: b0 a1 b1 b1  -> b1 b0 a1 b1 ",
                          "Terminating since no rules remain."}));
}

TEST(PhaseOrder, RelativeRulesOnlyAreProvedByThePhaseOneCoreAttemptAtOnce) {
  const RunResult r = RunOn({"ab->=ab"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(r.proof, {kHeader, "a b  ->= a b ", ""}));
}

TEST(PhaseOrder, RelativeProblemsGetNoLoopSearch) {
  // The strict rule loops on its own, but only plain problems are searched for loops.
  EXPECT_EQ(RunOn({"ab->bab"}).status, Status::LoopFound);
  EXPECT_EQ(RunOn({"ab->bab", "c->=c"}).status, Status::NoProof);
  RunOptions noMatchBounds;
  noMatchBounds.matchBound = false;
  EXPECT_EQ(RunOn({"ab->bab"}, noMatchBounds).status, Status::LoopFound);
}

TEST(PhaseOrder, TheAttemptsTextIsReadOnlyWhenTheLastPhaseIsReached) {
  RunOptions bad;
  bad.attemptsText = "abc";
  // Proved in phase 1, or a loop in phase 2: the text is never read.
  EXPECT_EQ(RunOn({"ab->ba"}, bad).status, Status::Terminating);
  EXPECT_EQ(RunOn({"ab->bab"}, bad).status, Status::LoopFound);
  // Reached: the run ends in the error, even though the last removal had completed a proof.
  bad.matchBound = false;
  const RunResult r = RunOn({"ab->ba"}, bad);
  EXPECT_EQ(r.status, Status::Error);
  EXPECT_EQ(r.error, "'abc' is not a valid integer value");
  EXPECT_TRUE(r.proof.empty());
}

TEST(PhaseOrder, RefusedInputEndsTheRunBeforeAnyPhase) {
  const RunResult r = RunOn({"ab->ba", "aaaaaaaaaaaaaaaaaaaaa->b"});
  EXPECT_EQ(r.status, Status::Error);
  EXPECT_EQ(r.error, "line 2: a side has more than 19 symbols");
  EXPECT_TRUE(r.proof.empty());
}

TEST(PhaseOrder, PressingStartAgainWithoutRandomStepsGivesTheSameText) {
  auto p = MakeProver();
  const Lines input = {"a->cb", "ab->baa"};
  const RunResult first = p->Run(input, {});
  const RunResult second = p->Run(input, {});
  EXPECT_EQ(first.status, second.status);
  EXPECT_TRUE(SameLines(second.proof, first.proof));
}

} // namespace
} // namespace selko
