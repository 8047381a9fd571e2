// The competition's XML format: a term rewriting problem whose symbols are all unary over one
// variable, read as a string rewriting system (rules in <rules>, weak rules in <relrules>).
#pragma once

#include <memory>
#include <string>

#include "core/store/rule_table.hpp"

namespace selko {

// Reads an XML problem text. On refusal returns null and sets error to a message that says
// where and why (malformed XML, a symbol that is not unary, two variables, capacities).
std::unique_ptr<RuleTable> ReadXmlSystem(const std::string& text, std::string& error);

// Line and column (both from 1) of a byte offset into a text.
void LineAndColumn(const std::string& text, std::size_t offset, int& line, int& column);

} // namespace selko
