// The linear constraints of the weighted interpretations and their solution by elimination.
// Every symbol s is the shift x+w(s), or "lambda x.4x" when it is in the tenfold set; a rule
// row holds, per symbol, the coefficient of w(s) in (value of lhs) - (value of rhs).
#pragma once

#include <array>
#include <cstdint>

#include "core/store/rule_table.hpp"

namespace selko {

constexpr int kMatrixRows = 48;    // rows 1..48
constexpr int kMatrixColumns = 19; // columns 1..19, one per symbol

struct ConstraintMatrix {
  int rows = 0;     // rows in use, 1..rows
  int ruleRows = 0; // rows 1..ruleRows belong to the rules
  int symbols = 0;  // columns in use, 1..symbols
  // Entries always lie in the signed 32-bit range; they are kept wider so that products and
  // sums can be formed exactly and checked.
  std::array<std::array<std::int64_t, kMatrixColumns + 1>, kMatrixRows + 1> entry{};
  std::array<std::uint8_t, kMatrixRows + 1> retiredBy{}; // 0: unretired; else the symbol
  std::array<std::uint8_t, kMatrixColumns> eliminationOrder{};
  int eliminated = 0; // entries of eliminationOrder in use
};

// Rule rows of `table` under the tenfold set `tenfold`. False (the pass fails) when an entry
// leaves the signed 32-bit range, or when the system does not fit the matrix.
bool BuildConstraintMatrix(const RuleTable& table,
                           const std::array<std::uint8_t, kMaxSymbols + 1>& tenfold,
                           ConstraintMatrix& m);

// Adds the rows w(s) >= 0, eliminates symbols and back-substitutes into `weights` (1..symbols;
// all others 0). False (the pass fails) when a combined row entry or a value of the
// back-substitution leaves the signed 32-bit range.
bool SolveWeights(ConstraintMatrix& m, std::array<std::int64_t, kMaxSymbols + 1>& weights);

} // namespace selko
