#include "engine/relative/relative_steps.hpp"

#include <algorithm>

namespace selko::engine {

bool LengthPreserving(const Problem& problem) {
  return !problem.rules.empty() &&
         std::all_of(problem.rules.begin(), problem.rules.end(),
                     [](const Rule& r) { return r.lhs.size() == r.rhs.size(); });
}

std::optional<Step> InversionStep(const Problem& problem) {
  if (problem.pairProblem || !LengthPreserving(problem)) return std::nullopt;
  Problem inverted = problem;
  inverted.noLoops = true;
  for (Rule& r : inverted.rules)
    r.lhs.swap(r.rhs);
  Step step;
  step.technique = "inversion";
  step.summary = "inversion: every rule turned around (all rules keep the length)";
  step.details.push_back("All strings of an infinite derivation have the same length, so one of "
                         "them repeats with a strict step in between; read backwards, that cycle "
                         "is one of the inverted rules. The problem terminates exactly when the "
                         "inverted one does.");
  step.remaining.push_back(std::move(inverted));
  step.certificate = Inversion{};
  return step;
}

} // namespace selko::engine
