// Small problems for the engine's tests, written as rules of one-character letters.
#pragma once

#include <string>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine::testing {

// {"ab->ba", "c->=d", "a->"}: letters numbered in order of first occurrence; "->=" is weak.
Problem Rules(const std::vector<std::string>& rules);

// The letters of a text in a problem's numbering ("" for none; every character must be known).
String Letters(const Problem& problem, const std::string& text);

} // namespace selko::engine::testing
