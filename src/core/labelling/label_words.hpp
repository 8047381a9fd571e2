// Words under {0,1} interpretations: the value map of a word and its labelled copy.
#pragma once

#include <cstdint>

#include "core/store/rule_table.hpp"

namespace selko {

// Interpretation kinds; a random draw is used directly as the kind.
enum InterpretationKind : std::uint8_t {
  kIdentity = 0,     // x
  kConstantZero = 1, // 0
  kConstantOne = 2,  // 1
  kComplement = 3,   // 1-x
};

// A map {0,1} -> {0,1} as two bits: bit x holds the value at x. The identity is 0b10.
constexpr unsigned kIdentityMap = 0b10;

// kComposeMap[kind][m] is the map of "kind applied after m".
constexpr std::uint8_t kComposeMap[4][4] = {
    {0b00, 0b01, 0b10, 0b11}, // identity keeps m
    {0b00, 0b00, 0b00, 0b00}, // constant 0
    {0b11, 0b11, 0b11, 0b11}, // constant 1
    {0b11, 0b10, 0b01, 0b00}, // complement flips both values
};

// The map of a word a1 ... ak read as a1(a2(...ak(x)...)) under the kinds of its symbols.
inline unsigned WordMap(const Word& w, const std::uint8_t* kinds) {
  unsigned m = kIdentityMap;
  for (int k = WordLength(w) - 1; k >= 0; --k)
    m = kComposeMap[kinds[w[k]] & 3u][m];
  return m;
}

// Whether a rule with these side maps passes the check: in a model both sides agree at 0 and
// at 1; in a quasi-model the left value is never 0 where the right one is 1.
inline bool RuleMapsPass(unsigned lhsMap, unsigned rhsMap, bool quasiModel) {
  if (quasiModel) return (~lhsMap & rhsMap & 3u) == 0;
  return lhsMap == rhsMap;
}

// Writes into out the word w with every symbol labelled by the value of its argument, the
// variable standing at start: s labelled 1 stays s, s labelled 0 becomes s + symbolCount.
// Returns the value of the whole word at start.
inline int LabelWord(const Word& w, int start, const std::uint8_t* kinds, int symbolCount,
                     Word& out) {
  const int length = WordLength(w);
  out[static_cast<std::size_t>(length)] = 0;
  unsigned v = static_cast<unsigned>(start) & 1u;
  for (int k = length - 1; k >= 0; --k) {
    const Symbol s = w[static_cast<std::size_t>(k)];
    out[static_cast<std::size_t>(k)] = v != 0 ? s : static_cast<Symbol>(s + symbolCount);
    v = (kComposeMap[kinds[s] & 3u][kIdentityMap] >> v) & 1u;
  }
  return static_cast<int>(v);
}

} // namespace selko
