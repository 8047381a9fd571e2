// The competition's ARI format: "(format TRS)", "(fun NAME 1)" declarations and
// "(rule LHS RHS)" with nested unary applications over one variable; ":cost 0" makes a rule
// weak; ';' starts a comment that runs to the end of the line.
#pragma once

#include <memory>
#include <string>

#include "core/store/rule_table.hpp"

namespace selko {

// Reads an ARI problem text. On refusal returns null and sets error to a message that starts
// with the line and column of the offending text.
std::unique_ptr<RuleTable> ReadAriSystem(const std::string& text, std::string& error);

// True when the first form of the text, after blanks and comments, opens with "(format".
bool LooksLikeAri(const std::string& text);

} // namespace selko
