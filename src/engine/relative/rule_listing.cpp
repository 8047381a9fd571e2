#include "engine/relative/relative_steps.hpp"

namespace selko::engine {

// Past this many rules the rules of a step's problem are not listed.
constexpr std::size_t kMaxListedRules = 400;

void ListRules(Step& step, const std::string& heading, const Problem& problem) {
  if (problem.rules.size() > kMaxListedRules) return;
  step.details.push_back(heading);
  for (const Rule& r : problem.rules)
    step.details.push_back("  " + problem.RuleText(r));
}

} // namespace selko::engine
