// Fixed-capacity rule tables: symbols, Words and the RuleTable that every technique shares.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace selko {

constexpr int kMaxRules = 1000;    // rules per table, numbered 1..1000
constexpr int kWordBytes = 20;     // a Word row: at most 19 symbols and the terminating 0
constexpr int kMaxWordLength = 19; // symbols in one Word
constexpr int kMaxSymbols = 100;   // symbol names per table, numbered 1..100

// A symbol number 1..100; 0 ends a Word.
using Symbol = std::uint8_t;

// A string over symbols: the symbol at position p (from 1) is byte p-1 of the row, and the
// byte after the last symbol is 0. Bytes after the terminating 0 are stale and never read.
using Word = std::array<Symbol, kWordBytes>;

// Number of symbols before the terminating 0 (never more than 19, whatever the row holds).
inline int WordLength(const Word& w) {
  int n = 0;
  while (n < kMaxWordLength && w[n] != 0)
    ++n;
  return n;
}

// True when both Words hold the same string.
inline bool SameWord(const Word& a, const Word& b) {
  for (int i = 0; i < kWordBytes; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
  return true;
}

// One rewriting system. Rule r (1..ruleCount) is lhs[r] -> rhs[r]; row 0 is never used.
struct RuleTable {
  std::array<Word, kMaxRules + 1> lhs{};
  std::array<Word, kMaxRules + 1> rhs{};
  std::array<std::uint8_t, kMaxRules + 1> strict{}; // 1 strict "->", 0 relative "->="
  std::int32_t ruleCount = 0;
  std::int32_t symbolCount = 0;
  std::array<std::string, kMaxSymbols + 1> names{}; // names[s], s = 1..100
};

// Greatest common divisor of two non-negative integers; Gcd(a, 0) = a, Gcd(0, 0) = 0.
std::int64_t Gcd(std::int64_t a, std::int64_t b);

// Copies the rules (Words, strict flags, rule count) of one table onto another; symbol count
// and names stay as they are.
void CopyRules(const RuleTable& from, RuleTable& to);

// Reverses rule sides in place (a1 ... an becomes an ... a1) for rules 1..ruleCount.
void ReverseRules(RuleTable& table);

// Reverses one Word in place.
void ReverseWord(Word& w);

} // namespace selko
