#include "cli/reading_agreement.hpp"

#include <algorithm>

#include "core/prover.hpp"

namespace selko {

std::unique_ptr<RuleTable> ReadWithWindowReader(const std::vector<std::string>& lines, bool tpdb,
                                                std::string& error) {
  auto prover = std::make_unique<Prover>();
  prover->Input = &lines;
  if (tpdb) {
    prover->ReadTpdb();
  } else {
    prover->ReadPlain();
  }
  prover->Input = nullptr;
  error = prover->InputError;
  if (!error.empty()) return nullptr;
  return std::make_unique<RuleTable>(prover->WorkTable);
}

namespace {

// The table as the engine's problem: the same names and rules, letters numbered from 0.
engine::Problem AsProblem(const RuleTable& table) {
  engine::Problem read;
  read.names.assign(table.names.begin() + 1, table.names.begin() + table.symbolCount + 1);
  auto side = [](const Word& w) {
    engine::String s;
    for (int k = 0; k < WordLength(w); ++k)
      s.push_back(static_cast<engine::Letter>(w[static_cast<std::size_t>(k)] - 1));
    return s;
  };
  for (int r = 1; r <= table.ruleCount; ++r)
    read.rules.push_back({side(table.lhs[r]), side(table.rhs[r]), table.strict[r] != 0});
  return read;
}

const char* const kExtendedReads = "; --extended reads the file as written";

} // namespace

std::string ReadingDisagreement(const RuleTable& fixed, const engine::Problem& problem) {
  const engine::Problem read = AsProblem(fixed);
  const std::size_t common = std::min(read.rules.size(), problem.rules.size());
  for (std::size_t i = 0; i < common; ++i) {
    const std::string fixedText = read.RuleText(read.rules[i]);
    const std::string fileText = problem.RuleText(problem.rules[i]);
    if (fixedText != fileText) {
      return "the fixed-capacity reader reads rule " + std::to_string(i + 1) + " as \"" +
             fixedText + "\", the file has \"" + fileText + "\"" + kExtendedReads;
    }
  }
  if (read.rules.size() != problem.rules.size()) {
    return "the fixed-capacity reader reads the first rule section only: " +
           std::to_string(read.rules.size()) + " of the file's " +
           std::to_string(problem.rules.size()) + " rules" + kExtendedReads;
  }
  // Rules that agree by name number their letters alike (in order of first occurrence); a letter
  // of the problem that no rule holds would still tell them apart.
  if (problem.names.size() != read.names.size()) {
    return "the fixed-capacity reader reads " + std::to_string(read.names.size()) +
           " of the file's " + std::to_string(problem.names.size()) + " symbols" + kExtendedReads;
  }
  return "";
}

} // namespace selko
