// The competition's ARI format read into the fixed-capacity rule table.
#pragma once

#include <memory>
#include <string>

#include "core/store/rule_table.hpp"

namespace selko {

// Reads an ARI problem text. On refusal returns null and sets error to a message that starts
// with the line and column of the offending text.
std::unique_ptr<RuleTable> ReadAriSystem(const std::string& text, std::string& error);

} // namespace selko
