// The plain format, exactly as the window reads it but without its capacities: one rule a
// line, every letter one character, "->" for a strict rule and "->=" for a weak one, 'e' (or
// nothing) for the empty right-hand side; the first empty line or line starting with a blank
// ends the rules, and what follows is comment. A trailing carriage return is no part of a line.
#pragma once

#include <string>

#include "engine/problem.hpp"

namespace selko::engine {

// Reads a plain text. Only abuse is refused (more than kMaxProblemRules rules, a side longer
// than kMaxProblemSide): false with error set to a message naming the line.
bool ReadPlainProblem(const std::string& text, Problem& problem, std::string& error);

} // namespace selko::engine
