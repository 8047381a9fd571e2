// The labelling driver: removal by interpretations, the path order and semantic labelling in
// cycles, and the removal of labels after a labelling that dropped every copy of some rule.
#include <array>

#include "core/prover.hpp"

namespace selko {

void Prover::LabellingDriver() {
  LabelProgress = 1;
  while (LabelProgress == 1 && Proved == 0) {
    if (TimeUp()) {
      LabelProgress = 0;
      break;
    }
    LabelProgress = 0;
    ProvedByRpo = 1;

    CopyRules(WorkTable, CurrentTable);
    CurrentTable.symbolCount = WorkTable.symbolCount;
    for (int s = 1; s <= WorkTable.symbolCount; ++s)
      CurrentTable.names[s] = WorkTable.names[s];

    RemovalLoop();
    if (CurrentTable.ruleCount < WorkTable.ruleCount) {
      // Replay the same removals, this time into the proof log.
      CopyRules(WorkTable, CurrentTable);
      CurrentTable.symbolCount = WorkTable.symbolCount;
      ReportSteps = 1;
      RemovalLoop();
      ReportSteps = 0;
      CopyRules(CurrentTable, WorkTable);
    }

    if (Proved == 0) {
      ProveByRpoWithErasure();
      if (Proved != 0) LogRpoVerdict();
    }

    if (Proved == 0) LabelBothWays();

    if (Proved == 0 && LabelProgress == 1) {
      LogLine();
      LogLine("Remove all labels, remaining unlabelled system:");
      // Keep the rules of which some labelled copy is left.
      std::array<std::uint8_t, kMaxRules + 1> keep{};
      const int rules = WorkTable.ruleCount;
      for (int n = 1; n <= CurrentTable.ruleCount; ++n) {
        const std::int32_t origin = RuleOrigin[n];
        if (origin > 0 && origin <= rules) keep[origin] = 1;
      }
      int kept = 0;
      for (int r = 1; r <= rules; ++r) {
        if (keep[r] == 0) continue;
        ++kept;
        if (kept != r) {
          WorkTable.lhs[kept] = WorkTable.lhs[r];
          WorkTable.rhs[kept] = WorkTable.rhs[r];
          WorkTable.strict[kept] = WorkTable.strict[r];
        }
      }
      // Every progressing attempt drops some rule; the test only guards the loop's end.
      if (kept == rules) LabelProgress = 0;
      WorkTable.ruleCount = kept;
      CommitWork();
      for (int n = 1; n <= CurrentTable.ruleCount; ++n)
        LogLine("    " + FormatRule(n));
    }
  }
}

} // namespace selko
