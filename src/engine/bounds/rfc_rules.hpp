// The rules the match-bound completion reads: a plain problem's rules with every erasing rule
// l -> (empty) replaced by the rules l a -> a (a over all letters; an infinite derivation of
// the problem from w is one of these rules from w a), the distinct right sides, the distinct left
// sides with their rules, and where each letter occurs in the distinct left sides. The end-marker
// rules l1 # -> r are not listed: the completion finds them as a left side's proper prefix followed
// by an end-marker transition.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine::bounds {

struct RfcRules {
  struct Occurrence {
    std::uint32_t left = 0;     // in `leftSides`
    std::uint32_t position = 0; // in that left side
  };

  std::vector<String> lhs;                         // per rule, never empty
  std::vector<std::uint32_t> rhsOf;                // per rule: its right side in `rhs`
  std::vector<String> rhs;                         // distinct right sides, never empty
  std::vector<String> leftSides;                   // distinct left sides, in order of rules
  std::vector<std::vector<std::uint32_t>> rulesOf; // per left side: its rules, in order
  std::vector<std::vector<Occurrence>> byLetter;   // per letter (end marker excluded)
  Letter endMarker = 0;                            // problem.LetterCount()
};

// The rules of `problem`, or nothing when the method does not apply (a pair problem, a weak
// rule, an empty left side) or the expansion would give more than `maxRules` rules.
std::optional<RfcRules> PrepareRfcRules(const Problem& problem, std::size_t maxRules);

} // namespace selko::engine::bounds
