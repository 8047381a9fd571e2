// Rule text and the proof log with its 999 stored lines.
#include "core/prover.hpp"

namespace selko {

std::string Prover::FormatRule(int r) const {
  const RuleTable& t = CurrentTable;
  std::string text;
  const Word& l = t.lhs[r];
  const Word& u = t.rhs[r];
  for (int p = 0, n = WordLength(l); p < n; ++p) {
    text += t.names[l[p]];
    text += ' ';
  }
  text += t.strict[r] != 0 ? " -> " : " ->= ";
  const int m = WordLength(u);
  for (int p = 0; p < m; ++p) {
    text += t.names[u[p]];
    text += ' ';
  }
  if (m == 0) text += 'e';
  return text;
}

void Prover::LogLine(const std::string& line) {
  ++LogCount;
  if (LogCount >= 1 && LogCount <= kLogSlots) ProofLog[LogCount] = line;
}

std::vector<std::string> Prover::ShownProof() const {
  std::vector<std::string> lines;
  const int stored = LogCount < kLogSlots ? LogCount : kLogSlots;
  lines.reserve(stored > 0 ? stored + 1 : 1);
  for (int i = 1; i <= stored; ++i)
    lines.push_back(ProofLog[i]);
  if (LogCount > kLogSlots) {
    lines.push_back("(proof truncated: " + std::to_string(LogCount - kLogSlots) +
                    " further lines were not stored)");
  }
  return lines;
}

} // namespace selko
