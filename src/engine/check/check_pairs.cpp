// Checks the dependency-pair step and the split along the dependency graph by computing both
// again in the plainest way: the pairs by their definition, the components by reachability.
#include <algorithm>
#include <map>
#include <set>

#include "engine/check/check_step.hpp"

namespace selko::engine {

namespace {

// The problem's unmarked letters with a left side starting with them.
std::vector<bool> DefinedLetters(const Problem& problem) {
  std::vector<bool> defined(problem.LetterCount(), false);
  for (const Rule& r : problem.rules) {
    if (!r.lhs.empty() && r.lhs[0] < defined.size()) defined[r.lhs[0]] = true;
  }
  return defined;
}

} // namespace

bool CheckDependencyPairs(const Problem& problem, const std::vector<Problem>& remaining,
                          std::string& why) {
  if (problem.pairProblem || problem.IsRelative()) {
    return (why = "dependency pairs are taken of plain problems only", false);
  }
  if (remaining.size() != 1) return (why = "the pairs must leave one problem", false);
  const Problem& p = remaining[0];
  if (!p.pairProblem) return (why = "the result is not a pair problem", false);
  for (const Rule& r : problem.rules) {
    if (r.lhs.empty()) return (why = "a rule has an empty left side", false);
  }
  // The letters: the old ones unchanged, then one marked letter per defined letter.
  const std::vector<bool> defined = DefinedLetters(problem);
  const std::size_t n = problem.LetterCount();
  // One marked letter per defined letter, in the order of the letters: its name with '#'
  // added until no letter has the name yet.
  std::map<Letter, Letter> mark;
  std::set<std::string> taken(problem.names.begin(), problem.names.end());
  std::vector<std::string> expectedNames = problem.names;
  for (std::size_t a = 0; a < n; ++a) {
    if (!defined[a]) continue;
    std::string name = problem.names[a] + "#";
    while (taken.count(name) != 0)
      name += '#';
    taken.insert(name);
    mark[static_cast<Letter>(a)] = static_cast<Letter>(expectedNames.size());
    expectedNames.push_back(name);
  }
  if (p.names != expectedNames)
    return (why = "the marked letters are not named by the rule", false);
  for (std::size_t a = 0; a < p.names.size(); ++a) {
    if (p.IsMarked(static_cast<Letter>(a)) != (a >= n)) {
      return (why = "the marks are not on exactly the new letters", false);
    }
  }
  // The pairs by their definition, in the order of the rules and of the suffixes.
  std::vector<Rule> expected;
  for (const Rule& r : problem.rules) {
    for (std::size_t i = 0; i < r.rhs.size(); ++i) {
      if (!defined[r.rhs[i]]) continue;
      if (mark.count(r.lhs[0]) == 0 || mark.count(r.rhs[i]) == 0) {
        return (why = "a defined letter has no marked letter", false);
      }
      Rule pair;
      pair.lhs = r.lhs;
      pair.lhs[0] = mark[r.lhs[0]];
      pair.rhs.assign(r.rhs.begin() + static_cast<std::ptrdiff_t>(i), r.rhs.end());
      pair.rhs[0] = mark[r.rhs[i]];
      expected.push_back(std::move(pair));
    }
  }
  if (p.pairs != expected) return (why = "the pairs are not the dependency pairs", false);
  if (p.rules != problem.rules) return (why = "the pair problem changes the rules", false);
  return true;
}

bool CheckGraphSplit(const Problem& problem, const std::vector<Problem>& remaining,
                     std::string& why) {
  if (!problem.pairProblem) return (why = "only a pair problem has a dependency graph", false);
  const std::size_t n = problem.pairs.size();
  const std::size_t letters = problem.LetterCount();
  for (const Rule& p : problem.pairs) {
    if (p.lhs.empty() || p.rhs.empty() || p.lhs[0] >= letters || p.rhs[0] >= letters) {
      return (why = "a pair has an empty side", false);
    }
  }
  // A pair leads from the letter in front of its left side to the one in front of its right
  // side, and pair j can follow pair i when i's right front letter is j's left front letter. So
  // pair i reaches pair j exactly when the letter graph leads from i's right front letter to
  // j's left front letter (by a path of zero or more pairs).
  std::vector<std::vector<Letter>> next(letters);
  for (const Rule& p : problem.pairs)
    next[p.lhs[0]].push_back(p.rhs[0]);
  std::map<Letter, std::vector<bool>> reachable; // from a letter, by zero or more pairs
  auto from = [&](Letter a) -> const std::vector<bool>& {
    auto it = reachable.find(a);
    if (it != reachable.end()) return it->second;
    std::vector<bool> seen(letters, false);
    std::vector<Letter> todo{a};
    seen[a] = true;
    while (!todo.empty()) {
      const Letter b = todo.back();
      todo.pop_back();
      for (const Letter c : next[b]) {
        if (!seen[c]) {
          seen[c] = true;
          todo.push_back(c);
        }
      }
    }
    return reachable.emplace(a, std::move(seen)).first->second;
  };
  auto reaches = [&](std::size_t i, std::size_t j) {
    return from(problem.pairs[i].rhs[0])[problem.pairs[j].lhs[0]];
  };
  // Every remaining problem is a pair problem with the same letters and rules whose pairs lie
  // in one strongly connected component; every pair on a cycle is in exactly one of them, and
  // two pairs on one cycle are never apart.
  std::vector<int> owner(n, -1);
  for (std::size_t c = 0; c < remaining.size(); ++c) {
    const Problem& part = remaining[c];
    const std::string what = "component " + std::to_string(c + 1);
    if (!part.pairProblem || part.names != problem.names || part.marked != problem.marked ||
        part.rules != problem.rules || part.pairs.empty()) {
      return (why = what + " is not a part of the problem", false);
    }
    std::size_t first = n;
    for (const Rule& pair : part.pairs) {
      std::size_t found = n;
      for (std::size_t i = 0; i < n && found == n; ++i) {
        if (owner[i] == -1 && problem.pairs[i] == pair) found = i;
      }
      if (found == n) return (why = what + " has a pair not in the problem", false);
      owner[found] = static_cast<int>(c);
      if (first == n) first = found;
      if (!reaches(first, found) || !reaches(found, first)) {
        return (why = what + " is not strongly connected", false);
      }
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (reaches(i, i) && owner[i] == -1) {
      return (why = "pair " + std::to_string(i + 1) + " is on a cycle but in no component", false);
    }
    if (owner[i] == -1) continue;
    for (std::size_t j = 0; j < n; ++j) {
      if (owner[j] != owner[i] && reaches(i, j) && reaches(j, i)) {
        return (why = "pairs " + std::to_string(i + 1) + " and " + std::to_string(j + 1) +
                      " share a cycle but not a component",
                false);
      }
    }
  }
  return true;
}

} // namespace selko::engine
