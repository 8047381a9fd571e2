// The loop checker on its own, with hand-made loops: a good one passes, and each way of
// tampering with it is refused with a reason.
#include "engine/check/loop_check.hpp"

#include <gtest/gtest.h>

#include "engine/engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;

// A relative problem with a loop of two steps, a strict one and a weak one.
struct Fixture {
  Problem problem = ProblemOf({"a b -> b a", "b ->= a b", "c -> c"});
  // a b -> b a (strict), then b ->= a b at 0: a b a, which holds a b.
  Loop good{{0, 1}, {{0, 0}, {1, 0}}};
};

::testing::AssertionResult Refused(const Problem& p, const Loop& loop, const std::string& part) {
  std::string why;
  if (CheckLoop(p, loop, why)) return ::testing::AssertionFailure() << "accepted";
  if (why.find(part) == std::string::npos)
    return ::testing::AssertionFailure() << "reason \"" << why << "\" lacks \"" << part << "\"";
  return ::testing::AssertionSuccess();
}

TEST(CheckLoop, AcceptsAGoodLoop) {
  const Fixture f;
  std::string why = "stale";
  EXPECT_TRUE(CheckLoop(f.problem, f.good, why));
  EXPECT_EQ(why, "");
  // A rule whose left side stands in its right side, applied once.
  const Problem p = ProblemOf({"b -> a b a"});
  EXPECT_TRUE(CheckLoop(p, Loop{{0}, {{0, 0}}}, why)) << why;
}

TEST(CheckLoop, RefusesTamperedSteps) {
  const Fixture f;
  Loop loop = f.good;
  loop.steps[1].position = 1; // b stands at 0 of "b a", not at 1
  EXPECT_TRUE(Refused(f.problem, loop, "step 2: the left side of b ->= a b"));
  loop = f.good;
  loop.steps[1].position = 7;
  EXPECT_TRUE(Refused(f.problem, loop, "beyond the string"));
  loop = f.good;
  loop.steps[0].rule = 3;
  EXPECT_TRUE(Refused(f.problem, loop, "names rule 4 of 3"));
  loop = f.good;
  loop.steps[0].rule = 1; // b ->= a b at 0 of "a b": the left side is not there
  EXPECT_TRUE(Refused(f.problem, loop, "step 1"));
  loop = f.good;
  std::swap(loop.steps[0], loop.steps[1]);
  EXPECT_TRUE(Refused(f.problem, loop, "step 1"));
}

TEST(CheckLoop, RefusesALastStringWithoutTheStart) {
  const Fixture f;
  Loop loop = f.good;
  loop.steps.pop_back(); // "b a" does not hold "a b"
  EXPECT_TRUE(Refused(f.problem, loop, "does not contain the start"));
  loop = f.good;
  loop.start.push_back(1); // a b b -> b a b -> a b a b, which lacks a b b
  EXPECT_TRUE(Refused(f.problem, loop, "does not contain the start"));
  loop.steps.clear();
  EXPECT_TRUE(Refused(f.problem, loop, "no step"));
}

TEST(CheckLoop, RelativeLoopsNeedAStrictStep) {
  const Problem p = ProblemOf({"a b -> b a", "b ->= b", "c ->= c c"});
  EXPECT_TRUE(Refused(p, Loop{{1}, {{1, 0}}}, "no step uses a strict rule"));
  EXPECT_TRUE(Refused(p, Loop{{2}, {{2, 0}, {2, 1}}}, "no step uses a strict rule"));
  std::string why;
  EXPECT_TRUE(CheckLoop(ProblemOf({"b -> b"}), Loop{{0}, {{0, 0}}}, why)) << why;
}

TEST(CheckLoop, RefusesForeignLettersAndPairProblems) {
  Fixture f;
  Loop loop = f.good;
  loop.start.push_back(9);
  EXPECT_TRUE(Refused(f.problem, loop, "letter"));
  f.problem.pairProblem = true;
  EXPECT_TRUE(Refused(f.problem, f.good, "pair problem"));
}

TEST(CheckLoop, RefusesDerivationsTooLongToCheck) {
  // One step to a string longer than any search would build: refused before it is built.
  Problem p = ProblemOf({"a -> a"});
  p.rules[0].rhs.assign(5000000, 0);
  EXPECT_TRUE(Refused(p, Loop{{0}, {{0, 0}}}, "makes the string too long to check"));
  // Steps that change nothing on a long string, far too many of them.
  const Problem q = ProblemOf({"a -> a"});
  const Loop loop{String(1000, 0), std::vector<RewriteStep>(100000, RewriteStep{0, 0})};
  EXPECT_TRUE(Refused(q, loop, "too long to check (100000 steps)"));
}

} // namespace
} // namespace selko::engine
