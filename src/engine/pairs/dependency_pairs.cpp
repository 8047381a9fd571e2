#include "engine/pairs/dependency_pairs.hpp"

#include <algorithm>

#include "engine/pairs/pair_graph.hpp"

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

// Strongly connected components of a graph given by each node's successors (Tarjan's algorithm
// without recursion). Returns each node's component number.
std::vector<int> Components(const std::vector<std::vector<std::size_t>>& next) {
  const std::size_t n = next.size();
  std::vector<int> index(n, -1), low(n, 0), component(n, -1);
  std::vector<std::size_t> stack;
  std::vector<bool> onStack(n, false);
  int counter = 0;
  int components = 0;
  struct Frame {
    std::size_t v;
    std::size_t edge;
  };
  std::vector<Frame> frames;
  for (std::size_t root = 0; root < n; ++root) {
    if (index[root] != -1) continue;
    frames.push_back({root, 0});
    index[root] = low[root] = counter++;
    stack.push_back(root);
    onStack[root] = true;
    while (!frames.empty()) {
      Frame& f = frames.back();
      if (f.edge < next[f.v].size()) {
        const std::size_t w = next[f.v][f.edge++];
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
      const std::size_t v = f.v;
      frames.pop_back();
      if (!frames.empty()) low[frames.back().v] = std::min(low[frames.back().v], low[v]);
      if (low[v] == index[v]) {
        std::size_t w;
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
  const std::vector<std::vector<std::size_t>> next = PairGraph(problem);
  const std::vector<int> component = Components(next);
  // A pair lies on a cycle when its component has another pair or it can follow itself.
  std::vector<std::size_t> size(problem.pairs.size() + 1, 0);
  for (const int c : component)
    ++size[static_cast<std::size_t>(c)];
  std::vector<std::vector<std::size_t>> groups;
  std::vector<int> groupOf(problem.pairs.size() + 1, -1);
  std::size_t dropped = 0;
  for (std::size_t i = 0; i < problem.pairs.size(); ++i) {
    const auto c = static_cast<std::size_t>(component[i]);
    if (size[c] == 1 && !std::binary_search(next[i].begin(), next[i].end(), i)) {
      ++dropped;
      continue;
    }
    if (groupOf[c] == -1) {
      groupOf[c] = static_cast<int>(groups.size());
      groups.emplace_back();
    }
    groups[static_cast<std::size_t>(groupOf[c])].push_back(i);
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
  step.details.push_back("A pair q can follow a pair p when the front of p's right side that no "
                         "rule can rewrite agrees with q's left side, and the front of q's left "
                         "side that no rule can have made agrees with p's right side.");
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
