#include "engine/pairs/pair_narrowing.hpp"

#include <algorithm>

namespace selko::engine {

bool MayFollowAsItStands(const Problem& problem, const String& rhs) {
  for (const Rule& next : problem.pairs) {
    const std::size_t common = std::min(rhs.size(), next.lhs.size());
    if (std::equal(rhs.begin(), rhs.begin() + static_cast<std::ptrdiff_t>(common),
                   next.lhs.begin()))
      return true;
  }
  return false;
}

std::vector<Rule> Narrowings(const Problem& problem, const Rule& pair) {
  std::vector<Rule> found;
  const String& t = pair.rhs;
  for (std::size_t k = 1; k < t.size(); ++k) {
    for (const Rule& rule : problem.rules) {
      const String& l = rule.lhs;
      if (l.empty()) continue;
      const std::size_t inside = std::min(l.size(), t.size() - k);
      if (!std::equal(l.begin(), l.begin() + static_cast<std::ptrdiff_t>(inside),
                      t.begin() + static_cast<std::ptrdiff_t>(k)))
        continue;
      Rule narrowed;
      narrowed.lhs = pair.lhs;
      narrowed.rhs.assign(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(k));
      narrowed.rhs.insert(narrowed.rhs.end(), rule.rhs.begin(), rule.rhs.end());
      if (inside == l.size()) {
        narrowed.rhs.insert(narrowed.rhs.end(),
                            t.begin() + static_cast<std::ptrdiff_t>(k + l.size()), t.end());
      } else {
        narrowed.lhs.insert(narrowed.lhs.end(), l.begin() + static_cast<std::ptrdiff_t>(inside),
                            l.end());
      }
      if (std::find(found.begin(), found.end(), narrowed) == found.end())
        found.push_back(std::move(narrowed));
    }
  }
  return found;
}

std::optional<Step> NarrowingStep(const Problem& problem, const NarrowingLimits& limits) {
  if (!problem.pairProblem) return std::nullopt;
  Problem narrowed = problem;
  narrowed.pairs.clear();
  std::vector<std::size_t> replaced;
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < problem.pairs.size(); ++i) {
    const Rule& pair = problem.pairs[i];
    const bool follows = MayFollowAsItStands(problem, pair.rhs);
    std::vector<Rule> into;
    if (!follows) into = Narrowings(problem, pair);
    if (follows || into.size() > limits.maxPerPair) {
      narrowed.pairs.push_back(pair);
      continue;
    }
    replaced.push_back(i);
    std::string line = "  " + problem.RuleText(pair) + (into.empty() ? ": gone" : ": ");
    for (std::size_t k = 0; k < into.size(); ++k) {
      line += (k > 0 ? ", " : "") + problem.RuleText(into[k]);
      narrowed.pairs.push_back(std::move(into[k]));
    }
    lines.push_back(std::move(line));
  }
  // A narrowing may equal a pair kept or another pair's narrowing: each pair once, where it first
  // stands.
  std::vector<Rule> once;
  for (Rule& pair : narrowed.pairs) {
    if (std::find(once.begin(), once.end(), pair) == once.end()) once.push_back(std::move(pair));
  }
  narrowed.pairs = std::move(once);
  if (replaced.empty() || narrowed.pairs.size() > limits.maxPairs) return std::nullopt;
  Step step;
  step.technique = "narrowing";
  step.summary = "narrowing: " + std::to_string(replaced.size()) +
                 (replaced.size() == 1 ? " pair" : " pairs") + " replaced, " +
                 std::to_string(narrowed.pairs.size()) +
                 (narrowed.pairs.size() == 1 ? " pair left" : " pairs left");
  step.details.push_back("No pair can follow these pairs before a rule rewrites their right "
                         "side; each is replaced by what its first rewrite makes of it:");
  step.details.insert(step.details.end(), lines.begin(), lines.end());
  step.certificate = PairNarrowing{std::move(replaced)};
  step.remaining.push_back(std::move(narrowed));
  return step;
}

} // namespace selko::engine
