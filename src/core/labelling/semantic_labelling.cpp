// Semantic labelling with {0,1} interpretations: random models and quasi-models, the labelled
// system of a draw, and the search over both orientations of the system.
#include <algorithm>
#include <array>

#include "core/labelling/label_words.hpp"
#include "core/prover.hpp"

namespace selko {

namespace {

// Draws inside one attempt before it gives up without progress.
constexpr int kMaxDrawsPerAttempt = 10000;

const char* const kKindText[4] = {": identity", ": constant 0", ": constant 1", ": lambda x.1-x"};

// Whether a WorkTable of n symbols and r rules can be labelled: 2n names, and 2r rules plus n
// rules of the quasi-model variant.
bool LabelledSystemFits(int n, int r) { return 2 * n <= kMaxSymbols && 2 * r + n <= kMaxRules; }

} // namespace

namespace {
constexpr std::uint32_t kRandomFactor = 134775813u;
constexpr std::uint32_t kRandomIncrement = 1u;
} // namespace

int Prover::RandomBelow(int n) {
  RandomSeed = RandomSeed * kRandomFactor + kRandomIncrement;
  const std::uint64_t product =
      static_cast<std::uint64_t>(RandomSeed) * static_cast<std::uint64_t>(n > 0 ? n : 0);
  return static_cast<int>(product >> 32);
}

void Prover::AdvanceRandom(std::uint64_t draws) {
  // x -> f x + c applied `draws` times, by composing the step with itself (mod 2^32).
  std::uint32_t factor = kRandomFactor, increment = kRandomIncrement;
  std::uint32_t totalFactor = 1u, totalIncrement = 0u;
  for (; draws != 0; draws >>= 1) {
    if ((draws & 1u) != 0) {
      totalFactor *= factor;
      totalIncrement = totalIncrement * factor + increment;
    }
    increment = increment * factor + increment;
    factor *= factor;
  }
  RandomSeed = RandomSeed * totalFactor + totalIncrement;
}

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
  // times. The check stops at the first failing rule; the labelled rules are built only for
  // the draw that passes.
  // Within LabelSearch, on small alphabets, the verdict of each interpretation is kept; once
  // every interpretation is known to fail, the attempt's draws are only counted off.
  const int range = quasi ? 3 : 4;
  DrawVerdictMemo& memo = DrawVerdicts;
  const bool useMemo = memo.size != 0 && memo.quasi == (quasi ? 1 : 0);
  if (useMemo && memo.known == memo.size && memo.passing == 0) {
    AdvanceRandom(static_cast<std::uint64_t>(kMaxDrawsPerAttempt) * static_cast<std::uint64_t>(n));
    return;
  }
  std::array<std::uint8_t, kMaxSymbols + 1> kinds{};
  bool passed = false;
  for (int draw = 0; draw < kMaxDrawsPerAttempt && !passed; ++draw) {
    for (int s = 1; s <= n; ++s)
      kinds[s] = static_cast<std::uint8_t>(RandomBelow(range));
    std::uint8_t* verdict = nullptr;
    if (useMemo) {
      int index = 0;
      for (int s = n; s >= 1; --s)
        index = index * range + kinds[s];
      verdict = &memo.verdict[static_cast<std::size_t>(index)];
    }
    if (verdict != nullptr && *verdict != 0) {
      passed = *verdict == 1;
      continue;
    }
    // Every rule must pass; the rule that failed the last draw is tried first, since it tends
    // to fail again. The order only changes which failing rule is found, never the verdict.
    auto rulePasses = [&](int rule) {
      return RuleMapsPass(WordMap(work.lhs[rule], kinds.data()),
                          WordMap(work.rhs[rule], kinds.data()), quasi);
    };
    const int hint = DrawFailHint;
    passed = hint < 1 || hint > r || rulePasses(hint);
    for (int rule = 1; rule <= r && passed; ++rule) {
      if (rule != hint && !rulePasses(rule)) {
        passed = false;
        DrawFailHint = rule;
      }
    }
    if (verdict != nullptr) {
      *verdict = passed ? 1 : 2;
      ++memo.known;
      memo.passing += passed ? 1 : 0;
    }
  }
  if (!passed) return;

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
      DrawVerdicts.known = 0;
      DrawVerdicts.passing = 0;
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
