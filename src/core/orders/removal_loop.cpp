// The removal loop: remove rules by interpretations while that succeeds, then decide whether
// the removals alone have proved termination, and say so (or list what is left).
#include <algorithm>

#include "core/prover.hpp"

namespace selko {

void Prover::RemovalLoop() {
  while (!TimeUp() && RemoveByInterpretation()) {
  }
  if (Interrupted) return; // out of time: give up without a verdict

  const int n = std::clamp(CurrentTable.ruleCount, 0, kMaxRules);
  bool strictLeft = false;
  for (int r = 1; r <= n && !strictLeft; ++r)
    strictLeft = CurrentTable.strict[static_cast<std::size_t>(r)] != 0;

  if (!strictLeft) {
    Proved = 1;
    ProvedByRpo = 0;
    if (ReportSteps != 0) {
      LogLine(n == 0 ? "Terminating since no rules remain."
                     : "Relatively terminating since no strict rules remain.");
    }
    return;
  }
  if (ReportSteps != 0 && WorkTable.ruleCount > n) {
    LogLine(n == 1 ? "Remaining rule:" : "Remaining rules:");
    for (int r = 1; r <= n; ++r)
      LogLine("    " + FormatRule(r));
  }
}

} // namespace selko
