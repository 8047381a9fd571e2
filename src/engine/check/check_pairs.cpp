// Checks the dependency-pair step and the split along the dependency graph by computing both
// again in the plainest way: the pairs by their definition, the components by reachability and
// by emptying the graph of components.
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

namespace {

// How many front letters of a string stay as they are while rules rewrite behind its first
// letter (lhs to rhs when forward, rhs to lhs otherwise). Rewrites behind a front may change
// everything after it, so a front of length f stays when no rule's side could begin at a
// position k inside it: neither read whole from k, nor agreeing with all of the front's letters
// from k (its common prefix with the string from k reaching to f). The longest such front.
std::size_t UnchangedFront(const Problem& problem, const String& s, bool forward) {
  if (s.empty()) return 0;
  // Per position from 1: whether some side is read whole there, and how far the longest
  // agreement of a side with the string from there reaches.
  std::vector<bool> whole(s.size(), false);
  std::vector<std::size_t> reach(s.size(), 0);
  for (std::size_t k = 1; k < s.size(); ++k) {
    for (const Rule& r : problem.rules) {
      const String& side = forward ? r.lhs : r.rhs;
      std::size_t common = 0;
      while (common < side.size() && k + common < s.size() && side[common] == s[k + common])
        ++common;
      if (common == side.size()) whole[k] = true;
      reach[k] = std::max(reach[k], k + common);
    }
  }
  std::size_t longest = 1;
  for (std::size_t f = 2; f <= s.size(); ++f) {
    bool stays = true;
    for (std::size_t k = 1; k < f && stays; ++k)
      stays = !whole[k] && f > reach[k];
    if (stays) longest = f;
  }
  return longest;
}

// Whether the first `length` letters of a agree with b as far as b goes.
bool AgreeOn(const String& a, std::size_t length, const String& b) {
  for (std::size_t m = 0; m < length && m < b.size(); ++m) {
    if (a[m] != b[m]) return false;
  }
  return true;
}

// Past this many pairs with equal front letters, every such pair is taken to follow.
constexpr std::size_t kMaxComparisons = 20'000'000;

} // namespace

bool CheckGraphSplit(const Problem& problem, const std::vector<Problem>& remaining,
                     std::string& why) {
  if (!problem.pairProblem) return (why = "only a pair problem has a dependency graph", false);
  const std::size_t n = problem.pairs.size();
  for (const Rule& p : problem.pairs) {
    if (p.lhs.empty() || p.rhs.empty()) return (why = "a pair has an empty side", false);
  }
  // Pair j can follow pair i when i's right side could become j's left side: read forwards
  // from i and backwards from j, their unchanging fronts agree with the other side.
  std::vector<std::size_t> rightFront(n), leftFront(n);
  std::map<Letter, std::vector<std::size_t>> startingWith;
  for (std::size_t i = 0; i < n; ++i) {
    rightFront[i] = UnchangedFront(problem, problem.pairs[i].rhs, true);
    leftFront[i] = UnchangedFront(problem, problem.pairs[i].lhs, false);
    startingWith[problem.pairs[i].lhs[0]].push_back(i);
  }
  std::size_t comparisons = 0;
  for (std::size_t i = 0; i < n; ++i)
    comparisons += startingWith[problem.pairs[i].rhs[0]].size();
  std::vector<std::vector<std::size_t>> after(n), before(n);
  for (std::size_t i = 0; i < n; ++i) {
    const String& v = problem.pairs[i].rhs;
    for (const std::size_t j : startingWith[v[0]]) {
      const String& u = problem.pairs[j].lhs;
      if (comparisons > kMaxComparisons ||
          (AgreeOn(v, rightFront[i], u) && AgreeOn(u, leftFront[j], v))) {
        after[i].push_back(j);
        before[j].push_back(i);
      }
    }
  }
  // Every remaining problem is a pair problem with the same letters and rules, its pairs taken
  // from the problem once each.
  std::vector<int> owner(n, -1);
  for (std::size_t c = 0; c < remaining.size(); ++c) {
    const Problem& part = remaining[c];
    const std::string what = "component " + std::to_string(c + 1);
    if (!part.pairProblem || part.names != problem.names || part.marked != problem.marked ||
        part.rules != problem.rules || part.pairs.empty()) {
      return (why = what + " is not a part of the problem", false);
    }
    for (const Rule& pair : part.pairs) {
      std::size_t found = n;
      for (std::size_t i = 0; i < n && found == n; ++i) {
        if (owner[i] == -1 && problem.pairs[i] == pair) found = i;
      }
      if (found == n) return (why = what + " has a pair not in the problem", false);
      owner[found] = static_cast<int>(c);
    }
  }
  // Each component is strongly connected: from its first pair every other is reached, along
  // the edges and against them, without leaving it.
  for (std::size_t c = 0; c < remaining.size(); ++c) {
    std::size_t first = 0;
    while (owner[first] != static_cast<int>(c))
      ++first;
    for (const auto* edges : {&after, &before}) {
      std::vector<bool> seen(n, false);
      std::vector<std::size_t> todo{first};
      seen[first] = true;
      while (!todo.empty()) {
        const std::size_t i = todo.back();
        todo.pop_back();
        for (const std::size_t j : (*edges)[i]) {
          if (!seen[j] && owner[j] == owner[i]) {
            seen[j] = true;
            todo.push_back(j);
          }
        }
      }
      for (std::size_t i = 0; i < n; ++i) {
        if (owner[i] == static_cast<int>(c) && !seen[i]) {
          return (why = "component " + std::to_string(c + 1) + " is not strongly connected", false);
        }
      }
    }
  }
  // No cycle leaves a component or passes a dropped pair: with every component taken as one
  // node and its inner edges left out, the graph can be emptied by removing nodes without
  // incoming edges.
  const std::size_t nodes = remaining.size() + n;
  auto node = [&](std::size_t i) {
    return owner[i] >= 0 ? static_cast<std::size_t>(owner[i]) : remaining.size() + i;
  };
  std::vector<std::size_t> incoming(nodes, 0);
  std::vector<std::vector<std::size_t>> out(nodes);
  for (std::size_t i = 0; i < n; ++i) {
    for (const std::size_t j : after[i]) {
      if (owner[i] >= 0 && owner[i] == owner[j]) continue;
      if (i == j) {
        return (why = "pair " + std::to_string(i + 1) + " is on a cycle but in no component",
                false);
      }
      out[node(i)].push_back(node(j));
      ++incoming[node(j)];
    }
  }
  std::vector<std::size_t> ready;
  for (std::size_t v = 0; v < nodes; ++v) {
    if (incoming[v] == 0) ready.push_back(v);
  }
  std::size_t removed = 0;
  while (!ready.empty()) {
    const std::size_t v = ready.back();
    ready.pop_back();
    ++removed;
    for (const std::size_t w : out[v]) {
      if (--incoming[w] == 0) ready.push_back(w);
    }
  }
  if (removed != nodes) return (why = "a cycle passes more than one component", false);
  return true;
}

} // namespace selko::engine
