// The text of a loop's derivation, a line a step: the start string, each step's rule, its
// position (counted from 0) and the string after it, and last where the start string stands in
// the final string, with its context on either side.
#pragma once

#include <string>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

// For a loop that CheckLoop accepts. A step that does not apply ends the text with a line
// that says so.
std::vector<std::string> DerivationLines(const Problem& problem, const Loop& loop);

} // namespace selko::engine
