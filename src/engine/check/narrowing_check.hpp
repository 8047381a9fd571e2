// Checks a narrowing of pairs: that no pair could follow a replaced pair as it stands, and that
// the remaining problem holds every narrowing of it and every pair not replaced, and nothing else.
#pragma once

#include <string>
#include <vector>

#include "engine/certificate.hpp"

namespace selko::engine {

bool CheckPairNarrowing(const Problem& problem, const PairNarrowing& narrowing,
                        const std::vector<Problem>& remaining, std::string& why);

} // namespace selko::engine
