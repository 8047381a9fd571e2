// Preparing a system for match bounds: empty right-hand sides expanded, and a symbol common to
// both ends of a single rule stripped.
#include "core/prover.hpp"

namespace selko {

void Prover::ExpandEmptyRhs() {
  const RuleTable& saved = SlotA;
  const int n = saved.symbolCount;
  bool anyEmpty = false;
  bool fits = n >= 1 && n <= kMaxSymbols;
  int rules = 0;
  for (int r = 1; r <= saved.ruleCount; ++r) {
    const auto ur = static_cast<std::size_t>(r);
    if (WordLength(saved.rhs[ur]) != 0) {
      ++rules;
      continue;
    }
    anyEmpty = true;
    rules += n;
    if (WordLength(saved.lhs[ur]) >= kMaxWordLength) fits = false;
  }
  // Nothing to expand, or no room for the expansion (or no symbol to expand with): the
  // system stays as saved.
  if (!anyEmpty || !fits || rules > kMaxRules) {
    RestoreWorkA();
    return;
  }

  LogLine("Expand empty rhs:");
  RestoreWorkA(); // the saved system's names and symbols, its rules rebuilt below
  RuleTable& work = WorkTable;
  work.ruleCount = 0;
  for (int r = 1; r <= saved.ruleCount; ++r) {
    const auto ur = static_cast<std::size_t>(r);
    if (WordLength(saved.rhs[ur]) != 0) {
      const auto w = static_cast<std::size_t>(++work.ruleCount);
      work.lhs[w] = saved.lhs[ur];
      work.rhs[w] = saved.rhs[ur];
      work.strict[w] = 1;
      continue;
    }
    const auto m = static_cast<std::size_t>(WordLength(saved.lhs[ur]));
    for (int a = 1; a <= n; ++a) {
      const auto w = static_cast<std::size_t>(++work.ruleCount);
      work.lhs[w] = saved.lhs[ur];
      work.lhs[w][m] = static_cast<Symbol>(a);
      work.lhs[w][m + 1] = 0;
      work.rhs[w][0] = static_cast<Symbol>(a);
      work.rhs[w][1] = 0;
      work.strict[w] = 1;
    }
  }
  CommitWork();
  for (int i = 1; i <= CurrentTable.ruleCount; ++i)
    LogLine("   " + FormatRule(i));
  AttemptMark = LogCount;
  SaveWorkA();
}

bool Prover::StripCommonSymbol() {
  if (WorkTable.ruleCount != 1) return false;
  Word& l = WorkTable.lhs[1];
  Word& u = WorkTable.rhs[1];
  const int m = WordLength(l);
  const int k = WordLength(u);
  if (m < 2 || k < 2) return false;

  if (l[0] == u[0]) {
    LogLine("Strip first symbol, yielding the rule");
    for (int p = 0; p + 1 < m; ++p)
      l[static_cast<std::size_t>(p)] = l[static_cast<std::size_t>(p + 1)];
    for (int p = 0; p + 1 < k; ++p)
      u[static_cast<std::size_t>(p)] = u[static_cast<std::size_t>(p + 1)];
    l[static_cast<std::size_t>(m - 1)] = 0;
    u[static_cast<std::size_t>(k - 1)] = 0;
    CommitWork();
    LogLine("   " + FormatRule(1));
    return true;
  }
  if (l[static_cast<std::size_t>(m - 1)] == u[static_cast<std::size_t>(k - 1)]) {
    l[static_cast<std::size_t>(m - 1)] = 0;
    u[static_cast<std::size_t>(k - 1)] = 0;
    CommitWork();
    LogLine("Strip last symbol, yielding the rule");
    LogLine("   " + FormatRule(1));
    return true;
  }
  return false;
}

} // namespace selko
