#include "engine/loops/loop_search.hpp"

#include <iterator>
#include <memory>
#include <vector>

#include "engine/loops/closure_search.hpp"
#include "engine/loops/reversed_loop.hpp"

namespace selko::engine {

namespace {

using loops::ClosureOrder;
using loops::ClosureSearch;
using loops::Overlaps;

// The portfolio, taking turns: forward closures of the problem and of its reversal (backward
// closures) and overlap closures with short starts first, which find the most loops and get
// two turns a round; then forward and backward closures with both ends bounded more alike,
// and forward closures with both bounded alike.
// Measured on the corpus's non-terminating problems: no one order finds all that the
// portfolio finds.
struct Member {
  ClosureOrder order;
  bool reversed = false;
  std::size_t turns = 1; // slices a round
};
const Member kPortfolio[] = {
    {{Overlaps::Right, 32, 4}, false, 2}, {{Overlaps::Right, 32, 4}, true, 2},
    {{Overlaps::Both, 32, 4}, false, 2},  {{Overlaps::Right, 4, 2}, false, 1},
    {{Overlaps::Right, 4, 2}, true, 1},   {{Overlaps::Right, 1, 4}, false, 1},
};

constexpr std::size_t kSlice = 256; // closures one search unfolds before the next one's turn

// One search of the portfolio: its closures, and whether it runs on the reversed problem.
struct Entrant {
  std::unique_ptr<ClosureSearch> search;
  bool reversed = false;
  std::size_t turns = 1;
};

LoopLimits Share(const LoopLimits& limits, std::size_t parts) {
  LoopLimits share = limits;
  share.maxWaiting = limits.maxWaiting / parts;
  share.maxLetters = limits.maxLetters / parts;
  share.maxSeen = limits.maxSeen / parts;
  share.maxTrail = limits.maxTrail / parts;
  return share;
}

} // namespace

std::optional<Loop> FindLoop(const Problem& problem, const Deadline& deadline,
                             const LoopLimits& limits) {
  if (problem.pairProblem || !problem.HasStrictRule()) return std::nullopt;
  const Problem reversed = problem.Reversed();
  const LoopLimits share = Share(limits, std::size(kPortfolio));
  std::vector<Entrant> entrants;
  for (const Member& m : kPortfolio) {
    entrants.push_back(
        {std::make_unique<ClosureSearch>(m.reversed ? reversed : problem, m.order, share),
         m.reversed, m.turns});
  }
  while (!deadline.Passed()) {
    bool active = false;
    for (Entrant& e : entrants) {
      if (e.search->Finished()) continue;
      active = true;
      if (auto loop = e.search->Advance(deadline, e.turns * kSlice))
        return e.reversed ? loops::ReversedLoop(problem, *loop) : *loop;
    }
    if (!active) break;
  }
  return std::nullopt;
}

} // namespace selko::engine
