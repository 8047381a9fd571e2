// The window's readers held to the engine's reading of a file. A file is read once into the
// engine's problem; the window's plain and TPDB readers read its lines too, for their refusals
// (their messages name the line and the capacity), and their table is taken for the
// fixed-capacity run only when it holds exactly the problem's rules. A TPDB file with a second
// (RULES section, or a name running over a line end, is read otherwise by the window's reader:
// such a file is refused for the fixed-capacity run, never proved as a system it does not hold.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/store/rule_table.hpp"
#include "engine/problem.hpp"

namespace selko {

// The window's plain reader on the lines, or its TPDB reader when `tpdb`: the table the proof
// run would start from. Null with `error` set to the reader's message when it refuses them.
std::unique_ptr<RuleTable> ReadWithWindowReader(const std::vector<std::string>& lines, bool tpdb,
                                                std::string& error);

// Empty when the table holds exactly the problem's rules, in order, with the same names and the
// same kinds; otherwise the message refusing the file for the fixed-capacity run, naming what
// the window's reader read otherwise.
std::string ReadingDisagreement(const RuleTable& fixed, const engine::Problem& problem);

} // namespace selko
