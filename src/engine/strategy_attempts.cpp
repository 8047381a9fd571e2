// The order of techniques: cheap before expensive, and every budget growing with the level.
#include "engine/pairs/dependency_pairs.hpp"
#include "engine/strategy.hpp"

namespace selko::engine {

namespace {

// The pair problem of a (possibly reversed) plain problem, split along its graph.
Attempt PairsAttempt(bool reversed) {
  Attempt a;
  a.name = reversed ? "pairs of the reversal" : "pairs";
  a.mayBacktrack = true;
  a.run = [reversed](const Problem& p, const Deadline&) -> std::optional<Outcome> {
    std::vector<Step> chain;
    Problem start = p;
    if (reversed) {
      Step r;
      r.technique = "reversal";
      r.summary = "reversal: every side read backwards";
      r.certificate = Reversal{};
      r.remaining.push_back(p.Reversed());
      start = r.remaining[0];
      chain.push_back(std::move(r));
    }
    std::optional<Step> pairs = DependencyPairStep(start);
    if (!pairs) return std::nullopt;
    const Problem pairProblem = pairs->remaining[0];
    chain.push_back(std::move(*pairs));
    if (std::optional<Step> split = GraphSplitStep(pairProblem)) chain.push_back(std::move(*split));
    return chain;
  };
  return a;
}

} // namespace

std::vector<Attempt> AttemptsFor(const Problem& problem, int level) {
  std::vector<Attempt> attempts;
  if (problem.pairProblem) {
    if (level == 0) {
      Attempt split;
      split.name = "graph";
      split.run = [](const Problem& p, const Deadline&) -> std::optional<Outcome> {
        std::optional<Step> s = GraphSplitStep(p);
        if (!s) return std::nullopt;
        return std::vector<Step>{std::move(*s)};
      };
      attempts.push_back(std::move(split));
    }
    return attempts;
  }
  if (!problem.IsRelative() && level >= 1 && level <= 1) {
    attempts.push_back(PairsAttempt(false));
    attempts.push_back(PairsAttempt(true));
  }
  return attempts;
}

} // namespace selko::engine
