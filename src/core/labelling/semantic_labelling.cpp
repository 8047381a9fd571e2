// Semantic labelling with {0,1} interpretations: random models and quasi-models, the labelled
// system of a draw, and the search over both orientations of the system.
#include <algorithm>
#include <array>

#include "core/labelling/label_words.hpp"
#include "core/prover.hpp"

namespace selko {

namespace {

const char* const kKindText[4] = {": identity", ": constant 0", ": constant 1", ": lambda x.1-x"};

// Whether a WorkTable of n symbols and r rules can be labelled: 2n names, and 2r rules plus n
// rules of the quasi-model variant.
bool LabelledSystemFits(int n, int r) { return 2 * n <= kMaxSymbols && 2 * r + n <= kMaxRules; }

} // namespace

int Prover::ApplyInterpretation(int kind, int x) {
  switch (kind) {
  case kIdentity: return x;
  case kConstantZero: return 0;
  case kConstantOne: return 1;
  default: return 1 - x;
  }
}

void Prover::LabelOnce() {
  LabelProgress = 0;
  const RuleTable& work = WorkTable;
  const int n = work.symbolCount;
  const int r = work.ruleCount;
  if (n < 0 || r < 0 || !LabelledSystemFits(n, r)) return;
  const bool quasi = QuasiModelMode != 0;

  // 1. Draw until the interpretation is a model (a quasi-model), at most kMaxDrawsPerAttempt
  // times (interpretation_draws.cpp).
  std::array<std::uint8_t, kMaxSymbols + 1> kinds{};
  if (!DrawInterpretation(kinds)) return;

  // Labelled copies: rule 2r-1 at start value 0, rule 2r at start value 1.
  RuleTable& cur = CurrentTable;
  int count = 0;
  for (int rule = 1; rule <= r; ++rule) {
    for (int b = 0; b <= 1; ++b) {
      ++count;
      LabelWord(work.lhs[rule], b, kinds.data(), n, cur.lhs[count]);
      LabelWord(work.rhs[rule], b, kinds.data(), n, cur.rhs[count]);
      cur.strict[count] = work.strict[rule];
      RuleOrigin[count] = rule;
    }
  }
  // 2. Quasi-models: s labelled 1 may always become s labelled 0.
  if (quasi) {
    for (int s = 1; s <= n; ++s) {
      ++count;
      cur.lhs[count][0] = static_cast<Symbol>(s);
      cur.lhs[count][1] = 0;
      cur.rhs[count][0] = static_cast<Symbol>(s + n);
      cur.rhs[count][1] = 0;
      cur.strict[count] = 0;
      RuleOrigin[count] = 0;
    }
  }
  cur.ruleCount = count;

  // 3. The full copy of the labelled system as built.
  LabelledCopy.ruleCount = count;
  for (int k = 1; k <= count; ++k) {
    LabelledCopy.lhs[k] = cur.lhs[k];
    LabelledCopy.rhs[k] = cur.rhs[k];
    LabelledCopy.strict[k] = cur.strict[k];
    LabelledCopy.origin[k] = RuleOrigin[k];
  }

  // 4., 5. Silent removal and path order.
  RemovalLoop();
  ProveByRpoWithErasure();
  LabelProgress = Proved;

  // 6. With "rem.labels", progress is also every labelled copy of some rule removed.
  if (Options.remLabels && Proved == 0 && cur.ruleCount > 0) {
    std::array<std::uint8_t, kMaxRules + 1> marked{};
    for (int k = 1; k <= cur.ruleCount; ++k) {
      const std::int32_t origin = RuleOrigin[k];
      if (origin >= 1 && origin <= r) marked[origin] = 1;
    }
    LabelProgress = 0;
    for (int rule = 1; rule <= r; ++rule) {
      if (marked[rule] == 0) {
        LabelProgress = 1;
        break;
      }
    }
  }

  // 7. No progress: no trace.
  if (LabelProgress == 0) return;

  // 8. Write the step, replaying the removals on the labelled system.
  const bool removed = cur.ruleCount != LabelledCopy.ruleCount;
  cur.ruleCount = LabelledCopy.ruleCount;
  for (int k = 1; k <= LabelledCopy.ruleCount; ++k) {
    cur.lhs[k] = LabelledCopy.lhs[k];
    cur.rhs[k] = LabelledCopy.rhs[k];
    cur.strict[k] = LabelledCopy.strict[k];
    RuleOrigin[k] = LabelledCopy.origin[k];
  }

  LogLine();
  if (LabelReversed != 0) {
    LogLine("Reverse every lhs and rhs of the system.");
    LogLine();
  }
  LogLine("Apply labelling with the following interpretation in {0,1}:");
  for (int s = 1; s <= n; ++s)
    LogLine("  " + work.names[s] + kKindText[kinds[s] & 3u]);
  LogLine("and label every symbol by the value of its argument.");
  LogLine();
  LogLine(quasi ? "This is a quasi-model for  1 > 0." : "This interpretation is a model.");
  LogLine();
  LogLine("Labelled system:");
  for (int k = 1; k <= cur.ruleCount; ++k)
    LogLine("   " + FormatRule(k));
  LogLine();

  if (removed) {
    ReportSteps = 1;
    RemovalLoop();
    ReportSteps = 0;
  }
  if (Proved == 1 && ProvedByRpo == 1) LogRpoVerdict();
}

void Prover::LabelSearch() {
  auto attempts = [this](std::uint8_t quasiModel) {
    QuasiModelMode = quasiModel;
    // WorkTable stays as it is for these attempts: the verdicts of the draws can be kept.
    DrawVerdicts.size = 0;
    const int n = WorkTable.symbolCount;
    int size = 1;
    for (int s = 1; s <= n && size <= kMaxDrawVerdicts; ++s)
      size *= quasiModel != 0 ? 3 : 4;
    if (ReuseSearches != 0 && n >= 0 && size <= kMaxDrawVerdicts) {
      std::fill(DrawVerdicts.verdict.begin(), DrawVerdicts.verdict.begin() + size, std::uint8_t{0});
      DrawVerdicts.size = size;
      DrawVerdicts.quasi = quasiModel;
    }
    bool inTime = true;
    for (int attempt = 0; attempt < AttemptBudget && LabelProgress == 0; ++attempt) {
      if (TimeUp()) {
        LabelProgress = 0;
        inTime = false;
        break;
      }
      LabelOnce();
    }
    DrawVerdicts.size = 0;
    return inTime;
  };
  if (LabelProgress == 0 && !attempts(0)) return;
  if (LabelProgress == 0) attempts(1);
}

void Prover::LabelBothWays() {
  const int n = WorkTable.symbolCount;
  const int r = WorkTable.ruleCount;
  // Systems whose labelled form would not fit the tables are not labelled at all.
  if (n < 0 || r < 0 || !LabelledSystemFits(n, r)) return;

  for (int s = 1; s <= n; ++s) {
    CurrentTable.names[s] = WorkTable.names[s] + "1";
    CurrentTable.names[s + n] = WorkTable.names[s] + "0";
  }
  CurrentTable.symbolCount = 2 * n;

  LabelReversed = 0;
  LabelSearch();
  if (LabelProgress == 0) {
    ReverseRules(WorkTable);
    LabelReversed = 1;
    LabelSearch();
  }
  if (LabelProgress == 0) ReverseRules(WorkTable);
}

} // namespace selko
