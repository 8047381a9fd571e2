// Helpers of the labelling tests: steering the random draws and reading the labelled copy.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/prover_testing.hpp"

namespace selko::testing {

// A seed from which the next draws of RandomBelow(range) are exactly `draws`.
inline std::uint32_t SeedFor(const std::vector<int>& draws, int range) {
  auto probe = MakeProver();
  for (std::uint32_t seed = 0;; ++seed) {
    probe->RandomSeed = seed;
    bool all = true;
    for (int d : draws) {
      if (probe->RandomBelow(range) != d) {
        all = false;
        break;
      }
    }
    if (all) return seed;
  }
}

// The labelled system of the last attempt as built, written with CurrentTable's names.
inline std::vector<std::string> LabelledCopyRules(const Prover& p) {
  auto table = std::make_unique<RuleTable>();
  table->ruleCount = p.LabelledCopy.ruleCount;
  table->symbolCount = p.CurrentTable.symbolCount;
  table->names = p.CurrentTable.names;
  for (int r = 1; r <= table->ruleCount; ++r) {
    table->lhs[r] = p.LabelledCopy.lhs[r];
    table->rhs[r] = p.LabelledCopy.rhs[r];
    table->strict[r] = p.LabelledCopy.strict[r];
  }
  return TableRules(*table);
}

// The origins of the labelled copy, rule by rule.
inline std::vector<int> LabelledCopyOrigins(const Prover& p) {
  std::vector<int> out;
  for (int r = 1; r <= p.LabelledCopy.ruleCount; ++r)
    out.push_back(p.LabelledCopy.origin[r]);
  return out;
}

// Puts the labelled names of WorkTable into CurrentTable, as the search does before attempts.
inline void NameLabels(Prover& p) {
  const int n = p.WorkTable.symbolCount;
  for (int s = 1; s <= n; ++s) {
    p.CurrentTable.names[s] = p.WorkTable.names[s] + "1";
    p.CurrentTable.names[s + n] = p.WorkTable.names[s] + "0";
  }
  p.CurrentTable.symbolCount = 2 * n;
}

} // namespace selko::testing
