// A system that a front end has already read from another format (XML, ARI): it takes the
// place of the window's readers, with the same numbering and the same capacities.
#include "core/prover.hpp"

namespace selko {

void Prover::ReadPrepared() {
  InputError.clear();
  const RuleTable& source = *Options.preparedSystem;
  if (source.ruleCount < 0 || source.ruleCount > kMaxRules || source.symbolCount < 0 ||
      source.symbolCount > kMaxSymbols) {
    InputError = "the system exceeds the capacities";
    return;
  }
  WorkTable = source;
  PlainMode = 1;
  for (int r = 1; r <= WorkTable.ruleCount; ++r) {
    if (WorkTable.strict[r] == 0) PlainMode = 0;
  }
}

} // namespace selko
