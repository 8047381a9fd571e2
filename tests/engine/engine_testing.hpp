// Helpers shared by the engine tests: problems written by hand and problems of the corpus.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine::testing {

// Reads the TPDB text format as the corpus writes it: "(RULES", rules separated by ',', names
// separated by blanks, "->" (strict) or "->=" (weak), and a closing ')'. Names are numbered in
// order of first occurrence. A malformed text fails the calling test.
Problem ReadTpdbText(const std::string& text);

// A problem from rules in the same notation, e.g. {"a b -> b a", "c ->= "}.
Problem ProblemOf(const std::vector<std::string>& rules);

// {"ab->ba", "c->=d", "a->"}: one-character letters numbered in order of first occurrence.
Problem Rules(const std::vector<std::string>& rules);

// Each rule as "l -> r" or "l ->= r" with the letters' names separated by blanks.
std::vector<std::string> RuleTexts(const Problem& problem);

// The letters of a text in a problem's numbering (every character must be a known letter).
String Letters(const Problem& problem, const std::string& text);

// The corpus problem `name` ("std-0003") in its TPDB text form.
Problem CorpusProblem(const std::string& name);

// The corpus's best-known answers: name -> "YES", "NO" or "open".
std::map<std::string, std::string> CorpusStatus();

// The corpus's index: name -> its row's cells after the name (category, rules, symbols,
// longest side, weak rules, plain).
std::map<std::string, std::vector<std::string>> CorpusIndex();

} // namespace selko::engine::testing
