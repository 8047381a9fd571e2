#include "engine/readers/problem_builder.hpp"

#include <utility>

namespace selko::engine {

std::string TooManyRulesMessage() {
  return "more than " + std::to_string(kMaxProblemRules) + " rules";
}

std::string SideTooLongMessage() {
  return "a side has more than " + std::to_string(kMaxProblemSide) + " symbols";
}

Letter ProblemBuilder::Intern(const std::string& name) {
  const auto [at, added] = letters_.emplace(name, static_cast<Letter>(problem_.names.size()));
  if (added) problem_.names.push_back(name);
  return at->second;
}

bool ProblemBuilder::AddRule(const std::vector<std::string>& lhs,
                             const std::vector<std::string>& rhs, bool strict, std::string& error) {
  const std::string where = "rule " + std::to_string(problem_.rules.size() + 1) + ": ";
  if (problem_.rules.size() >= kMaxProblemRules) {
    error = where + TooManyRulesMessage();
    return false;
  }
  if (lhs.size() > kMaxProblemSide || rhs.size() > kMaxProblemSide) {
    error = where + SideTooLongMessage();
    return false;
  }
  Rule rule;
  rule.strict = strict;
  rule.lhs.reserve(lhs.size());
  for (const std::string& name : lhs)
    rule.lhs.push_back(Intern(name));
  rule.rhs.reserve(rhs.size());
  for (const std::string& name : rhs)
    rule.rhs.push_back(Intern(name));
  problem_.rules.push_back(std::move(rule));
  return true;
}

Problem ProblemBuilder::Take() {
  Problem built = std::move(problem_);
  problem_ = Problem{};
  letters_.clear();
  return built;
}

} // namespace selko::engine
