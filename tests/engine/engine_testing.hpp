// Helpers shared by the engine tests: problems written by hand; the corpus (corpus_testing.hpp)
// and a guard for the tests that read it.
#pragma once

#include <string>
#include <vector>

#include "corpus_testing.hpp"
#include "engine/problem.hpp"

// The first statement of a test that reads the corpus: skips the test where it is not at hand.
#define SELKO_ENGINE_NEED_CORPUS()                                                                 \
  if (!::selko::engine::testing::CorpusAtHand()) GTEST_SKIP() << "the corpus is not at hand"

namespace selko::engine::testing {

// A problem from rules with names separated by blanks, e.g. {"a b -> b a", "c ->= "}.
Problem ProblemOf(const std::vector<std::string>& rules);

// {"ab->ba", "c->=d", "a->"}: one-character letters numbered in order of first occurrence.
Problem Rules(const std::vector<std::string>& rules);

// Each rule as "l -> r" or "l ->= r" with the letters' names separated by blanks.
std::vector<std::string> RuleTexts(const Problem& problem);
// The same for the pairs of a pair problem.
std::vector<std::string> PairTexts(const Problem& problem);

// The letters of a text in a problem's numbering (every character must be a known letter).
String Letters(const Problem& problem, const std::string& text);

} // namespace selko::engine::testing
