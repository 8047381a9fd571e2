// Whole runs that the removal by interpretations proves on its own (match bounds off).
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::MakeProver;
using testing::SameLines;
using Lines = std::vector<std::string>;

RunResult RunWithoutMatchBounds(const Lines& input) {
  auto p = MakeProver();
  RunOptions options;
  options.matchBound = false;
  return p->Run(input, options);
}

TEST(RemovalRun, SwapIsProvedByATenfoldInterpretation) {
  const RunResult r = RunWithoutMatchBounds({"ab->ba"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(r.proof,
                        {"SELKO 1.4 is applied to the string rewriting system", "a b  -> b a ",
                         "Choose polynomial interpretation:", "a: lambda x.10x,  rest lambda x.x+1",
                         "remove: a b  -> b a ", "Terminating since no rules remain."}));
}

TEST(RemovalRun, WeightsThenCountingProveTheWorkedExample) {
  const RunResult r = RunWithoutMatchBounds({"ca->aaa", "acaa->ccb"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(
      r.proof, {"SELKO 1.4 is applied to the string rewriting system", "c a  -> a a a ",
                "a c a a  -> c c b ", "Choose polynomial interpretation  ", "c: lambda x.x+3",
                "a: lambda x.x+1", "b: identity", "remove: c a  -> a a a ",
                "Choose polynomial interpretation   c a b: lambda x.x+1",
                "remove: a c a a  -> c c b ", "Terminating since no rules remain."}));
}

TEST(RemovalRun, RelativeSystemEndsWithTheRelativeVerdict) {
  const RunResult r = RunWithoutMatchBounds({"ab->=ba", "ba->=ab", "a->"});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(
      r.proof, {"SELKO 1.4 is applied to the string rewriting system", "a b  ->= b a ",
                "b a  ->= a b ", "a  -> e", "Choose polynomial interpretation   a b: lambda x.x+1",
                "remove: a  -> e", "Relatively terminating since no strict rules remain."}));
}

TEST(RemovalRun, EmptyInputAndUnorderableInput) {
  RunResult r = RunWithoutMatchBounds({});
  EXPECT_EQ(r.status, Status::Terminating);
  EXPECT_TRUE(SameLines(r.proof, {"SELKO 1.4 is applied to the string rewriting system",
                                  "Terminating since no rules remain."}));
  // Not terminating relative to ba ->= ab, and relative problems get no loop search.
  r = RunWithoutMatchBounds({"ab->ba", "ba->=ab"});
  EXPECT_EQ(r.status, Status::NoProof);
  EXPECT_TRUE(r.proof.empty());
}

} // namespace
} // namespace selko
