// The competition's XML format read into the fixed-capacity rule table.
#pragma once

#include <memory>
#include <string>

#include "core/store/rule_table.hpp"

namespace selko {

// Reads an XML problem text. On refusal returns null and sets error to a message that says
// where and why (malformed XML, a symbol that is not unary, two variables, capacities).
std::unique_ptr<RuleTable> ReadXmlSystem(const std::string& text, std::string& error);

} // namespace selko
