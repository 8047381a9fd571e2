// Non-termination by loops: a string u with u ->+ x u y, found among the forward, backward
// and overlap closures of the problem and of its reversal, breadth-first within growing
// length bounds, until the deadline passes. For a relative problem the loop's derivation uses
// a strict rule. The loop returned is in the problem's letters and rule indices; it is not
// checked here (check/loop_check.hpp does that).
#pragma once

#include <optional>

#include "engine/certificate.hpp"
#include "engine/deadline.hpp"
#include "engine/loops/loop_limits.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

// Nothing for a pair problem, or when no loop turns up in time or within the limits (which
// the searches share).
std::optional<Loop> FindLoop(const Problem& problem, const Deadline& deadline,
                             const LoopLimits& limits = {});

} // namespace selko::engine
