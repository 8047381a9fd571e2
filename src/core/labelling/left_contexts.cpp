// Left contexts for two-symbol systems: every rule whose sides begin with different symbols gets
// each symbol as a left context, so that the first symbol as constant 1 and the second as
// constant 0 form a model; the extended system is then labelled with those constants.
#include "core/labelling/label_words.hpp"
#include "core/prover.hpp"

namespace selko {

namespace {

// Both sides begin with the same symbol; two empty sides count as equal.
bool SameHead(const Word& l, const Word& u) { return l[0] == u[0]; }

// out := c followed by w.
void PutInFront(Symbol c, const Word& w, Word& out) {
  const int length = WordLength(w);
  out[0] = c;
  for (int k = 0; k < length; ++k)
    out[static_cast<std::size_t>(k + 1)] = w[static_cast<std::size_t>(k)];
  out[static_cast<std::size_t>(length + 1)] = 0;
}

} // namespace

bool Prover::AddLeftContexts() {
  constexpr int n = 2;
  if (WorkTable.symbolCount != n) return false;
  const int rules = WorkTable.ruleCount;

  // Refuse, changing nothing, what would not fit: a side that grows past 19 symbols, or more
  // than 1000 labelled rules.
  int extended = 0;
  for (int r = 1; r <= rules; ++r) {
    const Word& l = WorkTable.lhs[r];
    const Word& u = WorkTable.rhs[r];
    if (SameHead(l, u)) {
      ++extended;
      continue;
    }
    if (WordLength(l) >= kMaxWordLength || WordLength(u) >= kMaxWordLength) return false;
    extended += 2;
  }
  if (rules < 0 || 2 * extended > kMaxRules) return false;

  // 1. Extend, into CurrentTable.
  RuleTable& cur = CurrentTable;
  int count = 0;
  for (int r = 1; r <= rules; ++r) {
    const Word& l = WorkTable.lhs[r];
    const Word& u = WorkTable.rhs[r];
    if (SameHead(l, u)) {
      ++count;
      cur.lhs[count] = l;
      cur.rhs[count] = u;
      cur.strict[count] = WorkTable.strict[r];
      continue;
    }
    for (Symbol c = 1; c <= n; ++c) {
      ++count;
      PutInFront(c, l, cur.lhs[count]);
      PutInFront(c, u, cur.rhs[count]);
      cur.strict[count] = WorkTable.strict[r];
    }
  }
  cur.ruleCount = count;

  // 2. Announce the contexts when some were added.
  if (count > rules) {
    LogLine();
    LogLine("Add left contexts in order to obtain a model for labelling.");
  }

  // 3. The extended system into WorkTable; names and symbol count stay.
  CopyRules(cur, WorkTable);

  // 4. Labelled names.
  for (int s = 1; s <= n; ++s) {
    cur.names[s] = WorkTable.names[s] + "1";
    cur.names[s + n] = WorkTable.names[s] + "0";
  }
  cur.symbolCount = 2 * n;

  // 5. Label with the first symbol as constant 1 and the second as constant 0.
  const std::uint8_t kinds[n + 1] = {kIdentity, kConstantOne, kConstantZero};
  count = 0;
  for (int r = 1; r <= WorkTable.ruleCount; ++r) {
    for (int i = 0; i <= 1; ++i) {
      ++count;
      LabelWord(WorkTable.lhs[r], i, kinds, n, cur.lhs[count]);
      LabelWord(WorkTable.rhs[r], i, kinds, n, cur.rhs[count]);
      cur.strict[count] = WorkTable.strict[r];
    }
  }
  cur.ruleCount = count;

  // 6. Log the labelled system.
  LogLine();
  LogLine("Apply labelling with the following interpretation in {0,1}:");
  LogLine("   " + WorkTable.names[1] + ": constant 1,   " + WorkTable.names[2] + ": constant 0,");
  LogLine("and label every symbol by the value of its argument, resulting in:");
  for (int r = 1; r <= cur.ruleCount; ++r)
    LogLine(FormatRule(r));

  // 7. The labelled system over four symbols becomes the system to prove.
  ReloadWork();
  return true;
}

} // namespace selko
