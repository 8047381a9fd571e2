// The competition's ARI format: "(format TRS)", "(fun NAME 1)" declarations and
// "(rule LHS RHS)" with nested unary applications over one variable; ":cost 0" makes a rule
// weak; ';' starts a comment that runs to the end of the line.
#pragma once

#include <string>

#include "engine/readers/rule_sink.hpp"

namespace selko::engine {

// Parentheses nested deeper than this are refused; inside (rule ...) a side of n symbols is
// n + 1 levels deep. The fixed-capacity table's reading keeps to kAriNesting; the engine's
// reading allows a level more than its longest side needs, so that a side one symbol too long
// is refused with the side's own message.
constexpr int kAriNesting = 1000;

// Reads an ARI problem text into `sink`. The whole text is parsed first (malformed text is
// refused before any rule is taken), then its forms are taken in order. On refusal returns false
// and sets error to a message that starts with the line and column of the offending text.
bool ReadAriRules(const std::string& text, RuleSink& sink, int maxNesting, std::string& error);

// True when the first form of the text, after blanks and comments, opens with "(format".
bool LooksLikeAri(const std::string& text);

} // namespace selko::engine
