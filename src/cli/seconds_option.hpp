// The number of seconds of a --timeout option: a finite number above zero, written in full.
#pragma once

#include <string>

namespace selko {

// Empty when `text` is such a number (then in `seconds`); otherwise what is wrong with it:
// "not a number", "must be positive" or "must be finite".
std::string ParseSeconds(const std::string& text, double& seconds);

} // namespace selko
