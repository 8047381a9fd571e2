#include "engine/relative/relative_steps.hpp"

#include <string>

namespace selko::engine {

std::optional<Step> CleaningStep(const Problem& problem) {
  if (problem.pairProblem) return std::nullopt;
  Cleaning certificate;
  for (std::size_t i = 0; i < problem.rules.size(); ++i) {
    const Rule& r = problem.rules[i];
    if (!r.strict && r.lhs == r.rhs) certificate.removed.push_back(i);
  }
  if (certificate.removed.empty()) return std::nullopt;
  const std::size_t n = certificate.removed.size();
  Step step;
  step.technique = "cleaning";
  step.summary = "cleaning: " + std::to_string(n) + (n == 1 ? " weak rule" : " weak rules") +
                 " l ->= l removed";
  step.details.push_back("A step by a weak rule l ->= l changes no string: the problem terminates "
                         "exactly when the one without them does. Removed:");
  for (const std::size_t i : certificate.removed)
    step.details.push_back("  " + problem.RuleText(problem.rules[i]));
  step.remaining.push_back(problem.Without(certificate.removed, {}));
  step.certificate = std::move(certificate);
  return step;
}

} // namespace selko::engine
