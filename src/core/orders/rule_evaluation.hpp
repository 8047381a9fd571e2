// The pass over the rules that every interpretation evaluator shares: classify each rule as
// failing, weakly or strictly decreasing, stop at the first failing rule, and succeed when no
// rule fails and at least one decreases strictly.
#pragma once

#include <array>
#include <cstdint>

#include "core/store/rule_table.hpp"

namespace selko {

// What a candidate interpretation makes of one rule.
enum RuleVerdict : int { kRuleFails = -1, kRuleWeak = 0, kRuleStrict = 1 };

// Runs `classify` (int rule -> RuleVerdict) over rules 1..ruleCount, writing `mark` (1 for
// strict, 0 for weak). `hint` names the rule that failed the previous candidate: it is tried
// first, since consecutive candidates tend to fail on the same rule. That only changes which
// failing rule is found first, never the result, and the marks of a failing candidate are
// never used.
template <class Classify>
bool EvaluateRules(int ruleCount, std::int32_t& hint, std::array<std::uint8_t, kMaxRules + 1>& mark,
                   Classify classify) {
  if (ruleCount > kMaxRules) ruleCount = kMaxRules;
  if (hint >= 1 && hint <= ruleCount && classify(hint) == kRuleFails) return false;
  bool strictSeen = false;
  for (int r = 1; r <= ruleCount; ++r) {
    const int verdict = classify(r);
    if (verdict == kRuleFails) {
      hint = r;
      return false;
    }
    mark[static_cast<std::size_t>(r)] = verdict == kRuleStrict ? 1 : 0;
    strictSeen = strictSeen || verdict == kRuleStrict;
  }
  return strictSeen;
}

} // namespace selko
