// Recursive path order with precedence on strings. A Word a1 a2 ... ak is read as the term
// a1(a2(...ak(x)...)). Every rule is oriented by one walk that collects the precedence pairs it
// needs; the pairs must then be free of cycles. Failing that, the reversed system is tried, and
// then the systems with one symbol erased at a time.
#include <algorithm>

#include "core/prover.hpp"

namespace selko {

namespace {

// The symbol at position p (from 1) of a Word of length n, 0 past its end.
inline Symbol At(const Word& w, int n, int p) { return p <= n ? w[p - 1] : Symbol{0}; }

// For each position j (from 1) of the rhs, the last position p of the lhs such that the rhs
// suffix from j is a scattered subword of the lhs suffix from p (0 when there is none);
// entry rhsLength + 1 is lhsLength + 1. The rhs suffix from j is then a scattered subword of
// the lhs suffix after position i exactly when i + 1 <= last[j].
void LastEmbeddings(const Word& lhs, int lhsLength, const Word& rhs, int rhsLength,
                    std::array<int, kMaxWordLength + 2>& last) {
  last[static_cast<std::size_t>(rhsLength + 1)] = lhsLength + 1;
  int p = lhsLength + 1;
  for (int j = rhsLength; j >= 1; --j) {
    --p;
    while (p >= 1 && At(lhs, lhsLength, p) != At(rhs, rhsLength, j))
      --p;
    if (p < 1) {
      for (int k = j; k >= 1; --k)
        last[static_cast<std::size_t>(k)] = 0;
      return;
    }
    last[static_cast<std::size_t>(j)] = p;
  }
}

// The Word w with every occurrence of symbol s removed.
Word Erase(const Word& w, Symbol s) {
  Word out{};
  const int n = WordLength(w);
  int k = 0;
  for (int p = 0; p < n; ++p) {
    const Symbol c = w[p];
    if (c != s) out[k++] = c;
  }
  return out;
}

// The text of the precedence pair a > b.
void AppendPair(std::string& text, const RuleTable& t, Symbol a, Symbol b) {
  text += "  ";
  text += t.names[a];
  text += '>';
  text += t.names[b];
}

void AppendErasure(std::string& text, const RuleTable& t, int sym) {
  text += ", after removing ";
  text += t.names[static_cast<std::size_t>(sym)];
}

// Orients one rule: calls onPair(a, b) for every precedence pair a > b that its walk needs, in
// order and with repeats. False when the rule cannot be oriented at all.
template <class OnPair>
bool OrientRule(const Word& lhs, const Word& rhs, std::uint8_t strict, int n, OnPair onPair) {
  const int lhsLength = WordLength(lhs);
  const int rhsLength = WordLength(rhs);
  if (lhsLength == 0 && (strict != 0 || rhsLength != 0)) return false;
  if (strict == 0 && SameWord(lhs, rhs)) return true;
  std::array<int, kMaxWordLength + 2> last;
  LastEmbeddings(lhs, lhsLength, rhs, rhsLength, last);
  int i = 1;
  int j = 1;
  // The walk ends as soon as the rest of the rhs is a scattered subword of the lhs after i.
  while (j <= rhsLength && !(i + 1 <= last[static_cast<std::size_t>(j)])) {
    const Symbol a = At(lhs, lhsLength, i);
    const Symbol b = At(rhs, rhsLength, j);
    if (a > n || b > n) return false; // not a symbol of the table: nothing to compare it by
    if (a == b) {
      ++i;
      ++j;
      if (i > lhsLength) return false;
    } else {
      // The lhs head must be greater than the rhs head; the lhs suffix from i must then
      // dominate the rhs suffix after j.
      onPair(a, b);
      ++j;
    }
  }
  return true;
}

// A set of symbols 1..kMaxSymbols as bits.
struct SymbolSet {
  std::array<std::uint64_t, (kMaxSymbols + 64) / 64> bits{};
  void Add(int s) { bits[static_cast<std::size_t>(s / 64)] |= std::uint64_t{1} << (s % 64); }
  bool Meets(const SymbolSet& other) const {
    for (std::size_t k = 0; k < bits.size(); ++k)
      if ((bits[k] & other.bits[k]) != 0) return true;
    return false;
  }
};

// Whether the pairs a > b (b in greater[a]) among symbols 1..n are free of cycles: every symbol
// drops once each symbol that is greater than no live symbol has dropped, as in ProveByRpo.
bool FreeOfCycles(const std::array<SymbolSet, kMaxSymbols + 1>& greater, int n) {
  SymbolSet alive;
  for (int a = 1; a <= n; ++a)
    alive.Add(a);
  int count = n;
  int previous = n + 1;
  while (count < previous && count > 0) {
    previous = count;
    count = 0;
    SymbolSet next;
    for (int a = 1; a <= n; ++a) {
      const auto word = static_cast<std::size_t>(a / 64);
      const std::uint64_t bit = std::uint64_t{1} << (a % 64);
      if ((alive.bits[word] & bit) == 0) continue;
      if (greater[static_cast<std::size_t>(a)].Meets(alive)) {
        ++count;
        next.Add(a);
      }
    }
    alive = next;
  }
  return count == 0;
}

} // namespace

bool Prover::OrientRules() {
  const RuleTable& t = CurrentTable;
  const int n = t.symbolCount < kMaxSymbols ? t.symbolCount : kMaxSymbols;
  for (int r = 1; r <= t.ruleCount; ++r) {
    const bool oriented = OrientRule(t.lhs[r], t.rhs[r], t.strict[r], n, [&](Symbol a, Symbol b) {
      if (PrecedenceTable[a][b] != 0) return;
      AppendPair(PrecedenceText, t, a, b);
      PrecedencePairs += static_cast<char>(a);
      PrecedencePairs += static_cast<char>(b);
      PrecedenceTable[a][b] = 1;
    });
    if (!oriented) return false;
  }
  return true;
}

bool Prover::RpoHolds(bool reversed) {
  const RuleTable& t = CurrentTable;
  const int n = t.symbolCount < kMaxSymbols ? t.symbolCount : kMaxSymbols;
  const int rules = std::clamp(t.ruleCount, 0, kMaxRules);
  std::array<SymbolSet, kMaxSymbols + 1> greater{}; // greater[a]: the b with a > b
  auto orient = [&](int r) {
    Word lhs = t.lhs[r];
    Word rhs = t.rhs[r];
    if (reversed) {
      ReverseWord(lhs);
      ReverseWord(rhs);
    }
    return OrientRule(lhs, rhs, t.strict[r], n, [&](Symbol a, Symbol b) { greater[a].Add(b); });
  };
  // The rule that failed last is tried first; the order changes nothing else.
  const int hint = RpoFailHint;
  if (hint >= 1 && hint <= rules && !orient(hint)) return false;
  for (int r = 1; r <= rules; ++r) {
    if (r != hint && !orient(r)) {
      RpoFailHint = r;
      return false;
    }
  }
  return FreeOfCycles(greater, n);
}

void Prover::ProveByRpo() {
  const int n = CurrentTable.symbolCount < kMaxSymbols ? CurrentTable.symbolCount : kMaxSymbols;
  PrecedenceText.clear();
  PrecedencePairs.clear();
  for (int a = 1; a <= n; ++a) {
    for (int b = 1; b <= n; ++b)
      PrecedenceTable[a][b] = 0;
  }
  if (!OrientRules()) return;

  // Drop every symbol that is greater than no live symbol, until nothing more drops. The pairs
  // extend to a precedence exactly when every symbol drops.
  std::array<std::uint8_t, kMaxSymbols + 1> alive{};
  for (int a = 1; a <= n; ++a)
    alive[a] = 1;
  int count = n;
  int previous = n + 1;
  while (count < previous) {
    previous = count;
    count = 0;
    for (int a = 1; a <= n; ++a) {
      if (alive[a] == 0) continue;
      bool greater = false;
      for (int b = 1; b <= n && !greater; ++b)
        greater = alive[b] != 0 && PrecedenceTable[a][b] != 0;
      if (greater) {
        ++count;
      } else {
        alive[a] = 0;
      }
    }
  }
  if (count == 0) Proved = 1;
}

void Prover::ProveByRpoBothWays() {
  RpoReversed = 0;
  ProveByRpo();
  if (Proved != 0) return;
  RpoReversed = 1;
  ReverseSystem();
  ProveByRpo();
  ReverseSystem();
}

void Prover::ProveByRpoWithErasure() {
  // A run that begins with a proof only repeats the first attempt: not worth a key.
  const bool reuse = ReuseSearches != 0 && Proved == 0;
  if (reuse) {
    BuildTableKey(CurrentTable, SearchKey);
    const PathOrderOutcome* known = PathOrderMemo.Find(SearchKey);
    // The erasure loop looks at the deadline before its first pass; when time is up there, the
    // attempts run again and stop where the loop would have stopped.
    if (known != nullptr && (known->erased == 0 || !TimeUp())) {
      ReplayPathOrder(*known);
      return;
    }
  }
  PathOrderOutcome outcome;
  outcome.erased = static_cast<std::uint8_t>(RunRpoWithErasure());
  if (!reuse || Interrupted) return;
  outcome.proved = Proved;
  outcome.reversed = RpoReversed;
  outcome.pairs = PrecedencePairs;
  PathOrderMemo.Store(SearchKey, std::move(outcome));
}

int Prover::RunRpoWithErasure() {
  // Quick verdicts find the attempt that the search ends with: the first that succeeds, or
  // else the last. Only that attempt then runs in full, which leaves the state (pairs, text,
  // RpoReversed) exactly as the full attempts one after the other would leave it.
  auto quick = [this] { return RpoHolds(false) ? 0 : RpoHolds(true) ? 1 : -1; };
  int ending = Proved != 0 ? 0 : quick(); // with a proof already, only the first attempt runs
  const int rules = std::clamp(CurrentTable.ruleCount, 0, kMaxRules);
  const int n = CurrentTable.symbolCount < kMaxSymbols ? CurrentTable.symbolCount : kMaxSymbols;
  int sym = 0;
  if (ending < 0 && n > 0) {
    for (int r = 1; r <= rules; ++r) {
      PathOrderCopy.lhs[r] = CurrentTable.lhs[r];
      PathOrderCopy.rhs[r] = CurrentTable.rhs[r];
    }
    while (ending < 0 && sym < n && !TimeUp()) {
      ++sym;
      for (int r = 1; r <= rules; ++r) {
        CurrentTable.lhs[r] = Erase(PathOrderCopy.lhs[r], static_cast<Symbol>(sym));
        CurrentTable.rhs[r] = Erase(PathOrderCopy.rhs[r], static_cast<Symbol>(sym));
      }
      ending = quick();
    }
  }

  if (ending == 0) {
    RpoReversed = 0;
    ProveByRpo();
  } else {
    RpoReversed = 1;
    ReverseSystem();
    ProveByRpo();
    ReverseSystem();
  }
  if (sym != 0) {
    AppendErasure(PrecedenceText, CurrentTable, sym);
    for (int r = 1; r <= rules; ++r) {
      CurrentTable.lhs[r] = PathOrderCopy.lhs[r];
      CurrentTable.rhs[r] = PathOrderCopy.rhs[r];
    }
  }
  return sym;
}

void Prover::ReplayPathOrder(const PathOrderOutcome& outcome) {
  const int n = CurrentTable.symbolCount < kMaxSymbols ? CurrentTable.symbolCount : kMaxSymbols;
  for (int a = 1; a <= n; ++a) {
    for (int b = 1; b <= n; ++b)
      PrecedenceTable[a][b] = 0;
  }
  PrecedenceText.clear();
  PrecedencePairs = outcome.pairs;
  for (std::size_t i = 0; i + 1 < outcome.pairs.size(); i += 2) {
    const auto a = static_cast<Symbol>(outcome.pairs[i]);
    const auto b = static_cast<Symbol>(outcome.pairs[i + 1]);
    PrecedenceTable[a][b] = 1;
    AppendPair(PrecedenceText, CurrentTable, a, b);
  }
  if (outcome.erased != 0) AppendErasure(PrecedenceText, CurrentTable, outcome.erased);
  RpoReversed = outcome.reversed;
  if (outcome.proved != 0) Proved = 1;
}

void Prover::LogRpoVerdict() {
  LogLine();
  if (RpoReversed != 0) {
    LogLine("Terminating since rev(l) > rev(r) for all rules l -> r");
    LogLine("where > is the recursive path order with precedence:");
  } else {
    LogLine("Terminating by recursive path order with precedence:");
  }
  LogLine(PrecedenceText);
}

} // namespace selko
