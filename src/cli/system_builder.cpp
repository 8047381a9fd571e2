#include "cli/system_builder.hpp"

namespace selko {

SystemBuilder::SystemBuilder() : table_(std::make_unique<RuleTable>()) {}

bool SystemBuilder::PutSide(Word& side, const std::vector<std::string>& names,
                            const std::string& where, std::string& error) {
  int length = 0;
  for (const std::string& name : names) {
    if (length >= kMaxWordLength) {
      error = where + "a side has more than " + std::to_string(kMaxWordLength) + " symbols";
      return false;
    }
    int s = 0;
    for (int k = 1; k <= table_->symbolCount; ++k) {
      if (table_->names[k] == name) {
        s = k;
        break;
      }
    }
    if (s == 0) {
      if (table_->symbolCount >= kMaxSymbols) {
        error = where + "more than " + std::to_string(kMaxSymbols) + " distinct symbols";
        return false;
      }
      s = ++table_->symbolCount;
      table_->names[s] = name;
    }
    side[static_cast<std::size_t>(length++)] = static_cast<Symbol>(s);
  }
  side[static_cast<std::size_t>(length)] = 0;
  return true;
}

bool SystemBuilder::AddRule(const std::vector<std::string>& lhs,
                            const std::vector<std::string>& rhs, bool strict, std::string& error) {
  if (table_->ruleCount >= kMaxRules) {
    error = "more than " + std::to_string(kMaxRules) + " rules";
    return false;
  }
  const int r = table_->ruleCount + 1;
  const std::string where = "rule " + std::to_string(r) + ": ";
  if (!PutSide(table_->lhs[r], lhs, where, error)) return false;
  if (!PutSide(table_->rhs[r], rhs, where, error)) return false;
  table_->strict[r] = strict ? 1 : 0;
  table_->ruleCount = r;
  return true;
}

std::unique_ptr<RuleTable> SystemBuilder::Take() {
  std::unique_ptr<RuleTable> built = std::move(table_);
  table_ = std::make_unique<RuleTable>();
  return built;
}

} // namespace selko
