#include "engine/loops/loop_search.hpp"

#include <algorithm>
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

LoopLimits Share(const LoopLimits& limits, std::size_t parts) {
  LoopLimits share = limits;
  share.maxWaiting = limits.maxWaiting / parts;
  share.maxLetters = limits.maxLetters / parts;
  share.maxSeen = limits.maxSeen / parts;
  share.maxTrail = limits.maxTrail / parts;
  return share;
}

} // namespace

// One search of the portfolio: its closures, and whether it runs on the reversed problem.
struct LoopSearch::Entrant {
  std::unique_ptr<ClosureSearch> search;
  bool reversed = false;
  std::size_t turns = 1;
};

LoopSearch::LoopSearch(const Problem& problem, const LoopLimits& limits) : problem_(problem) {
  if (problem.pairProblem || !problem.HasStrictRule()) return;
  const Problem reversed = problem.Reversed();
  const LoopLimits share = Share(limits, std::size(kPortfolio));
  for (const Member& m : kPortfolio) {
    entrants_.push_back(
        {std::make_unique<ClosureSearch>(m.reversed ? reversed : problem, m.order, share),
         m.reversed, m.turns});
  }
}

LoopSearch::~LoopSearch() = default;

bool LoopSearch::Finished() const {
  for (const Entrant& e : entrants_) {
    if (!e.search->Finished()) return false;
  }
  return true;
}

std::optional<Loop> LoopSearch::Run(const Deadline& deadline, std::size_t closures) {
  while (closures > 0 && !deadline.Passed() && !Finished()) {
    Entrant& e = entrants_[turn_];
    if (left_ == 0) left_ = e.turns * kSlice;
    const std::size_t before = e.search->Stats().expanded;
    std::optional<Loop> loop = e.search->Advance(deadline, std::min(left_, closures));
    const std::size_t unfolded = e.search->Stats().expanded - before;
    left_ -= std::min(left_, unfolded);
    closures -= std::min(closures, std::max<std::size_t>(unfolded, 1));
    if (left_ == 0 || e.search->Finished()) {
      left_ = 0;
      turn_ = (turn_ + 1) % entrants_.size();
    }
    if (loop) return e.reversed ? loops::ReversedLoop(problem_, *loop) : *loop;
  }
  return std::nullopt;
}

std::optional<Loop> FindLoop(const Problem& problem, const Deadline& deadline,
                             const LoopLimits& limits) {
  LoopSearch search(problem, limits);
  return search.Run(deadline);
}

} // namespace selko::engine
