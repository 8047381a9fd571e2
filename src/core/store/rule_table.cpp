// The store's operations: interning, whole-table copies, reversal.
#include "core/prover.hpp"

namespace selko {

std::int64_t Gcd(std::int64_t a, std::int64_t b) {
  while (b != 0) {
    const std::int64_t t = a % b;
    a = b;
    b = t;
  }
  return a;
}

void ReverseWord(Word& w) {
  int i = 0;
  int j = WordLength(w) - 1;
  while (i < j) {
    const Symbol t = w[i];
    w[i] = w[j];
    w[j] = t;
    ++i;
    --j;
  }
}

void CopyRules(const RuleTable& from, RuleTable& to) {
  to.ruleCount = from.ruleCount;
  for (int r = 1; r <= from.ruleCount && r <= kMaxRules; ++r) {
    to.lhs[r] = from.lhs[r];
    to.rhs[r] = from.rhs[r];
    to.strict[r] = from.strict[r];
  }
}

void ReverseRules(RuleTable& table) {
  for (int r = 1; r <= table.ruleCount; ++r) {
    ReverseWord(table.lhs[r]);
    ReverseWord(table.rhs[r]);
  }
}

int Prover::InternSymbol(const std::string& name) {
  for (int s = 1; s <= WorkTable.symbolCount; ++s) {
    if (WorkTable.names[s] == name) return s;
  }
  // Callers make sure that there is room; never write past the name list.
  if (WorkTable.symbolCount >= kMaxSymbols) return 0;
  ++WorkTable.symbolCount;
  WorkTable.names[WorkTable.symbolCount] = name;
  return WorkTable.symbolCount;
}

void Prover::SaveWorkA() { SlotA = WorkTable; }
void Prover::RestoreWorkA() { WorkTable = SlotA; }
void Prover::SaveWorkB() { SlotB = WorkTable; }
void Prover::RestoreWorkB() { WorkTable = SlotB; }
void Prover::CommitWork() { CurrentTable = WorkTable; }
void Prover::ReloadWork() { WorkTable = CurrentTable; }
void Prover::ReverseSystem() { ReverseRules(CurrentTable); }

} // namespace selko
