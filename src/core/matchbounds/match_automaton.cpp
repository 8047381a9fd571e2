// RFC match bounds: build the automaton for the right-hand sides, complete it until every
// left-hand side path is matched by its right-hand side one label higher, and print it.
#include "core/matchbounds/match_automaton.hpp"

#include <cstdint>
#include <string>

#include "core/prover.hpp"

namespace selko {

void MatchAutomaton::NextEpoch(std::int32_t& epoch, Memo& stamps) {
  if (epoch == INT32_MAX) { // never reached in practice; an old stamp must not look current
    for (auto& row : stamps)
      row.fill(0);
    epoch = 0;
  }
  ++epoch;
}

int MatchAutomaton::AddState() {
  ++stateCount;
  first[static_cast<std::size_t>(stateCount)] = 0;
  lastOut[static_cast<std::size_t>(stateCount)] = 0;
  return stateCount;
}

int MatchAutomaton::AddTransition(int from, int to, Symbol s, int height) {
  const int t = ++transitionCount;
  const auto ut = static_cast<std::size_t>(t);
  const auto uf = static_cast<std::size_t>(from);
  symbol[ut] = s;
  target[ut] = static_cast<std::int16_t>(to);
  label[ut] = static_cast<std::int16_t>(height);
  next[ut] = 0;
  if (first[uf] == 0) {
    first[uf] = static_cast<std::int16_t>(t);
  } else {
    next[static_cast<std::size_t>(lastOut[uf])] = static_cast<std::int16_t>(t);
  }
  lastOut[uf] = static_cast<std::int16_t>(t);
  // Every search answer may change with a new transition.
  NextEpoch(lhsEpoch, lhsStamp);
  NextEpoch(rhsEpoch, rhsStamp);
  return t;
}

bool MatchBoundFits(const RuleTable& work) {
  if (work.symbolCount < 0 || work.symbolCount >= kMaxSymbols) return false;
  if (work.ruleCount < 0 || work.ruleCount > kMaxRules) return false;
  int rules = work.ruleCount;
  int startTransitions = 1;
  for (int r = 1; r <= work.ruleCount; ++r) {
    const Word& l = work.lhs[static_cast<std::size_t>(r)];
    const Word& u = work.rhs[static_cast<std::size_t>(r)];
    const int m = WordLength(l);
    const int k = WordLength(u);
    if (m == 0 || k == 0) return false;
    for (int p = 0; p < m; ++p) {
      if (l[static_cast<std::size_t>(p)] > work.symbolCount) return false;
    }
    for (int p = 0; p < k; ++p) {
      if (u[static_cast<std::size_t>(p)] > work.symbolCount) return false;
    }
    rules += m - 1;
    startTransitions += k;
  }
  return rules <= kMaxRules && startTransitions <= MatchAutomaton::kStartLimit;
}

void MatchAutomaton::BuildStartAutomaton(RuleTable& current, const RuleTable& work) {
  // The closure symbol and the closure rules a1 ... ak # -> r for every proper prefix.
  const int closure = ++current.symbolCount;
  current.names[static_cast<std::size_t>(closure)] = "#";
  for (int r = 1; r <= work.ruleCount; ++r) {
    const Word& l = work.lhs[static_cast<std::size_t>(r)];
    const int m = WordLength(l);
    for (int k = 1; k < m; ++k) {
      const auto c = static_cast<std::size_t>(++current.ruleCount);
      Word& prefix = current.lhs[c];
      for (int p = 0; p < k; ++p)
        prefix[static_cast<std::size_t>(p)] = l[static_cast<std::size_t>(p)];
      prefix[static_cast<std::size_t>(k)] = static_cast<Symbol>(closure);
      prefix[static_cast<std::size_t>(k + 1)] = 0;
      current.rhs[c] = work.rhs[static_cast<std::size_t>(r)];
      current.strict[c] = 1;
    }
  }

  stateCount = 0;
  transitionCount = 0;
  AddState();
  AddState();
  AddTransition(2, 2, static_cast<Symbol>(closure), 0);
  for (int r = 1; r <= work.ruleCount; ++r) {
    const Word& u = work.rhs[static_cast<std::size_t>(r)];
    const int k = WordLength(u);
    int from = 1;
    for (int p = 0; p < k; ++p) {
      const int to = p + 1 == k ? 2 : AddState();
      AddTransition(from, to, u[static_cast<std::size_t>(p)], 0);
      from = to;
    }
  }
}

bool MatchAutomaton::CanReadLhs(int j, int q) {
  if (j == lhsLength) return true;
  const auto uj = static_cast<std::size_t>(j);
  const auto uq = static_cast<std::size_t>(q);
  if (lhsStamp[uj][uq] == lhsEpoch) return lhsMemo[uj][uq] != 0;
  const Symbol a = lhsWord[uj];
  bool ok = false;
  for (int t = first[uq]; t != 0 && !ok; t = next[static_cast<std::size_t>(t)]) {
    const auto ut = static_cast<std::size_t>(t);
    ok = symbol[ut] == a && CanReadLhs(j + 1, target[ut]);
  }
  lhsStamp[uj][uq] = lhsEpoch;
  lhsMemo[uj][uq] = ok ? 1 : 0;
  return ok;
}

void MatchAutomaton::FindLhsPaths(int s, const Word& lhs) {
  pathCount = 0;
  pathLength = WordLength(lhs);
  if (pathLength == 0) return;
  if (!SameWord(lhs, lhsWord)) {
    lhsWord = lhs;
    lhsLength = pathLength;
    NextEpoch(lhsEpoch, lhsStamp);
  }
  if (!CanReadLhs(0, s)) return;

  // Depth-first, every list in order; only transitions from which the rest of the lhs can
  // still be read are entered, so each step leads to at least one complete path.
  std::array<std::int16_t, kMaxWordLength> path{};
  std::array<int, kMaxWordLength> candidate{};
  int depth = 0;
  candidate[0] = first[static_cast<std::size_t>(s)];
  while (depth >= 0) {
    const auto ud = static_cast<std::size_t>(depth);
    const Symbol a = lhs[ud];
    int t = candidate[ud];
    while (t != 0) {
      const auto ut = static_cast<std::size_t>(t);
      if (symbol[ut] == a && CanReadLhs(depth + 1, target[ut])) break;
      t = next[ut];
    }
    if (t == 0) {
      --depth;
      if (depth >= 0) {
        const auto up = static_cast<std::size_t>(depth);
        candidate[up] = next[static_cast<std::size_t>(path[up])];
      }
      continue;
    }
    path[ud] = static_cast<std::int16_t>(t);
    if (depth + 1 < pathLength) {
      candidate[ud + 1] = first[static_cast<std::size_t>(target[static_cast<std::size_t>(t)])];
      ++depth;
      continue;
    }
    if (pathCount == kMaxPaths) {
      giveUp = true;
      return;
    }
    paths[static_cast<std::size_t>(pathCount++)] = path;
    candidate[ud] = next[static_cast<std::size_t>(t)];
  }
}

bool MatchAutomaton::CanReadRhs(int j, int q) {
  if (j == rhsLength) return q == rhsInto;
  const auto uj = static_cast<std::size_t>(j);
  const auto uq = static_cast<std::size_t>(q);
  if (rhsStamp[uj][uq] == rhsEpoch) return rhsMemo[uj][uq] != 0;
  const Symbol a = rhsWord[uj];
  bool ok = false;
  for (int t = first[uq]; t != 0 && !ok; t = next[static_cast<std::size_t>(t)]) {
    const auto ut = static_cast<std::size_t>(t);
    ok = symbol[ut] == a && label[ut] == rhsHeight && CanReadRhs(j + 1, target[ut]);
  }
  rhsStamp[uj][uq] = rhsEpoch;
  rhsMemo[uj][uq] = ok ? 1 : 0;
  return ok;
}

bool MatchAutomaton::TraceRhs(int from, const Word& rhs, int j, int height, int into) {
  if (!SameWord(rhs, rhsWord) || height != rhsHeight || into != rhsInto) {
    rhsWord = rhs;
    rhsLength = WordLength(rhs);
    rhsHeight = height;
    rhsInto = into;
    NextEpoch(rhsEpoch, rhsStamp);
  }
  if (j >= rhsLength) return false; // nothing to read: never asked for
  return CanReadRhs(j, from);
}

void MatchAutomaton::MakeCompatible(int path, int s, const Word& rhs) {
  const auto& p = paths[static_cast<std::size_t>(path)];
  int lowest = label[static_cast<std::size_t>(p[0])];
  for (int i = 1; i < pathLength; ++i) {
    const int l = label[static_cast<std::size_t>(p[static_cast<std::size_t>(i)])];
    if (l < lowest) lowest = l;
  }
  const int h = lowest + 1;
  const int f = target[static_cast<std::size_t>(p[static_cast<std::size_t>(pathLength - 1)])];
  if (bound < h) bound = h;

  const int k = WordLength(rhs);
  if (TraceRhs(s, rhs, 0, h, f)) return;
  // Only a step that starts above the transition limit (and so gives up anyway) can come near
  // the capacity; it is cut short so that every write stays inside the arrays.
  if (transitionCount + k >= kCapacity || stateCount + k - 1 >= kCapacity) {
    giveUp = true;
    return;
  }

  if (k >= 2) {
    int reuse = 0;
    for (int x = stateCount; x >= 1 && reuse == 0; --x) {
      if (TraceRhs(x, rhs, 1, h, f)) reuse = x;
    }
    if (reuse != 0) {
      AddTransition(s, reuse, rhs[0], h);
      if (transitionCount > kTransitionLimit) giveUp = true;
      return;
    }
  }

  int from = s;
  for (int i = 0; i < k; ++i) {
    const int to = i + 1 == k ? f : AddState();
    AddTransition(from, to, rhs[static_cast<std::size_t>(i)], h);
    if (i == 0 && transitionCount > kTransitionLimit) giveUp = true;
    from = to;
  }
}

void Prover::MatchBoundProof() {
  if (!MatchBoundFits(WorkTable)) return;
  CommitWork();

  MatchAutomaton m; // about 200 KB, for this call only
  m.BuildStartAutomaton(CurrentTable, WorkTable);

  // Completion in sweeps, until a whole sweep adds nothing or a limit is reached.
  int prev = 0;
  while (!m.giveUp && prev < m.transitionCount) {
    if (prev != 0 && TimeUp()) {
      m.giveUp = true;
      break;
    }
    prev = m.transitionCount;
    for (int r = 1; r <= CurrentTable.ruleCount && !m.giveUp; ++r) {
      const Word& lhs = CurrentTable.lhs[static_cast<std::size_t>(r)];
      const Word& rhs = CurrentTable.rhs[static_cast<std::size_t>(r)];
      const int n = m.stateCount; // states made while handling rule r wait for rule r + 1
      for (int s = 1; s <= n && !m.giveUp; ++s) {
        m.FindLhsPaths(s, lhs);
        for (int p = 0; p < m.pathCount && !m.giveUp; ++p)
          m.MakeCompatible(p, s, rhs);
      }
    }
  }
  if (m.giveUp) return;

  Proved = 1;
  LogLine();
  LogLine("Terminating due to RFC match bound " + std::to_string(m.bound) + ",");
  LogLine("proved by the automaton defined by");
  LogLine("initial state = 1, final state = 2, transitions:");
  for (int s = 1; s <= m.stateCount; ++s) {
    for (int t = m.first[static_cast<std::size_t>(s)]; t != 0;
         t = m.next[static_cast<std::size_t>(t)]) {
      const auto ut = static_cast<std::size_t>(t);
      LogLine("from " + std::to_string(s) + " to " + std::to_string(m.target[ut]) +
              ", label: " + CurrentTable.names[m.symbol[ut]] + std::to_string(m.label[ut]));
    }
  }
}

} // namespace selko
