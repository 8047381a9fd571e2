// The plain input format: one rule a line, one-character symbols, "->" or "->=", 'e' for the
// empty right-hand side; the first empty line or line starting with a blank ends the rules.
#include "core/prover.hpp"

namespace selko {

const std::string& Prover::InputLine(int k) const {
  static const std::string empty;
  if (Input == nullptr || k < 0 || k >= static_cast<int>(Input->size())) return empty;
  return (*Input)[static_cast<std::size_t>(k)];
}

namespace {

bool EndsLhs(char c) { return c == ' ' || c == '-' || c == '=' || c == '>'; }

} // namespace

void Prover::ReadPlain() {
  PlainMode = 1;
  WorkTable.symbolCount = 0;
  WorkTable.ruleCount = 0;
  InputError.clear();

  for (int k = 0;; ++k) {
    const std::string& line = InputLine(k);
    if (line.empty() || line[0] == ' ') break;
    const std::string where = "line " + std::to_string(k + 1) + ": ";
    if (WorkTable.ruleCount >= kMaxRules) {
      InputError = where + "more than " + std::to_string(kMaxRules) + " rules";
      return;
    }
    const int r = ++WorkTable.ruleCount;
    WorkTable.strict[r] = 1;
    const std::size_t n = line.size();
    std::size_t p = 0;

    // Appends the symbol named by character c to a side; false when a limit is reached.
    auto put = [&](Word& side, int& length, char c) {
      if (length >= kMaxWordLength) {
        InputError = where + "a side has more than " + std::to_string(kMaxWordLength) + " symbols";
        return false;
      }
      const int s = InternSymbol(std::string(1, c));
      if (s == 0) {
        InputError = where + "more than " + std::to_string(kMaxSymbols) + " distinct symbols";
        return false;
      }
      side[static_cast<std::size_t>(length++)] = static_cast<Symbol>(s);
      return true;
    };

    int length = 0;
    while (p < n && !EndsLhs(line[p])) {
      if (!put(WorkTable.lhs[r], length, line[p])) return;
      ++p;
    }
    WorkTable.lhs[r][static_cast<std::size_t>(length)] = 0;

    while (p < n && EndsLhs(line[p])) {
      if (line[p] == '=') {
        WorkTable.strict[r] = 0;
        PlainMode = 0;
      }
      ++p;
    }

    length = 0;
    while (p < n && line[p] != ' ' && line[p] != 'e') {
      if (!put(WorkTable.rhs[r], length, line[p])) return;
      ++p;
    }
    WorkTable.rhs[r][static_cast<std::size_t>(length)] = 0;
  }
}

} // namespace selko
