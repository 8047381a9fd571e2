// The TPDB text format of string rewriting problems: sections in parentheses, of which
// (RULES ...) holds the rules and every other one ((VAR ...), (COMMENT ...), (STRATEGY ...)...)
// is skipped whole. Rules are separated by ',' and the section is closed by ')'; a rule is a list
// of names, "->" (strict) or "->=" (weak), and a list of names. Names have one or more
// characters and end at a blank, ',', ')' or '-', as in the window's TPDB reader; blanks are
// spaces, tabs and line ends.
#pragma once

#include <string>

#include "engine/problem.hpp"

namespace selko::engine {

// Reads a TPDB text (several (RULES ...) sections add up). Refuses malformed text and abuse
// (more than kMaxProblemRules rules, a side longer than kMaxProblemSide): false with error set
// to a message naming the line ("line 3: ...").
bool ReadTpdbProblem(const std::string& text, Problem& problem, std::string& error);

} // namespace selko::engine
