// The core attempt: the labelling driver on the system, on its dependency pairs, and on the
// dependency pairs of the reversed system.
#include "core/prover.hpp"

namespace selko {

void Prover::CoreAttempt() {
  ReportSteps = 0;
  LabellingDriver();
  AttemptMark = LogCount;

  if (PlainMode == 1 && Proved == 0 && !TimeUp()) {
    SaveWorkA();
    if (AddDependencyPairs()) {
      CommitWork();
      LogDependencyPairs();
      LabellingDriver();
    }
  }

  if (PlainMode == 1 && Proved == 0 && !TimeUp()) {
    LogCount = AttemptMark;
    RestoreWorkA();
    LogLine();
    LogLine("Reverse every lhs and rhs of the system.");
    LogLine();
    CommitWork();
    ReverseSystem();
    ReloadWork();
    if (!AddDependencyPairs()) {
      // A refused transformation leaves no trace of the pass, its three lines included.
      LogCount = AttemptMark;
      return;
    }
    CommitWork();
    LogDependencyPairs();
    LabellingDriver();
  }
}

} // namespace selko
