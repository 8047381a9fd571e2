#include "engine/relative/relative_steps.hpp"

namespace selko::engine {

std::optional<Step> StrictificationStep(const Problem& problem) {
  if (problem.pairProblem || !problem.IsRelative()) return std::nullopt;
  Problem plain = problem;
  plain.noLoops = true;
  for (Rule& r : plain.rules)
    r.strict = true;
  Step step;
  step.technique = "strictification";
  step.summary = "every weak rule taken as strict: R/S terminates when R u S does";
  step.details.push_back("A derivation of R/S is one of R u S: the problem terminates relatively "
                         "when the plain problem of all its rules, every rule strict, terminates.");
  ListRules(step, "The rules of R u S:", plain);
  step.remaining.push_back(std::move(plain));
  step.certificate = Strictification{};
  return step;
}

} // namespace selko::engine
