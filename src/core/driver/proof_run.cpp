// The frame of one START: read, log the header and the rules, run the phases in their order.
#include "core/prover.hpp"

namespace selko {

void Prover::ProofRun() {
  LogCount = 0;
  AttemptBudget = 0;
  ReportSteps = 0;

  if (Options.preparedSystem != nullptr) {
    ReadPrepared();
  } else if (Options.tpdbFormat) {
    ReadTpdb();
  } else {
    ReadPlain();
  }
  if (!InputError.empty()) return;

  LogLine("SELKO 1.4 is applied to the string rewriting system");
  CommitWork();
  for (int r = 1; r <= CurrentTable.ruleCount; ++r)
    LogLine(FormatRule(r));

  SaveWorkB();

  HeaderMark = LogCount;
  LogLine();
  LoopFound = 0;
  Proved = 0;
  AttemptMark = LogCount;

  PhaseOne();
  PhaseTwo();

  if (Proved != 0 || LoopFound != 0 || TimeUp()) return;

  // Last phase: removal on the system as read, every step logged.
  RestoreWorkB();
  CommitWork();
  LogCount = HeaderMark;
  ReportSteps = 1;
  RemovalLoop();
  ReportSteps = 0;
  ReloadWork();

  LastPhaseRest();
}

} // namespace selko
