// Loop search: a bounded ancestor graph grown from the left-hand sides. A string t is an
// ancestor of s when t rewrites in one step to a string that contains s; a string from which a
// cycle of such edges can be reached starts an infinite derivation.
#include <cstring>

#include "core/loops/ancestor_table.hpp"
#include "core/prover.hpp"

namespace selko {

namespace {

// One rule side with its length.
struct Side {
  const Symbol* at; // at[0] is the first symbol
  int n;
};

inline bool SameSymbols(const Symbol* x, const Symbol* y, int n) {
  return n <= 0 || std::memcmp(x, y, n) == 0;
}

// Builds the candidate x y z (rest of the row zero), hands it to the table and records it as an
// ancestor of string a. Candidates longer than a Word are dropped.
void Keep(AncestorTable& table, int a, Side x, Side y, Side z) {
  const int n = x.n + y.n + z.n;
  if (n > kMaxWordLength) return;
  Word t{};
  Symbol* out = t.data();
  if (x.n > 0) std::memcpy(out, x.at, x.n);
  if (y.n > 0) std::memcpy(out + x.n, y.at, y.n);
  if (z.n > 0) std::memcpy(out + x.n + y.n, z.at, z.n);
  const int b = table.FindOrAddString(t, n);
  if (b > 0) table.ancestor[b][a] = 1;
}

constexpr Side kNothing{nullptr, 0};

// s = u v with |u| = i and v a non-empty prefix of r: u l rewrites to s followed by the rest of r.
void AncestorRightOverlap(AncestorTable& table, int a, Side s, Side l, Side r, int i) {
  const int overlap = s.n - i;
  if (overlap > r.n || !SameSymbols(s.at + i, r.at, overlap)) return;
  Keep(table, a, Side{s.at, i}, l, kNothing);
}

// s = u r v with |u| = i: u l v rewrites to s.
void AncestorRhsInside(AncestorTable& table, int a, Side s, Side l, Side r, int i) {
  if (i + r.n > s.n || !SameSymbols(s.at + i, r.at, r.n)) return;
  Keep(table, a, Side{s.at, i}, l, Side{s.at + i + r.n, s.n - i - r.n});
}

// r = w x with |w| = i and s = x y: l y rewrites to w followed by s.
void AncestorLeftOverlap(AncestorTable& table, int a, Side s, Side l, Side r, int i) {
  const int overlap = r.n - i;
  if (overlap > s.n || !SameSymbols(r.at + i, s.at, overlap)) return;
  Keep(table, a, l, Side{s.at + overlap, s.n - overlap}, kNothing);
}

// r = w s z with |w| = i: l rewrites to w s z.
void AncestorInsideRhs(AncestorTable& table, int a, Side s, Side l, Side r, int i) {
  if (i + s.n > r.n || !SameSymbols(r.at + i, s.at, s.n)) return;
  Keep(table, a, l, kNothing, kNothing);
}

// Prunes the table to the strings that are an ancestor of some alive string; the lowest of them
// starts a looping derivation, which is logged after the header and the rules.
void ReportLoop(Prover& prover, AncestorTable& table) {
  int aliveCount = table.count;
  for (int k = 1; k <= table.count; ++k)
    table.alive[k] = 1;
  int before = -1;
  while (aliveCount != before) {
    before = aliveCount;
    for (int k = 1; k <= table.count; ++k) {
      if (table.alive[k] == 0) continue;
      const auto& row = table.ancestor[k];
      bool keeps = false;
      for (int m = 1; m <= table.count && !keeps; ++m) {
        keeps = row[m] != 0 && table.alive[m] != 0;
      }
      if (!keeps) {
        table.alive[k] = 0;
        --aliveCount;
      }
    }
  }
  if (aliveCount == 0) return;

  int k = 1;
  while (table.alive[k] == 0)
    ++k;
  std::string line = "Non-terminating; looping derivation starting in: ";
  const Word& s = table.strings[k];
  for (int p = 0; p < table.length[k]; ++p) {
    const Symbol c = s[p];
    if (c <= kMaxSymbols) line += prover.WorkTable.names[c];
  }
  prover.LoopFound = 1;
  prover.LogCount = prover.HeaderMark;
  prover.LogLine(line);
  prover.LoopStart = k;
}

} // namespace

void Prover::LoopSearch() {
  LoopStart = 0;
  LastAncestors.count = 0;
  const RuleTable& w = WorkTable;
  const int rules = w.ruleCount < 0 ? 0 : (w.ruleCount > kMaxRules ? kMaxRules : w.ruleCount);
  std::array<std::uint8_t, kMaxRules + 1> lhsLength{};
  std::array<std::uint8_t, kMaxRules + 1> rhsLength{};
  for (int r = 1; r <= rules; ++r) {
    lhsLength[r] = static_cast<std::uint8_t>(WordLength(w.lhs[r]));
    rhsLength[r] = static_cast<std::uint8_t>(WordLength(w.rhs[r]));
  }

  // Seeds: the left-hand sides in rule order, duplicates included; only the first 100 fit.
  AncestorTable table;
  table.count = rules < kMaxAncestorStrings ? rules : kMaxAncestorStrings;
  for (int k = 1; k <= table.count; ++k) {
    const int n = lhsLength[k];
    Word& s = table.strings[k];
    std::memcpy(s.data(), w.lhs[k].data(), n);
    table.length[k] = static_cast<std::uint8_t>(n);
  }

  // Every pass handles all strings known at its start; it ends the search once it adds none.
  int prev = 0;
  while (prev < table.count) {
    if (TimeUp()) return;
    prev = table.count;
    for (int a = 1; a <= prev; ++a) {
      const Side s{table.strings[a].data(), table.length[a]};
      for (int r = 1; r <= rules; ++r) {
        const Side l{w.lhs[r].data(), lhsLength[r]};
        const Side rhs{w.rhs[r].data(), rhsLength[r]};
        for (int i = 0; i < s.n; ++i) {
          AncestorRightOverlap(table, a, s, l, rhs, i);
          AncestorRhsInside(table, a, s, l, rhs, i);
        }
        for (int i = 0; i < rhs.n; ++i) {
          AncestorLeftOverlap(table, a, s, l, rhs, i);
          AncestorInsideRhs(table, a, s, l, rhs, i);
        }
      }
    }
  }

  ReportLoop(*this, table);
  LastAncestors = table;
}

} // namespace selko
