// One reader per format into the engine's problem, without capacities: the entry point that
// chooses the reader for a text.
#pragma once

#include <string>

#include "engine/problem.hpp"
#include "engine/readers/input_format.hpp"

namespace selko::engine {

// Reads a problem text in `format` (Auto: detected from the file's path and the text). Letters
// keep their names as read and are numbered in order of first occurrence. Only malformed text
// and abuse are refused (text beyond kMaxInputBytes, more than kMaxProblemRules rules, a side
// longer than kMaxProblemSide): false with error set to a message naming where.
bool ReadProblem(const std::string& path, const std::string& text, InputFormat format,
                 Problem& problem, std::string& error);

} // namespace selko::engine
