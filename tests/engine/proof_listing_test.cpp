// The proof text of a match bound: the automaton's transitions listed in the details when it is
// small, otherwise a line saying that they are not listed, and every one of them when asked for.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/proof.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

// A proof of one match-bound step whose automaton has the given number of transitions.
std::vector<std::string> Rendered(std::size_t transitions, bool full) {
  ProofNode root;
  root.problem = testing::Rules({"ab->ba"});
  MatchBound bound;
  bound.stateCount = 2;
  bound.bound = 1;
  for (std::size_t k = 0; k < transitions; ++k)
    bound.transitions.push_back({0, static_cast<Letter>(k % 3), 0, 1});
  Step step;
  step.technique = "match bound";
  step.summary = "match bound 1";
  step.details = MatchBoundDetails(root.problem, bound);
  step.certificate = std::move(bound);
  root.step = std::move(step);
  return RenderProof(root, full);
}

std::size_t Count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

TEST(ProofListing, AnAutomatonTooLargeToReadSaysSoInItsPlaceAndFullListsIt) {
  const std::vector<std::string> small = Rendered(kListedTransitions, false);
  EXPECT_EQ(small.end()[-1 - static_cast<std::ptrdiff_t>(kListedTransitions)],
            "  Transitions (from, letter with its height, to; # the end marker):");
  EXPECT_EQ(small.back(), "    0 #_0 1"); // the end marker is the letter after the problem's

  const std::vector<std::string> large = Rendered(kListedTransitions + 1, false);
  EXPECT_EQ(large.end()[-2], "  An automaton compatible with the match-heighted rules, accepting "
                             "their right sides: 2 states, 301 transitions, heights up to 1.");
  EXPECT_EQ(large.back(), "  The automaton's 301 transitions are not listed; --full lists them.");

  const std::vector<std::string> full = Rendered(kListedTransitions + 1, true);
  EXPECT_EQ(full.size(), large.size() + kListedTransitions + 1);
  EXPECT_EQ(Count(full, "    0 a_0 1"), 101u);
  EXPECT_EQ(Count(full, "    0 b_0 1"), 100u);
}

} // namespace
} // namespace selko::engine
