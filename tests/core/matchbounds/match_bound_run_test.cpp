// Match bounds within a whole proof run: the systems that the other techniques leave to them.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::MakeProver;
using testing::SameLines;

using Lines = std::vector<std::string>;

RunResult RunOn(const Lines& input) {
  auto p = MakeProver();
  return p->Run(input, RunOptions{});
}

TEST(MatchBoundRun, ABToBAIsProvedByThePhaseOneCoreAttemptKeepingTheEmptyLine) {
  const RunResult r = RunOn({"ab->ba"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(r.proof,
                        {"SELKO 1.4 is applied to the string rewriting system", "a b  -> b a ", "",
                         "Choose polynomial interpretation:", "a: lambda x.10x,  rest lambda x.x+1",
                         "remove: a b  -> b a ", "Terminating since no rules remain."}));
}

TEST(MatchBoundRun, TheExpansionOfEmptyRhsStaysInTheProof) {
  auto p = MakeProver();
  testing::ReadPlainLines(*p, {"ab->ba", "a->e"});
  p->SaveWorkA();
  p->PlainMode = 1;
  p->LogCount = 0;
  p->ExpandEmptyRhs();
  EXPECT_EQ(p->AttemptMark, 4);
  p->MatchBoundProof();
  EXPECT_EQ(p->Proved, 1);
  EXPECT_TRUE(SameLines(testing::LogLines(*p), {"Expand empty rhs:",
                                                "   a b  -> b a ",
                                                "   a a  -> a ",
                                                "   a b  -> b ",
                                                "",
                                                "Terminating due to RFC match bound 1,",
                                                "proved by the automaton defined by",
                                                "initial state = 1, final state = 2, transitions:",
                                                "from 1 to 3, label: b0",
                                                "from 1 to 2, label: a0",
                                                "from 1 to 2, label: b0",
                                                "from 1 to 4, label: b1",
                                                "from 1 to 2, label: a1",
                                                "from 1 to 2, label: b1",
                                                "from 2 to 2, label: #0",
                                                "from 3 to 2, label: a0",
                                                "from 3 to 4, label: b1",
                                                "from 3 to 2, label: a1",
                                                "from 3 to 2, label: b1",
                                                "from 4 to 2, label: a1",
                                                "from 4 to 2, label: b1",
                                                "from 4 to 4, label: b1"}));
}

TEST(MatchBoundRun, ProvesAABBToBBBAAAWhichNoInterpretationOrPathOrderProves) {
  const RunResult r = RunOn({"aabb->bbbaaa"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(r.proof, {"SELKO 1.4 is applied to the string rewriting system",
                                  "a a b b  -> b b b a a a ",
                                  "",
                                  "",
                                  "Terminating due to RFC match bound 4,",
                                  "proved by the automaton defined by",
                                  "initial state = 1, final state = 2, transitions:",
                                  "from 1 to 3, label: b0",
                                  "from 2 to 2, label: #0",
                                  "from 3 to 4, label: b0",
                                  "from 4 to 5, label: b0",
                                  "from 5 to 6, label: a0",
                                  "from 5 to 13, label: b1",
                                  "from 6 to 7, label: a0",
                                  "from 6 to 8, label: b1",
                                  "from 7 to 2, label: a0",
                                  "from 7 to 8, label: b1",
                                  "from 8 to 9, label: b1",
                                  "from 9 to 10, label: b1",
                                  "from 10 to 11, label: a1",
                                  "from 10 to 18, label: b2",
                                  "from 11 to 12, label: a1",
                                  "from 11 to 8, label: b1",
                                  "from 12 to 2, label: a1",
                                  "from 12 to 8, label: b1",
                                  "from 13 to 14, label: b1",
                                  "from 14 to 15, label: b1",
                                  "from 15 to 16, label: a1",
                                  "from 16 to 17, label: a1",
                                  "from 16 to 23, label: b2",
                                  "from 17 to 9, label: a1",
                                  "from 18 to 19, label: b2",
                                  "from 19 to 20, label: b2",
                                  "from 20 to 21, label: a2",
                                  "from 21 to 22, label: a2",
                                  "from 21 to 23, label: b2",
                                  "from 22 to 9, label: a2",
                                  "from 23 to 24, label: b2",
                                  "from 24 to 25, label: b2",
                                  "from 25 to 26, label: a2",
                                  "from 26 to 27, label: a2",
                                  "from 26 to 28, label: b3",
                                  "from 27 to 18, label: a2",
                                  "from 28 to 29, label: b3",
                                  "from 29 to 30, label: b3",
                                  "from 30 to 31, label: a3",
                                  "from 30 to 38, label: b4",
                                  "from 31 to 32, label: a3",
                                  "from 32 to 20, label: a3",
                                  "from 32 to 33, label: b3",
                                  "from 33 to 34, label: b3",
                                  "from 34 to 35, label: b3",
                                  "from 35 to 36, label: a3",
                                  "from 36 to 37, label: a3",
                                  "from 37 to 24, label: a3",
                                  "from 38 to 39, label: b4",
                                  "from 39 to 40, label: b4",
                                  "from 40 to 41, label: a4",
                                  "from 41 to 42, label: a4",
                                  "from 42 to 34, label: a4"}));
}

} // namespace
} // namespace selko
