#include "support/prover_testing.hpp"

#include <sstream>

namespace selko::testing {

std::unique_ptr<Prover> MakeProver() { return std::make_unique<Prover>(); }

void ReadPlainLines(Prover& prover, const std::vector<std::string>& lines) {
  prover.Input = &lines;
  prover.ReadPlain();
  prover.Input = nullptr;
}

namespace {

int Intern(RuleTable& table, const std::string& name) {
  for (int s = 1; s <= table.symbolCount; ++s) {
    if (table.names[s] == name) return s;
  }
  table.names[++table.symbolCount] = name;
  return table.symbolCount;
}

} // namespace

void FillTable(RuleTable& table, const std::vector<std::string>& rules) {
  table.ruleCount = 0;
  table.symbolCount = 0;
  for (const std::string& rule : rules) {
    const int r = ++table.ruleCount;
    table.strict[r] = 1;
    std::istringstream in(rule);
    std::string token;
    Word* side = &table.lhs[r];
    int length = 0;
    while (in >> token) {
      if (token == "->" || token == "->=") {
        (*side)[static_cast<std::size_t>(length)] = 0;
        table.strict[r] = token == "->" ? 1 : 0;
        side = &table.rhs[r];
        length = 0;
        continue;
      }
      (*side)[static_cast<std::size_t>(length++)] = static_cast<Symbol>(Intern(table, token));
    }
    (*side)[static_cast<std::size_t>(length)] = 0;
  }
}

std::vector<std::string> TableRules(const RuleTable& table) {
  std::vector<std::string> out;
  for (int r = 1; r <= table.ruleCount; ++r) {
    std::string text;
    auto side = [&](const Word& w) {
      for (int p = 0; p < WordLength(w); ++p) {
        if (!text.empty() && text.back() != ' ') text += ' ';
        text += table.names[w[static_cast<std::size_t>(p)]];
      }
    };
    side(table.lhs[r]);
    if (!text.empty()) text += ' ';
    text += table.strict[r] != 0 ? "->" : "->=";
    side(table.rhs[r]);
    out.push_back(text);
  }
  return out;
}

std::unique_ptr<Prover> WithSystem(const std::vector<std::string>& rules) {
  auto p = MakeProver();
  FillTable(p->WorkTable, rules);
  p->CommitWork();
  p->LogCount = 0;
  return p;
}

bool RemoveOnce(Prover& prover, const std::vector<std::string>& rules) {
  FillTable(prover.CurrentTable, rules);
  prover.LogCount = 0;
  prover.ReportSteps = 1;
  return prover.RemoveByInterpretation();
}

std::vector<std::string> LogLines(const Prover& prover) { return prover.ShownProof(); }

namespace {

std::string Visible(const std::string& line) {
  std::string out = "\"";
  for (char c : line)
    out += c == ' ' ? std::string("\xC2\xB7") : std::string(1, c);
  return out + "\"";
}

} // namespace

::testing::AssertionResult SameLines(const std::vector<std::string>& actual,
                                     const std::vector<std::string>& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::ostringstream out;
  out << "texts differ (blanks shown as a middle dot)\n";
  const std::size_t n = actual.size() > expected.size() ? actual.size() : expected.size();
  for (std::size_t i = 0; i < n; ++i) {
    const bool hasA = i < actual.size();
    const bool hasE = i < expected.size();
    const bool same = hasA && hasE && actual[i] == expected[i];
    out << (same ? "   " : ">> ") << i + 1 << "\n";
    out << "     actual:   " << (hasA ? Visible(actual[i]) : "(none)") << "\n";
    if (!same) out << "     expected: " << (hasE ? Visible(expected[i]) : "(none)") << "\n";
  }
  return ::testing::AssertionFailure() << out.str();
}

} // namespace selko::testing
