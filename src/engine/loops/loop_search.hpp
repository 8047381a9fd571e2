// Non-termination by loops: a string u with u ->+ x u y, found among the forward, backward
// and overlap closures of the problem and of its reversal, breadth-first within growing
// length bounds, until the deadline passes. For a relative problem the loop's derivation uses
// a strict rule. The loop returned is in the problem's letters and rule indices; it is not
// checked here (check/loop_check.hpp does that).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/deadline.hpp"
#include "engine/loops/loop_limits.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

// The search kept between calls: each call goes on exactly where the last one stopped, so that
// a caller giving it growing slices of time neither repeats the earlier slices' work nor finds
// another loop than one long call would.
class LoopSearch {
public:
  // The problem is copied. Nothing to search for a pair problem or without a strict rule.
  explicit LoopSearch(const Problem& problem, const LoopLimits& limits = {});
  ~LoopSearch();
  LoopSearch(const LoopSearch&) = delete;
  LoopSearch& operator=(const LoopSearch&) = delete;

  // Searches on until a loop turns up, the deadline passes or `closures` more closures have been
  // unfolded (a budget that, unlike time, gives the same answer on any machine).
  std::optional<Loop> Run(const Deadline& deadline, std::size_t closures = SIZE_MAX);
  // Every search of the portfolio has ended within the limits.
  bool Finished() const;

private:
  struct Entrant;
  Problem problem_;
  std::vector<Entrant> entrants_;
  std::size_t turn_ = 0; // whose turn it is
  std::size_t left_ = 0; // closures left in that turn (0: a turn begins)
};

// One LoopSearch run once. Nothing for a pair problem, or when no loop turns up in time or within
// the limits (which the searches share).
std::optional<Loop> FindLoop(const Problem& problem, const Deadline& deadline,
                             const LoopLimits& limits = {});

} // namespace selko::engine
