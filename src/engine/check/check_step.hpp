// The independent checker: every step of the engine passes here before it enters a proof.
// It recomputes what the step claims from the certificate with exact arithmetic and shares no
// code with the techniques that found the step.
#pragma once

#include <string>

#include "engine/step.hpp"

namespace selko::engine {

// True when the step is a sound step from `problem` to its remaining problems; otherwise
// false with the reason in `why`.
bool CheckStep(const Problem& problem, const Step& step, std::string& why);

// The parts, for tests and for steps checked on their own.
bool CheckRuleRemoval(const Problem& problem, const RuleRemoval& removal,
                      const std::vector<Problem>& remaining, std::string& why);
bool CheckDependencyPairs(const Problem& problem, const std::vector<Problem>& remaining,
                          std::string& why);
bool CheckGraphSplit(const Problem& problem, const std::vector<Problem>& remaining,
                     std::string& why);

// Two problems are the same: names, marks, rules and pairs in order.
bool SameProblem(const Problem& a, const Problem& b);

} // namespace selko::engine
