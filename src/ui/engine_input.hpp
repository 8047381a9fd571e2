// The input area read for the extended engine: the text the window's readers take, as a problem
// without their capacities.
#pragma once

#include <string>
#include <vector>

#include "engine/problem.hpp"

namespace selko::ui {

// Reads the input lines in the plain format, or in the TPDB text format when `tpdbFormat` (the
// "tpdb format" box) is on. False with `error` set when the text is refused.
bool ReadEngineProblem(const std::vector<std::string>& lines, bool tpdbFormat,
                       engine::Problem& problem, std::string& error);

} // namespace selko::ui
