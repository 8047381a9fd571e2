// The extended engine's problem: a string rewriting problem without fixed capacities. Letters
// are numbers into a table of names (kept as read); a rule has two letter strings and is strict
// (a rule of R) or weak (a rule of S). A pair problem (P, R) adds dependency pairs, whose first
// letters are marked letters that never occur in the rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace selko::engine {

using Letter = std::uint32_t;
using String = std::vector<Letter>;

// Input larger than any benchmark problem by far is refused as abuse, not as beyond capacity.
constexpr std::size_t kMaxProblemRules = 100000;
constexpr std::size_t kMaxProblemSide = 100000;

struct Rule {
  String lhs;
  String rhs;
  bool strict = true; // a rule of R; false: a rule of S (weak)

  bool operator==(const Rule&) const = default;
};

struct Problem {
  std::vector<std::string> names;   // letter -> its name as read; marked letters end in '#'
  std::vector<Rule> rules;          // R and S
  std::vector<Rule> pairs;          // the dependency pairs of a pair problem; all strict
  std::vector<std::uint8_t> marked; // per letter: a marked letter (pair problems only)
  bool pairProblem = false;         // (pairs, rules): chains of pairs at the front
  // The labelled problem of a tiling or of a model: it is not labelled again, and its loops are
  // not loops of the problem it came from.
  bool labelled = false;
  // A problem whose rules lost letters both their sides begin or end with: it has more steps
  // than the problem it came from, so its loops are not that problem's loops. The strategy does
  // not shorten, tile or label it.
  bool stripped = false;
  // A problem whose loops the solver does not map back to the problem it came from (the plain
  // problem of a strictification, a context closure): it gets no loop search of its own; the
  // loop search of the problem as given looks for them.
  bool noLoops = false;

  std::size_t LetterCount() const { return names.size(); }
  bool IsMarked(Letter a) const { return a < marked.size() && marked[a] != 0; }
  bool IsRelative() const; // some rule is weak
  bool HasStrictRule() const;
  // Nothing left to prove: no strict rule (plain or relative problem) or no pair left.
  bool IsFinished() const;
  // The same problem with every side read backwards (not for pair problems).
  Problem Reversed() const;
  // The problem without the rules and pairs at the given indices (sorted or not).
  Problem Without(const std::vector<std::size_t>& ruleIndices,
                  const std::vector<std::size_t>& pairIndices) const;

  // Letters separated by blanks ("" for the empty string).
  std::string Text(const String& s) const;
  // "l -> r" or "l ->= r"; an empty side prints as nothing.
  std::string RuleText(const Rule& rule) const;
};

// Appends a name not yet taken: `name` itself, or with '#' added until it is free.
Letter AddFreshName(std::vector<std::string>& names, const std::string& name);

} // namespace selko::engine
