// Transformation order: a rule l -> r whose left-hand side overlaps with no left-hand side (not
// with another one, not with itself apart from the exact match) may rewrite occurrences of l in
// the right-hand sides of the system. One replacement per sweep, the new system logged after
// each, until no rule qualifies.
#include <cstdint>

#include "core/prover.hpp"

namespace selko {

namespace {

constexpr int kMaxSweeps = 1000; // a rule that keeps rewriting its own kind never stops otherwise

// True when the Word w holds the symbols of pattern (of length n) from index at on.
bool OccursAt(const Word& w, int at, const Word& pattern, int n) {
  for (int q = 0; q < n; ++q) {
    if (w[static_cast<std::size_t>(at + q)] != pattern[static_cast<std::size_t>(q)]) return false;
  }
  return true;
}

} // namespace

int Prover::CountOverlaps(int a, int b) const {
  const Word& u = WorkTable.lhs[a];
  const Word& v = WorkTable.lhs[b];
  const int n = WordLength(u);
  const int m = WordLength(v);
  int count = 0;
  for (int p = 0; p < n; ++p) {
    int q = 0;
    while (p + q < n && q < m &&
           u[static_cast<std::size_t>(p + q)] == v[static_cast<std::size_t>(q)])
      ++q;
    if (p + q == n || q == m) ++count;
  }
  return count;
}

namespace {

// S(i) = 2: the sum over all rules k of CountOverlaps(k, i) + CountOverlaps(i, k). The sum only
// grows, so the scan stops as soon as it passes 2.
bool Qualifies(const Prover& prover, int i) {
  int sum = 0;
  for (int k = 1; k <= prover.WorkTable.ruleCount; ++k) {
    sum += prover.CountOverlaps(k, i) + prover.CountOverlaps(i, k);
    if (sum > 2) return false;
  }
  return sum == 2;
}

} // namespace

void Prover::TransformationOrder() {
  const int R = WorkTable.ruleCount;
  // Left-hand sides never change here, so whether a rule qualifies is settled once:
  // -1 not yet known, 0 no, 1 yes.
  std::array<std::int8_t, kMaxRules + 1> qualifies;
  qualifies.fill(-1);

  // Rewrites, in CurrentTable, the leftmost occurrence of lhs i in rhs j by rhs i (both read
  // from WorkTable) when rule i may do so; false when it may not.
  auto tryPair = [&](int i, int j) {
    const Word& l = WorkTable.lhs[i];
    const Word& ri = WorkTable.rhs[i];
    const Word& u = WorkTable.rhs[j];
    const int ln = WordLength(l);
    const int rn = WordLength(ri);
    const int un = WordLength(u);
    // The rewritten rhs must still fit a Word, and must change: otherwise the occurrence is
    // passed over.
    if (un - ln + rn > kMaxWordLength || SameWord(l, ri)) return false;
    for (int p = 0; p + ln <= un && p < un; ++p) {
      if (!OccursAt(u, p, l, ln)) continue;
      if (qualifies[i] < 0) qualifies[i] = Qualifies(*this, i) ? 1 : 0;
      if (qualifies[i] == 0) return false;
      Word& target = CurrentTable.rhs[j];
      int t = 0;
      for (int q = 0; q < p; ++q)
        target[static_cast<std::size_t>(t++)] = u[q];
      for (int q = 0; q < rn; ++q)
        target[static_cast<std::size_t>(t++)] = ri[q];
      for (int q = p + ln; q < un; ++q)
        target[static_cast<std::size_t>(t++)] = u[q];
      target[static_cast<std::size_t>(t)] = 0;
      return true;
    }
    return false;
  };

  // Whether rule i may rewrite rhs j depends on rhs i and rhs j only, and a sweep changes one
  // rhs. So the pairs (i, j) before the pair applied last, which could not rewrite then, need
  // another look only where i or j is the rule that changed.
  int lastI = 0;
  int lastJ = 0;
  for (int sweep = 1;; ++sweep) {
    if (sweep > kMaxSweeps || (sweep > 1 && TimeUp())) break;

    int appliedI = 0;
    int appliedJ = 0;
    auto tryRow = [&](int i, int from) {
      for (int j = from; j <= R; ++j) {
        if (qualifies[i] == 0) return false;
        if (tryPair(i, j)) {
          appliedI = i;
          appliedJ = j;
          return true;
        }
      }
      return false;
    };
    for (int i = 1; i <= R; ++i) {
      if (qualifies[i] == 0) continue;
      bool applied = false;
      if (lastJ == 0 || i > lastI || i == lastJ) {
        applied = tryRow(i, 1);
      } else if (i < lastI) {
        applied = tryPair(i, lastJ);
        if (applied) {
          appliedI = i;
          appliedJ = lastJ;
        }
      } else { // i == lastI: the pairs before (lastI, lastJ) are unchanged
        applied = tryRow(i, lastJ);
      }
      if (applied) break;
    }

    if (appliedI == 0) break;
    LogLine();
    LogLine("Transformation order: apply rule " + std::to_string(appliedI) + " on rhs of rule " +
            std::to_string(appliedJ) + ", result:");
    for (int n = 1; n <= CurrentTable.ruleCount; ++n)
      LogLine(FormatRule(n));
    ReloadWork();
    lastI = appliedI;
    lastJ = appliedJ;
  }
  CommitWork();
}

} // namespace selko
