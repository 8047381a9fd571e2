// The match-bound check on its own: the automaton of a b -> b a as built by hand, and wrong
// certificates made from it and from found ones.
#include <gtest/gtest.h>

#include "engine/bounds/find_match_bound.hpp"
#include "engine/check/match_bound_check.hpp"
#include "engine/engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::ProblemOf;

// a b -> b a (a = 0, b = 1, end marker 2): the closure rule is a # -> b a. States: 0 initial,
// 1 final, 2 and 3 inner.
MatchBound SwapAutomaton() {
  MatchBound m;
  m.stateCount = 4;
  m.initial = 0;
  m.finals = {1};
  m.bound = 1;
  m.endMarker = 2;
  m.transitions = {{0, 1, 0, 2}, {1, 2, 0, 1}, {2, 0, 0, 1},
                   {2, 1, 1, 3}, {3, 0, 1, 1}, {3, 1, 1, 3}};
  return m;
}

bool Accepts(const Problem& problem, const MatchBound& m, std::string& why) {
  why.clear();
  return CheckMatchBound(problem, m, why);
}

TEST(CheckMatchBound, AcceptsTheHandMadeAutomaton) {
  std::string why;
  EXPECT_TRUE(Accepts(ProblemOf({"a b -> b a"}), SwapAutomaton(), why)) << why;
}

TEST(CheckMatchBound, RejectsEveryTransitionRemovedOrHeightLowered) {
  const Problem problem = ProblemOf({"a b -> b a"});
  const MatchBound good = SwapAutomaton();
  std::string why;
  for (std::size_t i = 0; i < good.transitions.size(); ++i) {
    MatchBound removed = good;
    removed.transitions.erase(removed.transitions.begin() + static_cast<std::ptrdiff_t>(i));
    EXPECT_FALSE(Accepts(problem, removed, why)) << "without transition " << i;
    EXPECT_FALSE(why.empty());
    if (good.transitions[i].height > 0) {
      MatchBound lowered = good;
      --lowered.transitions[i].height;
      EXPECT_FALSE(Accepts(problem, lowered, why)) << "lowered transition " << i;
    }
  }
}

TEST(CheckMatchBound, RejectsMalformedCertificates) {
  const Problem problem = ProblemOf({"a b -> b a"});
  std::string why;
  MatchBound m = SwapAutomaton();
  m.bound = 0; // a height above the bound
  EXPECT_FALSE(Accepts(problem, m, why));
  m = SwapAutomaton();
  m.endMarker = 1;
  EXPECT_FALSE(Accepts(problem, m, why));
  m = SwapAutomaton();
  m.transitions.push_back({0, 0, 0, 9}); // a state that does not exist
  EXPECT_FALSE(Accepts(problem, m, why));
  m = SwapAutomaton();
  m.finals = {};
  EXPECT_FALSE(Accepts(problem, m, why));
  m = SwapAutomaton();
  m.finals = {7};
  EXPECT_FALSE(Accepts(problem, m, why));
  m = SwapAutomaton();
  m.initial = 4;
  EXPECT_FALSE(Accepts(problem, m, why));
  m = SwapAutomaton();
  m.stateCount = 0xFFFFFFFFu; // many states without transitions cost nothing
  EXPECT_TRUE(Accepts(problem, m, why)) << why;
}

TEST(CheckMatchBound, RejectsAStartLanguageNotAccepted) {
  std::string why;
  MatchBound m = SwapAutomaton();
  m.finals = {1, 3}; // 3 has no end-marker loop
  EXPECT_FALSE(Accepts(ProblemOf({"a b -> b a"}), m, why));
  // Another right side that the automaton does not read at height 0.
  Problem more = ProblemOf({"a b -> b a", "a a -> b"});
  EXPECT_FALSE(Accepts(more, SwapAutomaton(), why));
  EXPECT_NE(why.find("right side"), std::string::npos) << why;
}

TEST(CheckMatchBound, RejectsProblemsOutsideTheMethod) {
  std::string why;
  EXPECT_FALSE(Accepts(ProblemOf({"a b -> b a", "b ->= b"}), SwapAutomaton(), why));
  Problem pairs = ProblemOf({"a b -> b a"});
  pairs.pairProblem = true;
  EXPECT_FALSE(Accepts(pairs, SwapAutomaton(), why));
  Problem emptyLeft = ProblemOf({"a b -> b a"});
  emptyLeft.rules.push_back({{}, {0}, true});
  EXPECT_FALSE(Accepts(emptyLeft, SwapAutomaton(), why));
}

TEST(CheckMatchBound, RejectsAFoundAutomatonForAnotherProblem) {
  // The automaton of a b -> b a misses the erasing rule's expansion a a b -> b, a a a -> a.
  const std::optional<MatchBound> found = FindMatchBound(ProblemOf({"a b -> b a"}), Deadline());
  ASSERT_TRUE(found);
  std::string why;
  EXPECT_FALSE(Accepts(ProblemOf({"a b -> b a", "a a -> "}), *found, why));
  // a b -> b a b: its right side is not accepted, nor is the automaton compatible with it.
  EXPECT_FALSE(Accepts(ProblemOf({"a b -> b a b"}), *found, why));
}

} // namespace
} // namespace selko::engine
