#include "engine/pairs/dependency_pairs.hpp"

#include <algorithm>

namespace selko::engine {

std::optional<Step> DependencyPairStep(const Problem& problem) {
  if (problem.pairProblem || problem.IsRelative() || problem.rules.empty()) return std::nullopt;
  const std::size_t n = problem.LetterCount();
  std::vector<bool> defined(n, false);
  for (const Rule& r : problem.rules) {
    if (r.lhs.empty()) return std::nullopt;
    defined[r.lhs[0]] = true;
  }
  Problem pairs;
  pairs.pairProblem = true;
  pairs.names = problem.names;
  pairs.rules = problem.rules;
  std::vector<Letter> mark(n, 0);
  for (std::size_t a = 0; a < n; ++a) {
    if (defined[a]) mark[a] = AddFreshName(pairs.names, problem.names[a] + "#");
  }
  pairs.marked.assign(pairs.names.size(), 0);
  for (std::size_t a = n; a < pairs.names.size(); ++a)
    pairs.marked[a] = 1;
  for (const Rule& r : problem.rules) {
    for (std::size_t i = 0; i < r.rhs.size(); ++i) {
      if (!defined[r.rhs[i]]) continue;
      Rule pair;
      pair.lhs = r.lhs;
      pair.lhs[0] = mark[r.lhs[0]];
      pair.rhs.assign(r.rhs.begin() + static_cast<std::ptrdiff_t>(i), r.rhs.end());
      pair.rhs[0] = mark[r.rhs[i]];
      pairs.pairs.push_back(std::move(pair));
    }
  }
  Step step;
  step.technique = "dependency pairs";
  step.summary = "dependency pairs: " + std::to_string(pairs.pairs.size()) + " pairs";
  step.details.push_back("The dependency pairs:");
  for (const Rule& p : pairs.pairs)
    step.details.push_back("  " + pairs.RuleText(p));
  step.certificate = DependencyPairs{};
  step.remaining.push_back(std::move(pairs));
  return step;
}

namespace {

// Strongly connected components of the graph on letters in which each pair is an edge from
// its left front letter to its right front letter (Tarjan's algorithm without recursion).
// Returns each letter's component number.
std::vector<int> LetterComponents(const Problem& problem) {
  const std::size_t n = problem.LetterCount();
  std::vector<std::vector<Letter>> next(n);
  for (const Rule& p : problem.pairs)
    next[p.lhs[0]].push_back(p.rhs[0]);
  std::vector<int> index(n, -1), low(n, 0), component(n, -1);
  std::vector<Letter> stack;
  std::vector<bool> onStack(n, false);
  int counter = 0;
  int components = 0;
  struct Frame {
    Letter v;
    std::size_t edge;
  };
  std::vector<Frame> frames;
  for (std::size_t root = 0; root < n; ++root) {
    if (index[root] != -1) continue;
    frames.push_back({static_cast<Letter>(root), 0});
    index[root] = low[root] = counter++;
    stack.push_back(static_cast<Letter>(root));
    onStack[root] = true;
    while (!frames.empty()) {
      Frame& f = frames.back();
      if (f.edge < next[f.v].size()) {
        const Letter w = next[f.v][f.edge++];
        if (index[w] == -1) {
          index[w] = low[w] = counter++;
          stack.push_back(w);
          onStack[w] = true;
          frames.push_back({w, 0});
        } else if (onStack[w]) {
          low[f.v] = std::min(low[f.v], index[w]);
        }
        continue;
      }
      const Letter v = f.v;
      frames.pop_back();
      if (!frames.empty()) low[frames.back().v] = std::min(low[frames.back().v], low[v]);
      if (low[v] == index[v]) {
        Letter w;
        do {
          w = stack.back();
          stack.pop_back();
          onStack[w] = false;
          component[w] = components;
        } while (w != v);
        ++components;
      }
    }
  }
  return component;
}

} // namespace

std::optional<Step> GraphSplitStep(const Problem& problem) {
  if (!problem.pairProblem) return std::nullopt;
  for (const Rule& p : problem.pairs) {
    if (p.lhs.empty() || p.rhs.empty()) return std::nullopt;
  }
  const std::vector<int> component = LetterComponents(problem);
  // A pair lies on a cycle exactly when both its front letters are in one component.
  std::vector<std::vector<std::size_t>> groups;
  std::vector<int> groupOf(problem.LetterCount() + 1, -1);
  std::size_t dropped = 0;
  for (std::size_t i = 0; i < problem.pairs.size(); ++i) {
    const Rule& p = problem.pairs[i];
    const int c = component[p.lhs[0]];
    if (c != component[p.rhs[0]]) {
      ++dropped;
      continue;
    }
    if (groupOf[static_cast<std::size_t>(c)] == -1) {
      groupOf[static_cast<std::size_t>(c)] = static_cast<int>(groups.size());
      groups.emplace_back();
    }
    groups[static_cast<std::size_t>(groupOf[static_cast<std::size_t>(c)])].push_back(i);
  }
  if (dropped == 0 && groups.size() == 1) return std::nullopt;
  std::stable_sort(groups.begin(), groups.end(),
                   [](const auto& a, const auto& b) { return a.size() < b.size(); });
  Step step;
  step.technique = "dependency graph";
  step.summary = "dependency graph: " + std::to_string(groups.size()) + " component" +
                 (groups.size() == 1 ? "" : "s") + ", " + std::to_string(dropped) + " pair" +
                 (dropped == 1 ? "" : "s") + " on no cycle";
  step.certificate = GraphSplit{};
  for (std::size_t g = 0; g < groups.size(); ++g) {
    Problem part;
    part.pairProblem = true;
    part.names = problem.names;
    part.marked = problem.marked;
    part.rules = problem.rules;
    for (const std::size_t i : groups[g])
      part.pairs.push_back(problem.pairs[i]);
    step.details.push_back("Component " + std::to_string(g + 1) + ":");
    for (const Rule& p : part.pairs)
      step.details.push_back("  " + part.RuleText(p));
    step.remaining.push_back(std::move(part));
  }
  return step;
}

} // namespace selko::engine
