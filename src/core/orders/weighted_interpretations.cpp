// Weighted interpretations, the last step of the interpretation search: shifts x+w(s) (and
// "lambda x.4x" for symbols that every rule keeps in balance), with weights found by
// Fourier-Motzkin elimination over the constraints lhs >= rhs and a back-substitution that
// tries to make rules strictly decreasing. Every value is computed exactly; a pass whose
// numbers leave the signed 32-bit range fails as if its check had failed.
#include "core/orders/weighted_interpretations.hpp"

#include <algorithm>
#include <limits>

#include "core/orders/rule_evaluation.hpp"
#include "core/prover.hpp"

namespace selko {

namespace {

using Wide = __int128; // wide enough for every product and sum formed here

constexpr int kProductLimit = 1000; // a symbol is eliminated only below this many combinations

bool InInt32(Wide v) {
  return v >= std::numeric_limits<std::int32_t>::min() &&
         v <= std::numeric_limits<std::int32_t>::max();
}

// Sum of M[row][s] * w(s) over s = 1..symbols, leaving out column `skip` (0: none).
Wide RowValue(const ConstraintMatrix& m, int row,
              const std::array<std::int64_t, kMaxSymbols + 1>& w, int skip) {
  Wide sum = 0;
  const auto& e = m.entry[static_cast<std::size_t>(row)];
  for (int s = 1; s <= m.symbols; ++s)
    if (s != skip)
      sum += static_cast<Wide>(e[static_cast<std::size_t>(s)]) * w[static_cast<std::size_t>(s)];
  return sum;
}

} // namespace

bool BuildConstraintMatrix(const RuleTable& table,
                           const std::array<std::uint8_t, kMaxSymbols + 1>& tenfold,
                           ConstraintMatrix& m) {
  m = ConstraintMatrix{};
  const int rules = table.ruleCount;
  const int n = table.symbolCount;
  if (rules < 0 || n < 0 || n > kMatrixColumns || rules > kMatrixRows) return false;
  m.ruleRows = rules;
  m.rows = rules;
  m.symbols = n;
  for (int r = 1; r <= rules; ++r) {
    std::array<std::int64_t, kMatrixColumns + 1> row{};
    auto add = [&](const Word& w, std::int64_t sign) {
      std::int64_t power = 1; // 4 to the number of tenfold symbols met so far
      for (int p = 0; p < kMaxWordLength && w[static_cast<std::size_t>(p)] != 0; ++p) {
        const Symbol s = w[static_cast<std::size_t>(p)];
        if (s > n) return false; // a symbol outside the table: refuse the system
        if (tenfold[s] != 0) {
          power *= 4;
        } else {
          row[s] += sign * power;
        }
      }
      return true;
    };
    if (!add(table.lhs[static_cast<std::size_t>(r)], 1) ||
        !add(table.rhs[static_cast<std::size_t>(r)], -1))
      return false;
    for (int s = 1; s <= n; ++s) {
      if (!InInt32(row[static_cast<std::size_t>(s)])) return false;
      m.entry[static_cast<std::size_t>(r)][static_cast<std::size_t>(s)] =
          row[static_cast<std::size_t>(s)];
    }
  }
  return true;
}

bool SolveWeights(ConstraintMatrix& m, std::array<std::int64_t, kMaxSymbols + 1>& weights) {
  weights.fill(0);
  const int n = m.symbols;
  if (n < 0 || n > kMatrixColumns || m.ruleRows < 0 || m.ruleRows + n > kMatrixRows) return false;
  auto at = [&m](int row, int s) -> std::int64_t& {
    return m.entry[static_cast<std::size_t>(row)][static_cast<std::size_t>(s)];
  };
  auto tag = [&m](int row) -> std::uint8_t& { return m.retiredBy[static_cast<std::size_t>(row)]; };

  // 1. The rows w(s) >= 0.
  int rows = m.ruleRows;
  for (int s = 1; s <= n; ++s) {
    ++rows;
    m.entry[static_cast<std::size_t>(rows)].fill(0);
    at(rows, s) = 1;
  }
  for (int row = 1; row <= rows; ++row)
    tag(row) = 0;
  m.rows = rows;
  m.eliminated = 0;
  std::array<bool, kMatrixColumns + 1> alive{};
  for (int s = 1; s <= n; ++s)
    alive[static_cast<std::size_t>(s)] = true;

  for (;;) {
    // 2. The alive symbol with the fewest combinations, the lowest on a tie.
    int v = 0;
    int best = 0;
    for (int s = 1; s <= n; ++s) {
      if (!alive[static_cast<std::size_t>(s)]) continue;
      int pos = 0, neg = 0;
      for (int row = 1; row <= m.rows; ++row) {
        if (tag(row) != 0) continue;
        pos += at(row, s) > 0 ? 1 : 0;
        neg += at(row, s) < 0 ? 1 : 0;
      }
      const int product = pos * neg;
      if (product < kProductLimit && (v == 0 || product < best)) {
        v = s;
        best = product;
      }
    }
    if (v == 0) break;

    // 3. Combine every row below zero in column v with every row above zero.
    const int before = m.rows;
    for (int i = 1; i <= before; ++i) {
      if (tag(i) != 0 || at(i, v) >= 0) continue;
      for (int j = 1; j <= before; ++j) {
        if (tag(j) != 0 || at(j, v) <= 0) continue;
        if (m.rows >= kMatrixRows) continue; // no room: the combination is dropped
        const int row = ++m.rows;
        tag(row) = 0;
        m.entry[static_cast<std::size_t>(row)].fill(0);
        for (int s = 1; s <= n; ++s) {
          const Wide value =
              static_cast<Wide>(at(j, v)) * at(i, s) - static_cast<Wide>(at(i, v)) * at(j, s);
          if (!InInt32(value)) return false;
          at(row, s) = static_cast<std::int64_t>(value);
        }
      }
    }
    for (int row = 1; row <= before; ++row)
      if (tag(row) == 0 && at(row, v) != 0) tag(row) = static_cast<std::uint8_t>(v);
    alive[static_cast<std::size_t>(v)] = false;
    m.eliminationOrder[static_cast<std::size_t>(m.eliminated++)] = static_cast<std::uint8_t>(v);
  }

  // 4. Back-substitution, from the last eliminated symbol.
  if (m.eliminated == 0) return true;
  const int z = m.eliminationOrder[static_cast<std::size_t>(m.eliminated - 1)];
  weights[static_cast<std::size_t>(z)] = 1;
  for (int row = 1; row <= m.rows; ++row)
    if (tag(row) == z && at(row, z) < 0) weights[static_cast<std::size_t>(z)] = 0;

  // 5. The other symbols in reverse order of elimination.
  for (int idx = m.eliminated - 2; idx >= 0; --idx) {
    const int v = m.eliminationOrder[static_cast<std::size_t>(idx)];
    Wide num = -1;
    Wide den = 0;
    for (int row = 1; row <= m.rows; ++row) {
      if (tag(row) != v || at(row, v) <= 0) continue;
      const Wide f = RowValue(m, row, weights, v);
      if (!InInt32(f)) return false;
      const Wide compare = static_cast<Wide>(at(row, v)) * num + den * f;
      if (!InInt32(compare)) return false;
      if (compare < 0) {
        num = -f;
        den = at(row, v);
      }
    }
    if (den == 0) continue; // no bound: w(v) keeps its value
    for (int s = 1; s <= n; ++s) {
      const Wide scaled = static_cast<Wide>(weights[static_cast<std::size_t>(s)]) * den;
      if (!InInt32(scaled)) return false;
      weights[static_cast<std::size_t>(s)] = static_cast<std::int64_t>(scaled);
    }
    if (!InInt32(num + 1)) return false;
    weights[static_cast<std::size_t>(v)] = static_cast<std::int64_t>(num + 1);
    bool negative = false;
    for (int row = 1; row <= m.rows; ++row) {
      if (tag(row) != v || at(row, v) >= 0) continue;
      const Wide sum = RowValue(m, row, weights, 0);
      if (!InInt32(sum)) return false;
      negative = negative || sum < 0;
    }
    if (negative) {
      if (!InInt32(static_cast<Wide>(weights[static_cast<std::size_t>(v)]) - 1)) return false;
      --weights[static_cast<std::size_t>(v)];
    }
  }
  return true;
}

bool Prover::CheckWeighted() {
  const RuleTable& t = CurrentTable;
  // Value of a side: left to right, a "4x" symbol multiplies what follows by 4, a shift adds
  // its weight times the multiplier. False when the value leaves the signed 32-bit range.
  auto side = [this](const Word& w, Wide& k) {
    Wide multiplier = 1;
    k = 0;
    for (int p = 0; p < kMaxWordLength && w[static_cast<std::size_t>(p)] != 0; ++p) {
      const Symbol s = w[static_cast<std::size_t>(p)];
      if (s > kMaxSymbols) continue; // never in a table; counts as the identity
      if (TenfoldSet[s] != 0) {
        multiplier *= 4;
      } else {
        k += static_cast<Wide>(Weights[s]) * multiplier;
      }
    }
    return InInt32(k);
  };
  return EvaluateRules(t.ruleCount, FailHint, RemoveMark, [&](int r) {
    Wide kL = 0, kR = 0;
    if (!side(t.lhs[static_cast<std::size_t>(r)], kL) ||
        !side(t.rhs[static_cast<std::size_t>(r)], kR))
      return kRuleFails;
    const Wide d = kL - kR;
    if (!InInt32(d) || d < 0) return kRuleFails;
    return d == 0 ? kRuleWeak : kRuleStrict;
  });
}

bool Prover::FindWeights() {
  const RuleTable& t = CurrentTable;
  const int n = t.symbolCount;
  ConstraintMatrix m;
  auto pass = [&] {
    return BuildConstraintMatrix(t, TenfoldSet, m) && SolveWeights(m, Weights) && CheckWeighted();
  };

  // Pass 1: shifts only.
  TenfoldSet.fill(0);
  bool ok = BuildConstraintMatrix(t, TenfoldSet, m);
  if (!ok) return false; // the system does not fit the matrix
  std::array<std::uint8_t, kMaxSymbols + 1> balanced{};
  for (int s = 1; s <= n; ++s) {
    bool zero = true;
    for (int r = 1; r <= m.ruleRows && zero; ++r)
      zero = m.entry[static_cast<std::size_t>(r)][static_cast<std::size_t>(s)] == 0;
    balanced[static_cast<std::size_t>(s)] = zero ? 1 : 0;
  }
  ok = SolveWeights(m, Weights) && CheckWeighted();

  // Pass 2: the balanced symbols become "lambda x.4x".
  if (!ok) {
    TenfoldSet = balanced;
    ok = pass();
  }
  if (!ok) return false;
  for (int s = 1; s <= n; ++s)
    if (Weights[static_cast<std::size_t>(s)] < 0) return false; // never happens; Gcd needs it
  return true;
}

void Prover::LogWeights() {
  const RuleTable& t = CurrentTable;
  const int n = t.symbolCount;
  std::array<std::int64_t, kMaxSymbols + 1> shown = Weights;
  std::int64_t g = shown[1];
  for (int s = 2; s <= n; ++s)
    if (TenfoldSet[static_cast<std::size_t>(s)] == 0)
      g = Gcd(g, shown[static_cast<std::size_t>(s)]);
  if (g > 1)
    for (int s = 1; s <= n; ++s)
      shown[static_cast<std::size_t>(s)] /= g;
  LogLine("Choose polynomial interpretation  ");
  for (int s = 1; s <= n; ++s) {
    const std::string& name = t.names[static_cast<std::size_t>(s)];
    if (TenfoldSet[static_cast<std::size_t>(s)] != 0) {
      LogLine(name + ": lambda x.4x");
    } else if (shown[static_cast<std::size_t>(s)] == 0) {
      LogLine(name + ": identity");
    } else {
      LogLine(name + ": lambda x.x+" + std::to_string(shown[static_cast<std::size_t>(s)]));
    }
  }
}

bool Prover::SearchWeights() {
  if (!FindWeights()) return false;
  if (ReportSteps != 0) LogWeights();
  return true;
}

} // namespace selko
