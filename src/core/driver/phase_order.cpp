// The phases between reading and showing: core attempt and match bounds, loop search, and the
// rest of the last phase.
#include "core/driver/attempt_budget.hpp"
#include "core/prover.hpp"

namespace selko {

namespace {

const char* const kReverseLine = "Reverse every lhs and rhs of the system.";

} // namespace

void Prover::PhaseOne() {
  if (!Options.matchBound) return;
  auto open = [this] { return PlainMode == 1 && Proved == 0 && !TimeUp(); };
  auto reverseWork = [this] {
    LogLine();
    LogLine(kReverseLine);
    LogLine();
    CommitWork();
    ReverseSystem();
    ReloadWork();
  };

  CoreAttempt();

  if (open()) {
    LogCount = AttemptMark;
    ExpandEmptyRhs();
    MatchBoundProof();
  }
  if (open()) {
    LogCount = AttemptMark;
    RestoreWorkA();
    reverseWork();
    MatchBoundProof();
  }
  if (open()) {
    LogCount = AttemptMark;
    RestoreWorkA();
    if (StripCommonSymbol()) MatchBoundProof();
  }
  if (open()) {
    LogCount = AttemptMark;
    RestoreWorkA();
    reverseWork();
    if (StripCommonSymbol()) MatchBoundProof();
  }
}

void Prover::PhaseTwo() {
  if (PlainMode != 1 || Proved != 0 || TimeUp()) return;
  if (Options.matchBound) RestoreWorkA();
  LoopSearch();
}

void Prover::LastPhaseRest() {
  if (PlainMode == 1 && !TimeUp()) TransformationOrder();
  if (PlainMode == 1 && !TimeUp()) DummyElimination();

  std::int32_t budget = 0;
  if (!ParseAttempts(Options.attemptsText, budget)) {
    AttemptsError = AttemptsErrorMessage(Options.attemptsText);
    return;
  }
  AttemptBudget = budget;

  CoreAttempt();

  if (Proved == 0 && !TimeUp()) {
    LogCount = HeaderMark;
    RestoreWorkB();
    if (WorkTable.symbolCount == 2 && AddLeftContexts()) CoreAttempt();
  }
}

} // namespace selko
