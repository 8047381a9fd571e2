#include "engine/interpretations/matrix_encoding.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>
#include <vector>

#include "engine/interpretations/product_plan.hpp"
#include "engine/interpretations/semirings.hpp"
#include "engine/interpretations/symbolic_matrix.hpp"

namespace selko::engine {

namespace {

using sat::Lit;

// Marked letters stand only in front of pairs, and both sides of a pair start with one.
bool PairShapeFits(const Problem& problem) {
  for (const Rule& r : problem.rules) {
    for (const String* side : {&r.lhs, &r.rhs}) {
      for (Letter a : *side) {
        if (problem.IsMarked(a)) return false;
      }
    }
  }
  for (const Rule& p : problem.pairs) {
    for (const String* side : {&p.lhs, &p.rhs}) {
      if (side->empty() || !problem.IsMarked(side->front())) return false;
      for (std::size_t i = 1; i < side->size(); ++i) {
        if (problem.IsMarked((*side)[i])) return false;
      }
    }
  }
  return true;
}

// An estimate of what the plan's products cost in clauses. A natural product of entries of
// widths x and y adds min(x, y) shifted rows of the result's width; an arctic one adds and
// compares numbers of the result's width. Widths follow the largest values (natural ones
// capped).
double PlanCost(const ProductPlan& plan, const MatrixShape& shape) {
  const bool arctic = shape.domain == Domain::Arctic;
  const int cap = NaturalValueWidth(shape);
  const double capValue = static_cast<double>((std::uint64_t{1} << cap) - 1);
  const double d = shape.dimension;
  std::vector<double> upper(plan.letterCount, static_cast<double>((1u << shape.bits) - 1));
  auto width = [](double u) { return u < 1 ? 0.0 : std::floor(std::log2(u)) + 1; };
  double cost = 0;
  for (const auto& [left, right] : plan.products) {
    const double x = upper[left], y = upper[right];
    const double product = arctic ? x + y : std::min(capValue, d * x * y);
    upper.push_back(product);
    cost += arctic ? d * d * d * width(product)
                   : d * d * d * std::min(width(x), width(y)) * width(product);
  }
  return cost;
}

ProductPlan CheapestPlan(const std::vector<String>& sides, std::size_t letterCount,
                         const MatrixShape& shape) {
  ProductPlan best = PlanProducts(sides, letterCount, PlanKind::Grammar);
  double bestCost = PlanCost(best, shape);
  for (const PlanKind kind : {PlanKind::Prefixes, PlanKind::Suffixes}) {
    ProductPlan plan = PlanProducts(sides, letterCount, kind);
    const double cost = PlanCost(plan, shape);
    if (cost < bestCost) best = std::move(plan), bestCost = cost;
  }
  return best;
}

template <typename Semiring> class Encoding : public MatrixEncoding {
public:
  using Value = typename Semiring::Value;
  using SMatrix = SymbolicMatrix<Value>;

  Encoding(sat::Solver& solver, const Problem& problem, const MatrixShape& shape)
      : solver_(solver), problem_(problem), shape_(shape), gates_(solver), numbers_(gates_),
        arctic_(numbers_), semiring_(MakeSemiring()) {}

  bool Encode(const Deadline& deadline);
  MatrixInterpretation Decode() const override;

private:
  Semiring MakeSemiring();
  bool IsRow(Letter a) const { return problem_.pairProblem && problem_.IsMarked(a); }
  SMatrix FreshLetter(Letter a);
  Lit StrictlyGreater(const SMatrix& p, const SMatrix& q, bool isPair);
  bool TooLarge(const Deadline& deadline) const {
    return deadline.Passed() || solver_.LiteralCount() > kMaxEncodingLiterals;
  }

  sat::Solver& solver_;
  const Problem& problem_;
  MatrixShape shape_;
  sat::Gates gates_;
  sat::Arithmetic numbers_;
  sat::ArcticArithmetic arctic_;
  Semiring semiring_;
  std::vector<std::optional<SMatrix>> letters_;
};

template <> NaturalSemiring Encoding<NaturalSemiring>::MakeSemiring() {
  return {numbers_, NaturalValueWidth(shape_)};
}

template <> ArcticSemiring Encoding<ArcticSemiring>::MakeSemiring() {
  return {arctic_, sat::Arithmetic::kMaxWidth};
}

template <> SymbolicMatrix<sat::BitVector> Encoding<NaturalSemiring>::FreshLetter(Letter a) {
  const int d = shape_.dimension;
  const int rows = IsRow(a) ? 1 : d;
  SMatrix m{rows, d, {}};
  for (int k = 0; k < rows * d; ++k)
    m.entries.push_back(numbers_.Fresh(shape_.bits));
  if (!IsRow(a)) {
    // [1][1] >= 1, and [d][d] >= 1 where the top-right entry is compared, every diagonal entry
    // where any entry is.
    solver_.AddClause(m.entries.front().bits);
    if (shape_.compared == Compared::TopRight && !problem_.pairProblem)
      solver_.AddClause(m.entries.back().bits);
    if (shape_.compared == Compared::AnyEntry) {
      for (int i = 1; i < d; ++i)
        solver_.AddClause(m.entries[static_cast<std::size_t>(i * d + i)].bits);
    }
  }
  return m;
}

template <> ArcticIntegerSemiring Encoding<ArcticIntegerSemiring>::MakeSemiring() {
  return {arctic_, std::uint64_t{1} << shape_.bits};
}

template <>
SymbolicMatrix<ArcticIntegerSemiring::Value>
Encoding<ArcticIntegerSemiring>::FreshLetter(Letter a) {
  const int d = shape_.dimension;
  const int rows = IsRow(a) ? 1 : d;
  SMatrix m{rows, d, {}};
  // Stored 2^bits above the value: the first entry finite with its top bit set (at least 0).
  sat::ArcticNumber first = arctic_.FreshFinite(shape_.bits + 1);
  solver_.AddClause({first.value.bits.back()});
  m.entries.push_back({first, 1});
  for (int k = 1; k < rows * d; ++k)
    m.entries.push_back({arctic_.Fresh(shape_.bits + 1), 1});
  return m;
}

template <> SymbolicMatrix<sat::ArcticNumber> Encoding<ArcticSemiring>::FreshLetter(Letter a) {
  const int d = shape_.dimension;
  const int rows = IsRow(a) ? 1 : d;
  SMatrix m{rows, d, {}};
  // A finite [1][1] (for a row: a finite first entry).
  m.entries.push_back(arctic_.FreshFinite(shape_.bits));
  for (int k = 1; k < rows * d; ++k)
    m.entries.push_back(arctic_.Fresh(shape_.bits));
  return m;
}

template <>
Lit Encoding<NaturalSemiring>::StrictlyGreater(const SMatrix& p, const SMatrix& q, bool isPair) {
  if (shape_.compared == Compared::AnyEntry && !isPair) {
    std::vector<Lit> any;
    for (std::size_t k = 0; k < p.entries.size(); ++k)
      any.push_back(semiring_.Greater(p.entries[k], q.entries[k]));
    return gates_.OrAll(any);
  }
  const int col = shape_.compared == Compared::TopRight && !isPair ? p.cols - 1 : 0;
  return semiring_.Greater(p.At(0, col), q.At(0, col));
}

// Arctic: every entry (the semiring's Greater: greater, or the smaller side is -inf).
template <typename Semiring>
Lit Encoding<Semiring>::StrictlyGreater(const SMatrix& p, const SMatrix& q, bool) {
  std::vector<Lit> all;
  for (std::size_t k = 0; k < p.entries.size(); ++k)
    all.push_back(semiring_.Greater(p.entries[k], q.entries[k]));
  return gates_.AndAll(all);
}

template <typename Semiring> bool Encoding<Semiring>::Encode(const Deadline& deadline) {
  const std::size_t letterCount = problem_.LetterCount();
  std::vector<String> sides;
  std::vector<bool> used(letterCount, false);
  for (const auto* rules : {&problem_.rules, &problem_.pairs}) {
    for (const Rule& r : *rules) {
      sides.push_back(r.lhs);
      sides.push_back(r.rhs);
      for (const String* side : {&r.lhs, &r.rhs}) {
        for (Letter a : *side) {
          if (a >= letterCount) return false;
          used[a] = true;
        }
      }
    }
  }
  letters_.assign(letterCount, std::nullopt);
  for (Letter a = 0; a < letterCount; ++a) {
    if (used[a]) letters_[a] = FreshLetter(a);
  }

  const ProductPlan plan = CheapestPlan(sides, letterCount, shape_);
  std::vector<SMatrix> symbols;
  symbols.reserve(letterCount + plan.products.size());
  for (Letter a = 0; a < letterCount; ++a)
    symbols.push_back(letters_[a] ? *letters_[a] : SMatrix{});
  for (const auto& [left, right] : plan.products) {
    symbols.push_back(Multiply(semiring_, symbols[left], symbols[right]));
    if (TooLarge(deadline)) return false;
  }
  std::vector<SMatrix> values;
  values.reserve(plan.strings.size());
  for (const ProductPlan::Symbol s : plan.strings) {
    values.push_back(s == ProductPlan::kEmpty ? Identity(semiring_, shape_.dimension) : symbols[s]);
  }

  // Every rule and pair weakly, the candidates (rules of a plain or relative problem, pairs of
  // a pair problem) with a literal for their strict decrease, at least one of which holds.
  std::vector<Lit> strict;
  const std::size_t ruleCount = problem_.rules.size();
  for (std::size_t k = 0; k < ruleCount + problem_.pairs.size(); ++k) {
    const SMatrix& p = values[2 * k];
    const SMatrix& q = values[2 * k + 1];
    for (std::size_t e = 0; e < p.entries.size(); ++e)
      solver_.Assert(semiring_.GreaterEqual(p.entries[e], q.entries[e]));
    const bool isPair = k >= ruleCount;
    if (isPair == problem_.pairProblem) strict.push_back(StrictlyGreater(p, q, isPair));
  }
  if (strict.empty()) return false;
  solver_.AddClause(strict);
  return !TooLarge(deadline);
}

template <typename Semiring> MatrixInterpretation Encoding<Semiring>::Decode() const {
  MatrixInterpretation m;
  m.domain = shape_.domain;
  m.compared = shape_.compared;
  m.dimension = shape_.dimension;
  const int d = shape_.dimension;
  const bool arctic = shape_.domain == Domain::Arctic;
  for (Letter a = 0; a < letters_.size(); ++a) {
    Matrix matrix{IsRow(a) ? 1 : d, d, {}};
    for (int i = 0; i < matrix.rows; ++i) {
      for (int j = 0; j < d; ++j) {
        if (letters_[a]) {
          if constexpr (std::is_same_v<Semiring, ArcticIntegerSemiring>) {
            const std::int64_t stored = arctic_.Decode(letters_[a]->At(i, j).number);
            matrix.entries.push_back(stored == kMinusInfinity
                                         ? kMinusInfinity
                                         : stored - static_cast<std::int64_t>(semiring_.unit));
          } else if constexpr (std::is_same_v<Semiring, ArcticSemiring>) {
            matrix.entries.push_back(arctic_.Decode(letters_[a]->At(i, j)));
          } else {
            matrix.entries.push_back(
                static_cast<std::int64_t>(numbers_.Decode(letters_[a]->At(i, j))));
          }
        } else {
          matrix.entries.push_back(i == j ? (arctic ? 0 : 1) : (arctic ? kMinusInfinity : 0));
        }
      }
    }
    m.letters.push_back(std::move(matrix));
  }
  return m;
}

template <typename Semiring>
std::unique_ptr<MatrixEncoding> Finish(sat::Solver& solver, const Problem& problem,
                                       const MatrixShape& shape, const Deadline& deadline) {
  auto encoding = std::make_unique<Encoding<Semiring>>(solver, problem, shape);
  if (!encoding->Encode(deadline)) return nullptr;
  return encoding;
}

} // namespace

int NaturalValueWidth(const MatrixShape& shape) { return shape.bits + 4; }

std::unique_ptr<MatrixEncoding> MatrixEncoding::Build(sat::Solver& solver, const Problem& problem,
                                                      const MatrixShape& shape,
                                                      const Deadline& deadline) {
  if (shape.dimension < 1 || shape.dimension > kMaxMatrixDimension || shape.bits < 1 ||
      shape.bits > kMaxMatrixBits)
    return nullptr;
  if (problem.pairProblem && !PairShapeFits(problem)) return nullptr;
  if (problem.pairProblem && shape.compared == Compared::AnyEntry) return nullptr;
  if (shape.belowZero) {
    // Every letter's first entry stays at zero or above: the first entry of every string's
    // value (or of a pair side's row) is then a natural number.
    if (shape.domain != Domain::Arctic) return nullptr;
    return Finish<ArcticIntegerSemiring>(solver, problem, shape, deadline);
  }
  if (shape.domain == Domain::Arctic)
    return Finish<ArcticSemiring>(solver, problem, shape, deadline);
  return Finish<NaturalSemiring>(solver, problem, shape, deadline);
}

} // namespace selko::engine
