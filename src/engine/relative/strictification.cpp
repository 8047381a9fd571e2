#include "engine/relative/relative_steps.hpp"

namespace selko::engine {

// Past this many rules the plain problem's rules are not listed: they are the problem's own.
constexpr std::size_t kMaxListedRules = 400;

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
  if (plain.rules.size() <= kMaxListedRules) {
    step.details.push_back("The rules of R u S:");
    for (const Rule& r : plain.rules)
      step.details.push_back("  " + plain.RuleText(r));
  }
  step.remaining.push_back(std::move(plain));
  step.certificate = Strictification{};
  return step;
}

} // namespace selko::engine
