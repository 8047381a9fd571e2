// Match bounds without fixed limits: the RFC construction on the engine's problem. The
// completion starts from an automaton that reads every right side (heights 0) followed by end
// markers, and adds paths until wherever a left side (or a proper prefix of one followed by an
// end marker) is read between two states, its right side is read between them one height
// above the smallest height on the way. When it ends within the limits, the problem terminates.
#pragma once

#include <cstdint>
#include <memory>
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

// Measured on the corpus's standard problems known to terminate, 5 s an attempt: the largest
// automaton found had 54889 transitions, 40617 states and bound 11; an automaton takes about
// 300 bytes a transition, so the limits keep one attempt near 150 MB.
struct BoundLimits {
  std::uint32_t maxStates = 250000;
  std::uint32_t maxTransitions = 500000;
  std::uint32_t maxBound = 64;                  // largest height
  std::uint32_t maxRules = 100000;              // after erasing rules are expanded
  StateReuse reuse = StateReuse::LongestSuffix; // proves more of the corpus
};

// A completion that can go on with larger limits: a run that meets its limits or the deadline
// keeps what it built, and the next run goes on from there.
class MatchBoundSearch {
public:
  MatchBoundSearch(const Problem& problem, const BoundLimits& limits = {});
  ~MatchBoundSearch();
  MatchBoundSearch(const MatchBoundSearch&) = delete;
  MatchBoundSearch& operator=(const MatchBoundSearch&) = delete;

  // The automaton once the completion ends within the limits (each at most the search's own);
  // nothing while it goes on, and nothing ever again once it has ended.
  std::optional<MatchBound> Run(std::uint32_t maxTransitions, std::uint32_t maxStates,
                                const Deadline& deadline);
  // Whether no run can find anything: the problem does not fit the method, a height passed the
  // bound, or an automaton was found already.
  bool Exhausted() const { return state_ == nullptr; }

private:
  struct State;
  BoundLimits limits_;
  std::unique_ptr<State> state_;
};

// The automaton of a match-bound proof of `problem` (plain: no weak rule, no pairs, no empty
// left side), or nothing when the construction passes a limit or the deadline.
std::optional<MatchBound> FindMatchBound(const Problem& problem, const Deadline& deadline,
                                         const BoundLimits& limits = {});

} // namespace selko::engine
