// The competition's XML format: a term rewriting problem whose symbols are all unary over one
// variable, read as a string rewriting system (rules in <rules>, weak rules in <relrules>).
#pragma once

#include <string>

#include "engine/readers/rule_sink.hpp"

namespace selko::engine {

// Reads an XML problem text into `sink`, rule by rule in the order of the text. On refusal
// (malformed XML, a symbol that is not unary, two variables, or the sink's own refusal) returns
// false and sets error to a message that says where and why.
bool ReadXmlRules(const std::string& text, RuleSink& sink, std::string& error);

} // namespace selko::engine
