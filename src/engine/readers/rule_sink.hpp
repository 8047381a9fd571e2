// Where a format reader puts the rules it reads: one call per rule, sides as lists of letter
// names, outermost (leftmost) letter first. The fixed-capacity rule table and the engine's
// problem are both built through this interface, so one parser serves both.
#pragma once

#include <string>
#include <vector>

namespace selko::engine {

class RuleSink {
public:
  virtual ~RuleSink() = default;

  // Takes the rule lhs -> rhs (strict) or lhs ->= rhs. On refusal returns false and sets error
  // to the reason; the reader then stops and puts its own location in front of the message.
  virtual bool AddRule(const std::vector<std::string>& lhs, const std::vector<std::string>& rhs,
                       bool strict, std::string& error) = 0;
};

} // namespace selko::engine
