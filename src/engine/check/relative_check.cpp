#include "engine/check/relative_check.hpp"

namespace selko::engine {

namespace {

// The remaining problem is one plain or relative problem over the same letters.
const Problem* OneProblemOverTheLetters(const Problem& problem,
                                        const std::vector<Problem>& remaining, std::string& why) {
  if (problem.pairProblem) return (why = "the step is not for pair problems", nullptr);
  if (remaining.size() != 1) return (why = "the step leaves one problem", nullptr);
  const Problem& r = remaining[0];
  if (r.pairProblem || !r.pairs.empty() || r.names != problem.names) {
    return (why = "the remaining problem is not over the problem's letters", nullptr);
  }
  return &r;
}

} // namespace

bool CheckCleaning(const Problem& problem, const Cleaning& cleaning,
                   const std::vector<Problem>& remaining, std::string& why) {
  const Problem* rest = OneProblemOverTheLetters(problem, remaining, why);
  if (rest == nullptr) return false;
  std::vector<bool> gone(problem.rules.size(), false);
  for (std::size_t k = 0; k < cleaning.removed.size(); ++k) {
    const std::size_t i = cleaning.removed[k];
    if (i >= problem.rules.size() || (k > 0 && i <= cleaning.removed[k - 1])) {
      return (why = "the removed rules are not ascending indices of rules", false);
    }
    const Rule& r = problem.rules[i];
    if (r.strict || r.lhs != r.rhs) {
      return (why = "rule " + std::to_string(i + 1) + " is not a weak rule l ->= l", false);
    }
    gone[i] = true;
  }
  std::size_t next = 0;
  for (std::size_t i = 0; i < problem.rules.size(); ++i) {
    if (gone[i]) continue;
    if (next >= rest->rules.size() || !(rest->rules[next] == problem.rules[i])) {
      return (why = "the remaining problem lacks rule " + std::to_string(i + 1), false);
    }
    ++next;
  }
  if (next != rest->rules.size()) return (why = "the remaining problem has other rules", false);
  return true;
}

bool CheckStrictification(const Problem& problem, const std::vector<Problem>& remaining,
                          std::string& why) {
  const Problem* plain = OneProblemOverTheLetters(problem, remaining, why);
  if (plain == nullptr) return false;
  if (plain->rules.size() != problem.rules.size()) {
    return (why = "the plain problem has other rules", false);
  }
  for (std::size_t i = 0; i < problem.rules.size(); ++i) {
    const Rule& a = problem.rules[i];
    const Rule& b = plain->rules[i];
    if (!b.strict || a.lhs != b.lhs || a.rhs != b.rhs) {
      return (why = "rule " + std::to_string(i + 1) + " is not the problem's, strict", false);
    }
  }
  // Its loops would be read as loops of R/S, which they are not.
  if (!plain->noLoops) return (why = "the plain problem is open to a loop search", false);
  return true;
}

bool CheckContextClosure(const Problem& problem, const ContextClosure& closure,
                         const std::vector<Problem>& remaining, std::string& why) {
  const Problem* closed = OneProblemOverTheLetters(problem, remaining, why);
  if (closed == nullptr) return false;
  const std::size_t letters = problem.LetterCount();
  if (letters == 0) return (why = "a problem without letters has no contexts", false);
  if (closed->rules.size() != problem.rules.size() * letters) {
    return (why = "the closed problem has not one rule per rule and letter", false);
  }
  if (!closed->noLoops) return (why = "the closed problem is open to a loop search", false);
  for (std::size_t i = 0; i < problem.rules.size(); ++i) {
    const Rule& r = problem.rules[i];
    for (std::size_t a = 0; a < letters; ++a) {
      const Rule& c = closed->rules[i * letters + a];
      const std::size_t n = r.lhs.size();
      const std::size_t m = r.rhs.size();
      const std::size_t at = closure.left ? 1 : 0;        // where l and r begin in c
      const std::size_t letterLhs = closure.left ? 0 : n; // where the context letter is
      const std::size_t letterRhs = closure.left ? 0 : m;
      bool same = c.strict == r.strict && c.lhs.size() == n + 1 && c.rhs.size() == m + 1;
      same = same && c.lhs[letterLhs] == a && c.rhs[letterRhs] == a;
      for (std::size_t k = 0; same && k < n; ++k)
        same = c.lhs[at + k] == r.lhs[k];
      for (std::size_t k = 0; same && k < m; ++k)
        same = c.rhs[at + k] == r.rhs[k];
      if (!same) {
        return (why = "rule " + std::to_string(i + 1) + " in the context of letter " +
                      problem.names[a] + " is missing",
                false);
      }
    }
  }
  return true;
}

bool CheckInversion(const Problem& problem, const std::vector<Problem>& remaining,
                    std::string& why) {
  const Problem* inverted = OneProblemOverTheLetters(problem, remaining, why);
  if (inverted == nullptr) return false;
  if (inverted->rules.size() != problem.rules.size()) {
    return (why = "the inverted problem has other rules", false);
  }
  if (!inverted->noLoops) return (why = "the inverted problem is open to a loop search", false);
  for (std::size_t i = 0; i < problem.rules.size(); ++i) {
    const Rule& a = problem.rules[i];
    const Rule& b = inverted->rules[i];
    if (a.lhs.size() != a.rhs.size()) {
      return (why = "rule " + std::to_string(i + 1) + " changes the length", false);
    }
    if (a.strict != b.strict || a.lhs != b.rhs || a.rhs != b.lhs) {
      return (why = "rule " + std::to_string(i + 1) + " is not turned around", false);
    }
  }
  return true;
}

} // namespace selko::engine
