#include "cli/reading_agreement.hpp"

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

// A side as its names separated by blanks.
std::string SideText(const RuleTable& table, const Word& side) {
  std::string text;
  for (int k = 0; k < WordLength(side); ++k) {
    if (k > 0) text += ' ';
    text += table.names[side[static_cast<std::size_t>(k)]];
  }
  return text;
}

std::string SideText(const engine::Problem& problem, const engine::String& side) {
  std::string text;
  for (std::size_t k = 0; k < side.size(); ++k) {
    if (k > 0) text += ' ';
    text += problem.names[side[k]];
  }
  return text;
}

std::string RuleText(const std::string& lhs, bool strict, const std::string& rhs) {
  std::string text = lhs;
  if (!text.empty()) text += ' ';
  text += strict ? "->" : "->=";
  if (!rhs.empty()) text += ' ' + rhs;
  return text;
}

const char* const kExtendedReads = "; --extended reads the file as written";

} // namespace

std::string ReadingDisagreement(const RuleTable& fixed, const engine::Problem& problem) {
  const std::size_t count = problem.rules.size();
  const std::size_t read = static_cast<std::size_t>(fixed.ruleCount);
  const std::size_t common = read < count ? read : count;
  for (std::size_t i = 0; i < common; ++i) {
    const int r = static_cast<int>(i) + 1;
    const engine::Rule& rule = problem.rules[i];
    const std::string fixedText = RuleText(SideText(fixed, fixed.lhs[r]), fixed.strict[r] != 0,
                                           SideText(fixed, fixed.rhs[r]));
    const std::string fileText =
        RuleText(SideText(problem, rule.lhs), rule.strict, SideText(problem, rule.rhs));
    if (fixedText != fileText) {
      return "the fixed-capacity reader reads rule " + std::to_string(r) + " as \"" + fixedText +
             "\", the file has \"" + fileText + "\"" + kExtendedReads;
    }
  }
  if (read != count) {
    return "the fixed-capacity reader reads the first rule section only: " + std::to_string(read) +
           " of the file's " + std::to_string(count) + " rules" + kExtendedReads;
  }
  // Rules that agree by name number their letters alike (in order of first occurrence); a letter
  // of the problem that no rule holds would still tell them apart.
  if (problem.names.size() != static_cast<std::size_t>(fixed.symbolCount)) {
    return "the fixed-capacity reader reads " + std::to_string(fixed.symbolCount) +
           " of the file's " + std::to_string(problem.names.size()) + " symbols" + kExtendedReads;
  }
  return "";
}

} // namespace selko
