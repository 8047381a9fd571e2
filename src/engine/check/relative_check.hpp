// Checks of the steps on relative problems: cleaning, strictification, context closure and
// inversion (see certificate.hpp). Each recomputes the problem the step must leave and compares.
#pragma once

#include <string>
#include <vector>

#include "engine/certificate.hpp"

namespace selko::engine {

bool CheckCleaning(const Problem& problem, const Cleaning& cleaning,
                   const std::vector<Problem>& remaining, std::string& why);
bool CheckStrictification(const Problem& problem, const std::vector<Problem>& remaining,
                          std::string& why);
bool CheckContextClosure(const Problem& problem, const ContextClosure& closure,
                         const std::vector<Problem>& remaining, std::string& why);

bool CheckInversion(const Problem& problem, const std::vector<Problem>& remaining,
                    std::string& why);

} // namespace selko::engine
