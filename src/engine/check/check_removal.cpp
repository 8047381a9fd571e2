// Checks a rule-removal step by a natural or arctic matrix interpretation: the shape
// conditions that make the order monotone and well founded, the weak decrease of every rule
// and pair, the strict decrease of every removed one, and that exactly those are gone.
//
// Arctic entries may be below zero, all but the first entry of every letter and of every marked
// row. The first entry of a string's value (of a marked string's row) is then at least the sum of
// its letters' first entries, a natural number; a step by a rule (pair) that decreases strictly in
// every entry lowers it in every context (the entry of the smaller side that counts is finite),
// and a weak decrease never raises it.
#include <algorithm>
#include <optional>

#include "engine/check/check_step.hpp"
#include "engine/check/exact_matrices.hpp"

namespace selko::engine {

namespace {

using exact::Grid;
using exact::kArcticBottom;
using exact::Value;

std::string Num(std::size_t i) { return std::to_string(i + 1); }

// >= in the domain (arctic: minus infinity is the least value).
bool AtLeast(Value x, Value y, Domain domain) {
  if (domain == Domain::Arctic) return y == kArcticBottom || (x != kArcticBottom && x >= y);
  return x >= y;
}

bool Weak(const Grid& p, const Grid& q, Domain domain) {
  for (std::size_t k = 0; k < p.v.size(); ++k) {
    if (!AtLeast(p.v[k], q.v[k], domain)) return false;
  }
  return true;
}

bool Strict(const Grid& p, const Grid& q, const MatrixInterpretation& m, bool pairValue) {
  if (m.domain == Domain::Arctic) {
    for (std::size_t k = 0; k < p.v.size(); ++k) {
      if (q.v[k] != kArcticBottom && !(p.v[k] != kArcticBottom && p.v[k] > q.v[k])) return false;
    }
    return true;
  }
  if (!Weak(p, q, Domain::Natural)) return false;
  if (m.compared == Compared::AnyEntry && !pairValue) {
    for (std::size_t k = 0; k < p.v.size(); ++k) {
      if (p.v[k] > q.v[k]) return true;
    }
    return false;
  }
  // A pair's value is a row whose first entry counts; a rule's matrix compares [1][d] or [1][1].
  const int col = pairValue || m.compared == Compared::TopLeft ? 0 : m.dimension - 1;
  return p.At(0, col) > q.At(0, col);
}

class RemovalChecker {
public:
  RemovalChecker(const Problem& problem, const MatrixInterpretation& m)
      : problem_(problem), m_(m) {}

  bool Letters(std::string& why) {
    const int d = m_.dimension;
    if (d < 1 || d > 64) return (why = "dimension " + std::to_string(d) + " out of range", false);
    if (m_.letters.size() != problem_.LetterCount()) {
      why = "the interpretation has " + std::to_string(m_.letters.size()) +
            " letters, the problem " + std::to_string(problem_.LetterCount());
      return false;
    }
    grids_.clear();
    for (std::size_t a = 0; a < m_.letters.size(); ++a) {
      const std::string& name = problem_.names[a];
      const bool row = problem_.pairProblem && problem_.IsMarked(static_cast<Letter>(a));
      const Matrix& matrix = m_.letters[a];
      if (matrix.rows != (row ? 1 : d) || matrix.cols != d) {
        why = "letter " + name + " has a matrix of the wrong size";
        return false;
      }
      std::optional<Grid> g = exact::FromMatrix(matrix, m_.domain);
      if (!g) return (why = "letter " + name + " has an entry out of range", false);
      if (m_.domain == Domain::Natural) {
        if (g->At(0, 0) < 1 && !row) return (why = "letter " + name + " has [1][1] < 1", false);
        const bool needCorner = !problem_.pairProblem && m_.compared == Compared::TopRight;
        if (needCorner && g->At(d - 1, d - 1) < 1) {
          return (why = "letter " + name + " has [d][d] < 1", false);
        }
        if (m_.compared == Compared::AnyEntry) {
          if (problem_.pairProblem) return (why = "pairs compare their first entry", false);
          for (int i = 1; i < d; ++i) {
            if (g->At(i, i) < 1) {
              return (why = "letter " + name + " has a diagonal entry < 1", false);
            }
          }
        }
      } else if (g->At(0, 0) == kArcticBottom) {
        return (why = "letter " + name + " has no finite first entry", false);
      } else if (g->At(0, 0) < 0) {
        return (why = "letter " + name + " has a first entry below zero", false);
      }
      grids_.push_back(std::move(*g));
    }
    return true;
  }

  // The value of a side: the product of its letters' matrices (a pair side starts with a row).
  std::optional<Grid> Value(const String& side, bool pairSide) const {
    const int d = m_.dimension;
    std::size_t from = 0;
    Grid acc = exact::Identity(d, m_.domain);
    if (pairSide) {
      if (side.empty() || !problem_.IsMarked(side[0])) return std::nullopt;
      acc = grids_[side[0]];
      from = 1;
    }
    for (std::size_t i = from; i < side.size(); ++i) {
      if (side[i] >= grids_.size() || (problem_.pairProblem && problem_.IsMarked(side[i]))) {
        return std::nullopt;
      }
      std::optional<Grid> next = exact::Multiply(acc, grids_[side[i]], m_.domain);
      if (!next) return std::nullopt;
      acc = std::move(*next);
    }
    return acc;
  }

  // Whether the rule decreases weakly (required) and strictly (reported); false on failure.
  bool Compare(const Rule& rule, bool pair, bool& strict, const std::string& what,
               std::string& why) const {
    const std::optional<Grid> l = Value(rule.lhs, pair);
    const std::optional<Grid> r = Value(rule.rhs, pair);
    if (!l || !r) return (why = what + ": a value too large or a misplaced marked letter", false);
    if (!Weak(*l, *r, m_.domain)) return (why = what + " does not decrease weakly", false);
    strict = Strict(*l, *r, m_, pair);
    return true;
  }

private:
  const Problem& problem_;
  const MatrixInterpretation& m_;
  std::vector<Grid> grids_;
};

bool IsAscendingIndexList(const std::vector<std::size_t>& list, std::size_t size) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] >= size || (i > 0 && list[i] <= list[i - 1])) return false;
  }
  return true;
}

} // namespace

bool CheckRuleRemoval(const Problem& problem, const RuleRemoval& removal,
                      const std::vector<Problem>& remaining, std::string& why) {
  if (!IsAscendingIndexList(removal.removedRules, problem.rules.size()) ||
      !IsAscendingIndexList(removal.removedPairs, problem.pairs.size())) {
    return (why = "the removed rules are not a list of rules of the problem", false);
  }
  if (removal.removedRules.empty() && removal.removedPairs.empty()) {
    return (why = "nothing is removed", false);
  }
  if (problem.pairProblem && !removal.removedRules.empty()) {
    return (why = "a pair problem keeps its rules", false);
  }
  if (!problem.pairProblem && !removal.removedPairs.empty()) {
    return (why = "a problem without pairs has no pairs to remove", false);
  }
  RemovalChecker checker(problem, removal.interpretation);
  if (!checker.Letters(why)) return false;
  // Every rule (then every pair) decreases weakly, and each removed one strictly.
  auto compareAll = [&](const std::vector<Rule>& list, const std::vector<std::size_t>& removed,
                        bool pairs) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      bool strict = false;
      const std::string what = (pairs ? "pair " : "rule ") + Num(i);
      if (!checker.Compare(list[i], pairs, strict, what, why)) return false;
      if (!strict && std::binary_search(removed.begin(), removed.end(), i)) {
        return (why = what + " is removed but does not decrease strictly", false);
      }
    }
    return true;
  };
  if (!compareAll(problem.rules, removal.removedRules, false) ||
      !compareAll(problem.pairs, removal.removedPairs, true)) {
    return false;
  }
  if (remaining.size() != 1 ||
      !SameProblem(remaining[0], problem.Without(removal.removedRules, removal.removedPairs))) {
    return (why = "the remaining problem is not the problem without the removed rules", false);
  }
  return true;
}

} // namespace selko::engine
