// One removal step: the interpretation search on CurrentTable (or its result from an earlier
// search on the same rules), the step's lines, and the removal of the strictly decreasing rules.
#include <algorithm>

#include "core/prover.hpp"

namespace selko {

bool Prover::RemoveByInterpretation() {
  InterpretationOutcome fresh;
  const InterpretationOutcome* outcome = &fresh;
  const InterpretationOutcome* known = nullptr;
  if (ReuseSearches != 0) {
    BuildTableKey(CurrentTable, SearchKey);
    known = InterpretationMemo.Find(SearchKey);
  }
  if (known != nullptr) {
    // The search looks at the deadline before its first step.
    if (TimeUp()) return false;
    ReplayInterpretation(*known);
    outcome = known;
  } else {
    SearchInterpretation(fresh);
    if (ReuseSearches != 0 && !Interrupted) {
      KeepInterpretation(fresh);
      InterpretationMemo.Store(SearchKey, fresh);
    }
  }
  if (outcome->found == 0) return false;

  RuleTable& table = CurrentTable;
  const int rules = std::clamp(table.ruleCount, 0, kMaxRules);
  if (ReportSteps != 0) {
    LogInterpretation(*outcome);
    for (int r = 1; r <= rules; ++r)
      if (RemoveMark[static_cast<std::size_t>(r)] != 0) LogLine("remove: " + FormatRule(r));
  }

  int kept = 0;
  for (int r = 1; r <= rules; ++r) {
    const auto from = static_cast<std::size_t>(r);
    if (RemoveMark[from] != 0) continue;
    const auto to = static_cast<std::size_t>(++kept);
    if (to != from) {
      table.lhs[to] = table.lhs[from];
      table.rhs[to] = table.rhs[from];
      table.strict[to] = table.strict[from];
      RuleOrigin[to] = RuleOrigin[from];
    }
  }
  table.ruleCount = kept;
  return true;
}

} // namespace selko
