// Builds an engine Problem from rules whose sides are lists of names: letters numbered in order
// of first occurrence (left side before right side, rule by rule), names kept as read. Only
// abuse is refused: more than kMaxProblemRules rules or a side longer than kMaxProblemSide.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "engine/problem.hpp"
#include "engine/readers/rule_sink.hpp"

namespace selko::engine {

// The refusals of input beyond the engine's limits, without the location.
std::string TooManyRulesMessage(); // "more than 100000 rules"
std::string SideTooLongMessage();  // "a side has more than 100000 symbols"

class ProblemBuilder final : public RuleSink {
public:
  // On refusal the message names the rule by its number ("rule 3: ...").
  bool AddRule(const std::vector<std::string>& lhs, const std::vector<std::string>& rhs,
               bool strict, std::string& error) override;

  // The problem built so far; the builder is empty afterwards.
  Problem Take();

  std::size_t RuleCount() const { return problem_.rules.size(); }

private:
  Letter Intern(const std::string& name);

  Problem problem_;
  std::unordered_map<std::string, Letter> letters_;
};

} // namespace selko::engine
