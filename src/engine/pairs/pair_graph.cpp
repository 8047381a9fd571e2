#include "engine/pairs/pair_graph.hpp"

#include <algorithm>

namespace selko::engine {

namespace {

// Whether a and b agree on their common length (one is a prefix of the other).
bool Agree(const Letter* a, std::size_t na, const Letter* b, std::size_t nb) {
  return std::equal(a, a + std::min(na, nb), b);
}

// Patterns by their first letter; an empty pattern agrees everywhere.
struct Patterns {
  std::vector<std::vector<const String*>> byFirst;
  bool empty = false;
};

Patterns PatternsOf(const Problem& problem, bool lefts) {
  Patterns p;
  p.byFirst.resize(problem.LetterCount());
  for (const Rule& r : problem.rules) {
    const String& side = lefts ? r.lhs : r.rhs;
    if (side.empty()) {
      p.empty = true;
    } else if (side[0] < p.byFirst.size()) {
      p.byFirst[side[0]].push_back(&side);
    }
  }
  return p;
}

// The length of s's prefix that no rewrite by a pattern can reach. A rewrite behind the prefix
// may change every letter after it, so a pattern could begin at position k within the prefix
// if it agrees with the prefix's letters from k on. The longest prefix where none can: cut at
// the first such place and look again, the shorter rest agreeing with more patterns.
std::size_t FixedPrefix(const String& s, const Patterns& patterns) {
  if (patterns.empty) return std::min<std::size_t>(s.size(), 1);
  std::size_t fixed = s.size();
  for (bool cut = true; cut;) {
    cut = false;
    for (std::size_t k = 1; k < fixed && !cut; ++k) {
      if (s[k] >= patterns.byFirst.size()) continue;
      for (const String* p : patterns.byFirst[s[k]]) {
        if (Agree(p->data(), p->size(), s.data() + k, fixed - k)) {
          fixed = k;
          cut = true;
          break;
        }
      }
    }
  }
  return fixed;
}

// Past this many candidate edges the graph is taken on front letters alone (every candidate
// an edge): still sound, and cheap for problems of thousands of pairs.
constexpr std::size_t kMaxCandidates = 20'000'000;

} // namespace

std::vector<std::vector<std::size_t>> PairGraph(const Problem& problem) {
  const std::vector<Rule>& pairs = problem.pairs;
  const std::size_t n = pairs.size();
  const Patterns lefts = PatternsOf(problem, true);
  const Patterns rights = PatternsOf(problem, false);
  // Pairs by the front letter of their left side, each list ascending.
  std::vector<std::vector<std::size_t>> byFront(problem.LetterCount());
  for (std::size_t j = 0; j < n; ++j) {
    if (pairs[j].lhs[0] < byFront.size()) byFront[pairs[j].lhs[0]].push_back(j);
  }
  std::vector<std::size_t> rightFixed(n), leftFixed(n);
  std::size_t candidates = 0;
  for (std::size_t i = 0; i < n; ++i) {
    rightFixed[i] = FixedPrefix(pairs[i].rhs, lefts);
    leftFixed[i] = FixedPrefix(pairs[i].lhs, rights);
    if (pairs[i].rhs[0] < byFront.size()) candidates += byFront[pairs[i].rhs[0]].size();
  }
  const bool refine = candidates <= kMaxCandidates;
  std::vector<std::vector<std::size_t>> next(n);
  for (std::size_t i = 0; i < n; ++i) {
    const String& v = pairs[i].rhs;
    if (v[0] >= byFront.size()) continue;
    for (const std::size_t j : byFront[v[0]]) {
      const String& u = pairs[j].lhs;
      if (!refine || (Agree(v.data(), rightFixed[i], u.data(), u.size()) &&
                      Agree(u.data(), leftFixed[j], v.data(), v.size()))) {
        next[i].push_back(j);
      }
    }
  }
  return next;
}

} // namespace selko::engine
