// Match bounds without fixed limits: the RFC construction on the engine's problem. The
// completion starts from an automaton that reads every right side (heights 0) followed by end
// markers, and adds paths until wherever a left side (or a proper prefix of one followed by an
// end marker) is read between two states, its right side is read between them one height
// above the smallest height on the way. When it ends within the limits, the problem terminates.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/certificate.hpp"
#include "engine/deadline.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

// How a missing right side gets its path into the state where the left side ended.
enum class StateReuse {
  WholeTail,    // one new transition into a state that already reads the rest of the right
                // side at that height, else a path through fresh states
  LongestSuffix // fresh states up to a state that reads the longest possible suffix
};

struct BoundLimits {
  std::uint32_t maxStates = 400000;
  std::uint32_t maxTransitions = 800000;
  std::uint32_t maxBound = 64;     // largest height
  std::uint32_t maxRules = 100000; // after erasing rules are expanded
  StateReuse reuse = StateReuse::WholeTail;
};

// The automaton of a match-bound proof of `problem` (plain: no weak rule, no pairs, no empty
// left side), or nothing when the construction passes a limit or the deadline.
std::optional<MatchBound> FindMatchBound(const Problem& problem, const Deadline& deadline,
                                         const BoundLimits& limits = {});

} // namespace selko::engine
