// Helpers of the reader tests: a problem written back as text, rule by rule.
#pragma once

#include <string>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine::testing {

// Each rule as "l -> r" or "l ->= r" with the letters' names separated by blanks.
inline std::vector<std::string> RuleTexts(const Problem& problem) {
  std::vector<std::string> texts;
  for (const Rule& rule : problem.rules)
    texts.push_back(problem.RuleText(rule));
  return texts;
}

} // namespace selko::engine::testing
