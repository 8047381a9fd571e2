// Dummy elimination: a symbol that occurs in no left-hand side but inside some right-hand side
// (neither first nor last) is a dummy. Every right-hand side is cut after each dummy occurrence,
// and the next piece starts with a fresh partner symbol of that dummy; each piece becomes a rule
// with the same left-hand side. All dummies go in one step.
#include <cstdint>

#include "core/prover.hpp"

namespace selko {

namespace {

// Appends to table a strict rule with the given lhs and an empty rhs (to be filled by the
// caller); returns its number.
int StartPiece(RuleTable& table, const Word& lhs) {
  const int n = ++table.ruleCount;
  table.lhs[n] = lhs;
  table.strict[n] = 1;
  table.rhs[n][0] = 0;
  return n;
}

} // namespace

void Prover::DummyElimination() {
  const int N = WorkTable.symbolCount;
  const int R = WorkTable.ruleCount;

  // Indexed by any byte a Word may hold, so that no Word can lead outside them.
  std::array<std::uint8_t, 256> dummy{};
  for (int r = 1; r <= R; ++r) {
    const Word& u = WorkTable.rhs[r];
    for (int k = 1, n = WordLength(u); k < n - 1; ++k)
      dummy[u[k]] = 1;
  }
  for (int r = 1; r <= R; ++r) {
    const Word& l = WorkTable.lhs[r];
    for (int k = 0, n = WordLength(l); k < n; ++k)
      dummy[l[k]] = 0;
  }

  int dummies = 0;
  for (int s = 1; s <= N; ++s)
    dummies += dummy[s];
  if (dummies == 0) return;

  // Every dummy occurrence in a right-hand side starts one more rule. The step is skipped when
  // the new symbols or rules would not fit the table.
  int rules = R;
  for (int r = 1; r <= R; ++r) {
    const Word& u = WorkTable.rhs[r];
    for (int k = 0, n = WordLength(u); k < n; ++k)
      rules += dummy[u[k]];
  }
  if (N + dummies > kMaxSymbols || rules > kMaxRules) return;

  RuleTable& out = CurrentTable;
  std::array<Symbol, 256> partner{};
  out.symbolCount = N;
  for (int s = 1; s <= N; ++s)
    out.names[s] = WorkTable.names[s];
  for (int s = 1; s <= N; ++s) {
    if (dummy[s] == 0) continue;
    const int m = ++out.symbolCount;
    out.names[m] = "$" + WorkTable.names[s];
    out.names[s] = WorkTable.names[s] + "$";
    partner[s] = static_cast<Symbol>(m);
  }

  out.ruleCount = 0;
  for (int r = 1; r <= R; ++r) {
    const Word& u = WorkTable.rhs[r];
    int piece = StartPiece(out, WorkTable.lhs[r]);
    int t = 0;
    for (int k = 0, n = WordLength(u); k < n; ++k) {
      out.rhs[piece][static_cast<std::size_t>(t++)] = u[k];
      if (dummy[u[k]] != 0) {
        out.rhs[piece][static_cast<std::size_t>(t)] = 0;
        piece = StartPiece(out, WorkTable.lhs[r]);
        out.rhs[piece][0] = partner[u[k]];
        t = 1;
      }
    }
    out.rhs[piece][static_cast<std::size_t>(t)] = 0;
  }

  LogLine();
  LogLine("Apply dummy elimination, result:");
  for (int n = 1; n <= out.ruleCount; ++n)
    LogLine(FormatRule(n));
  ReloadWork();
}

} // namespace selko
