// The narrowings are computed again from their definition: every way a left side of a rule can
// be placed on the right side t of a pair, starting after t's first letter, either within t or
// running past its end (the rest of the left side then joins the pair's left side).
#include "engine/check/narrowing_check.hpp"

#include <set>
#include <utility>

namespace selko::engine {

namespace {

using PairKey = std::pair<String, String>;

// Whether a and b differ at some position both have.
bool Disagree(const String& a, const String& b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) return true;
  }
  return false;
}

} // namespace

bool CheckPairNarrowing(const Problem& problem, const PairNarrowing& narrowing,
                        const std::vector<Problem>& remaining, std::string& why) {
  if (!problem.pairProblem) return (why = "only pairs are narrowed", false);
  if (remaining.size() != 1) return (why = "a narrowing leaves one problem", false);
  const Problem& rest = remaining[0];
  if (!rest.pairProblem || rest.names != problem.names || rest.marked != problem.marked ||
      rest.rules != problem.rules) {
    return (why = "the narrowed problem changes more than the pairs", false);
  }
  std::set<std::size_t> replaced;
  for (const std::size_t i : narrowing.replaced) {
    if (i >= problem.pairs.size() || !replaced.insert(i).second) {
      return (why = "a replaced pair is not a pair of the problem", false);
    }
  }
  std::set<PairKey> expected;
  for (std::size_t i = 0; i < problem.pairs.size(); ++i) {
    const Rule& pair = problem.pairs[i];
    if (replaced.count(i) == 0) {
      expected.insert({pair.lhs, pair.rhs});
      continue;
    }
    for (const Rule& next : problem.pairs) {
      if (!Disagree(pair.rhs, next.lhs)) {
        return (why = "pair " + std::to_string(i + 1) + " may be followed as it stands", false);
      }
    }
    const String& t = pair.rhs;
    for (const Rule& rule : problem.rules) {
      const String& l = rule.lhs;
      if (l.empty()) return (why = "a rule has an empty left side", false);
      for (std::size_t k = 1; k < t.size(); ++k) {
        // The left side placed at k: its letters over t must be t's.
        bool fits = true;
        for (std::size_t m = 0; m < l.size() && k + m < t.size() && fits; ++m)
          fits = l[m] == t[k + m];
        if (!fits) continue;
        String lhs = pair.lhs;
        String rhs(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(k));
        rhs.insert(rhs.end(), rule.rhs.begin(), rule.rhs.end());
        for (std::size_t m = k + l.size(); m < t.size(); ++m)
          rhs.push_back(t[m]);
        for (std::size_t m = t.size() - k; m < l.size(); ++m)
          lhs.push_back(l[m]);
        expected.insert({std::move(lhs), std::move(rhs)});
      }
    }
  }
  std::set<PairKey> found;
  for (const Rule& pair : rest.pairs) {
    if (!pair.strict) return (why = "a narrowed pair is weak", false);
    found.insert({pair.lhs, pair.rhs});
  }
  if (found != expected) {
    return (why = "the pairs left are not the narrowings and the pairs kept", false);
  }
  return true;
}

} // namespace selko::engine
