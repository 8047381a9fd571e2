// The derivation text: every step with its rule, position and result, and where the start
// string stands in the last string; a step that does not apply ends the text.
#include "engine/loops/derivation.hpp"

#include <gtest/gtest.h>

#include "engine/engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;

TEST(DerivationLines, EveryStepThenTheStartInItsContext) {
  // a b -> b a, then b ->= a b at the front: a b a holds a b.
  const Problem p = ProblemOf({"a b -> b a", "b ->= a b"});
  Loop loop;
  loop.start = p.rules[0].lhs; // a b
  loop.steps = {{0, 0}, {1, 0}};
  EXPECT_EQ(DerivationLines(p, loop), (std::vector<std::string>{
                                          "start: a b",
                                          "a b -> b a at position 0: b a",
                                          "b ->= a b at position 0: a b a",
                                          "contains the start string: [a b] a",
                                      }));
}

TEST(DerivationLines, ContextOnBothSidesAndTheEmptyString) {
  const Problem p = ProblemOf({"-> c a", "a -> "});
  Loop loop;
  loop.steps = {{0, 0}, {0, 1}, {1, 2}};
  EXPECT_EQ(DerivationLines(p, loop), (std::vector<std::string>{
                                          "start: (the empty string)",
                                          "-> c a at position 0: c a",
                                          "-> c a at position 1: c c a a",
                                          "a -> at position 2: c c a",
                                          "contains the start string: [] c c a",
                                      }));
  const Problem q = ProblemOf({"b -> a b a"});
  loop = {q.rules[0].lhs, {{0, 0}}};
  EXPECT_EQ(DerivationLines(q, loop).back(), "contains the start string: a [b] a");
}

TEST(DerivationLines, AStepThatDoesNotApplyEndsTheText) {
  const Problem p = ProblemOf({"a b -> b a"});
  Loop loop{p.rules[0].lhs, {{0, 0}, {0, 0}}};
  EXPECT_EQ(DerivationLines(p, loop), (std::vector<std::string>{
                                          "start: a b",
                                          "a b -> b a at position 0: b a",
                                          "step 2 does not apply",
                                      }));
  loop.steps = {{3, 0}};
  EXPECT_EQ(DerivationLines(p, loop).back(), "step 1 does not apply");
  loop.steps = {{0, 0}};
  EXPECT_EQ(DerivationLines(p, loop).back(), "the start string does not occur in the last string");
}

} // namespace
} // namespace selko::engine
