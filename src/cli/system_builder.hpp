// Builds a RuleTable from rules whose sides are lists of symbol names, the way the window's
// readers fill WorkTable: names interned in order of first occurrence, left side before right
// side, rule by rule, with the table's capacities enforced and refusals explained.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/store/rule_table.hpp"
#include "engine/readers/rule_sink.hpp"

namespace selko {

class SystemBuilder final : public engine::RuleSink {
public:
  SystemBuilder();

  // Appends the rule lhs -> rhs (strict) or lhs ->= rhs. On refusal returns false and sets
  // error to a message naming the rule by its number ("rule 3: ...").
  bool AddRule(const std::vector<std::string>& lhs, const std::vector<std::string>& rhs,
               bool strict, std::string& error) override;

  // The table built so far; the builder is empty afterwards.
  std::unique_ptr<RuleTable> Take();

  int RuleCount() const { return table_->ruleCount; }

private:
  bool PutSide(Word& side, const std::vector<std::string>& names, const std::string& where,
               std::string& error);

  std::unique_ptr<RuleTable> table_;
};

} // namespace selko
