// The bounded ancestor graph of the loop search: at most 100 strings, numbered in order of
// creation, and the edges "t is an ancestor of s" between them.
#pragma once

#include <array>
#include <cstdint>

#include "core/store/rule_table.hpp"

namespace selko {

constexpr int kMaxAncestorStrings = 100;

struct AncestorTable {
  // strings[1..count]; every byte after a string's last symbol is 0, so equal strings are equal
  // rows. A string never changes once added.
  std::array<Word, kMaxAncestorStrings + 1> strings{};
  std::array<std::uint8_t, kMaxAncestorStrings + 1> length{}; // symbols of strings[k]
  int count = 0;
  // ancestor[t][s]: string t rewrites in one step to a string that contains string s.
  std::array<std::array<std::uint8_t, kMaxAncestorStrings + 1>, kMaxAncestorStrings + 1> ancestor{};
  // Strings that are an ancestor of some other alive string (after ReportLoop's pruning).
  std::array<std::uint8_t, kMaxAncestorStrings + 1> alive{};

  // Number of the lowest-numbered string equal to `candidate` (a row of `n` symbols followed by
  // zeros); if there is none, the candidate is appended while there is room. 0 when it is
  // neither found nor added.
  int FindOrAddString(const Word& candidate, int n) {
    for (int k = 1; k <= count; ++k) {
      if (strings[k] == candidate) return k;
    }
    if (count >= kMaxAncestorStrings) return 0;
    ++count;
    strings[count] = candidate;
    length[count] = static_cast<std::uint8_t>(n);
    return count;
  }
};

} // namespace selko
