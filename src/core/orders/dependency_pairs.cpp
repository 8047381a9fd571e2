// Dependency pair transformation. Every rule l -> r gives, for each position of r that holds a
// defined symbol (the head of some lhs), the strict pair from l with its head marked to the
// suffix of r from that position with its head marked; the given rules stay as relative rules.
#include "core/prover.hpp"

namespace selko {

namespace {

// True when some symbol of the table is named `name`.
bool NameTaken(const RuleTable& t, const std::string& name) {
  for (int s = 1; s <= t.symbolCount; ++s) {
    if (t.names[s] == name) return true;
  }
  return false;
}

// The name of the mark of a symbol named `name`: a one-letter lower-case name is marked by its
// upper case, any other name by "#" in front. A mark never takes a name already in use: then it
// is "#" followed by the name, with a further "#" in front for as long as that is taken too.
std::string MarkName(const RuleTable& t, const std::string& name) {
  std::string mark;
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
    mark = std::string(1, static_cast<char>(name[0] - 'a' + 'A'));
  } else {
    mark = "#" + name;
  }
  if (!NameTaken(t, mark)) return mark;
  mark = "#" + name;
  while (NameTaken(t, mark))
    mark.insert(0, 1, '#');
  return mark;
}

} // namespace

bool Prover::AddDependencyPairs() {
  RuleTable& t = WorkTable;
  const int n0 = t.symbolCount;
  const int m0 = t.ruleCount;
  if (n0 < 0 || n0 > kMaxSymbols || m0 < 0 || m0 > kMaxRules) return false;

  // Defined symbols. Sized for every byte value, so that no Word can index past it.
  std::array<std::uint8_t, 256> defined{};
  int definedCount = 0;
  for (int r = 1; r <= m0; ++r) {
    const Symbol head = t.lhs[r][0];
    if (head == 0 || head > n0) return false; // no head to mark
    if (defined[head] == 0) ++definedCount;
    defined[head] = 1;
  }
  if (n0 + definedCount > kMaxSymbols) return false;

  int pairCount = 0;
  for (int r = 1; r <= m0; ++r) {
    const Word& rhs = t.rhs[r];
    const int length = WordLength(rhs);
    for (int p = 0; p < length; ++p) {
      const Symbol c = rhs[p];
      if (c > n0) return false; // not a symbol of the table
      if (defined[c] != 0) ++pairCount;
    }
  }
  if (m0 + pairCount > kMaxRules) return false;

  std::array<Symbol, 256> marked{};
  for (int s = 1; s <= n0; ++s) {
    if (defined[s] == 0) continue;
    const std::string mark = MarkName(t, t.names[s]);
    ++t.symbolCount;
    t.names[t.symbolCount] = mark;
    marked[s] = static_cast<Symbol>(t.symbolCount);
  }

  for (int r = 1; r <= m0; ++r) {
    const int length = WordLength(t.rhs[r]);
    for (int p = 0; p < length; ++p) {
      const Symbol c = t.rhs[r][p];
      if (defined[c] == 0) continue;
      const int k = ++t.ruleCount;
      t.strict[k] = 1;
      Word lhs = t.lhs[r];
      lhs[0] = marked[lhs[0]];
      Word rhs{};
      rhs[0] = marked[c];
      for (int q = p + 1; q < length; ++q) {
        rhs[q - p] = t.rhs[r][q];
      }
      t.lhs[k] = lhs;
      t.rhs[k] = rhs;
    }
  }

  for (int r = 1; r <= m0; ++r)
    t.strict[r] = 0;
  return true;
}

void Prover::LogDependencyPairs() {
  LogLine("Dependency pair transformation:");
  for (int r = 1; r <= CurrentTable.ruleCount; ++r)
    LogLine("  " + FormatRule(r));
}

} // namespace selko
