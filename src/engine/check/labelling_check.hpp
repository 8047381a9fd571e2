// The independent check of a semantic labelling by a model over {0, 1} (BooleanModel in
// certificate.hpp). It confirms that every letter's function maps {0, 1} into itself, that both
// sides of every rule are the same function, that the labelled problem's letters stand for
// distinct pairs of a letter and a label, and that for every rule and each value at the right end
// the labelled problem has the labelled rule, strict where the rule is. A pair problem's pairs
// need not hold in the model: the labelled pair problem must have every pair labelled at each
// value, and keep every letter's mark.
#pragma once

#include <string>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

bool CheckBooleanModel(const Problem& problem, const BooleanModel& model,
                       const std::vector<Problem>& remaining, std::string& why);

} // namespace selko::engine
