// The RFC match-bound automaton: labelled transitions kept in one list per source state, with
// fixed capacity, and the steps that build and complete it.
#pragma once

#include <array>
#include <cstdint>

#include "core/store/rule_table.hpp"

namespace selko {

struct MatchAutomaton {
  static constexpr int kCapacity = 1000;       // transitions and states, numbered 1..999
  static constexpr int kTransitionLimit = 800; // a step whose first transition passes it gives up
  static constexpr int kMaxPaths = 50;         // lhs paths stored per rule and state
  // Largest start automaton. A completion step starting at or below the limit adds at most
  // kMaxWordLength transitions and states; one starting above it gives up, and a step that
  // would pass the capacity gives up without adding anything.
  static constexpr int kStartLimit = kCapacity - 1;

  std::int32_t stateCount = 0;      // states 1..stateCount; 1 initial, 2 final
  std::int32_t transitionCount = 0; // transitions 1..transitionCount in order of creation
  std::array<std::int16_t, kCapacity> first{};   // first transition leaving a state; 0 none
  std::array<std::int16_t, kCapacity> lastOut{}; // last transition leaving a state (to append)
  std::array<Symbol, kCapacity> symbol{};        // symbol read by a transition
  std::array<std::int16_t, kCapacity> target{};  // state a transition enters
  std::array<std::int16_t, kCapacity> label{};   // height label of a transition
  std::array<std::int16_t, kCapacity> next{};    // next transition of the same state; 0 ends
  std::int32_t bound = 0;                        // largest label given during completion
  bool giveUp = false;                           // a limit was reached

  // Path store: the lhs paths found by the last FindLhsPaths, transitions in reading order.
  std::array<std::array<std::int16_t, kMaxWordLength>, kMaxPaths> paths{};
  std::int32_t pathCount = 0;
  std::int32_t pathLength = 0;

  // Adds a state and returns its number.
  int AddState();
  // Appends a transition to the list of state `from` and returns its number.
  int AddTransition(int from, int to, Symbol s, int height);

  // Makes `current` (a copy of `work`) the extended system: the closure symbol "#" and the
  // closure rules; then builds the automaton accepting every rhs followed by any number of #.
  void BuildStartAutomaton(RuleTable& current, const RuleTable& work);
  // Stores every path from state s reading `lhs` (labels ignored), up to kMaxPaths; one more
  // sets giveUp.
  void FindLhsPaths(int s, const Word& lhs);
  // Makes the automaton read `rhs` from s to the end of stored path `path`, one label higher.
  void MakeCompatible(int path, int s, const Word& rhs);
  // True when rhs positions j.. (from 0) can be read from state `from` along transitions
  // labelled `height`, the last one entering `into`.
  bool TraceRhs(int from, const Word& rhs, int j, int height, int into);

private:
  // Memos of the two searches, valid while their stamp equals the current epoch. They only
  // prune dead ends, so neither the paths found nor their order depend on them.
  bool CanReadLhs(int j, int q);
  bool CanReadRhs(int j, int q);

  using Memo = std::array<std::array<std::int32_t, kCapacity>, kMaxWordLength>;
  static void NextEpoch(std::int32_t& epoch, Memo& stamps); // invalidates every memo entry
  Memo lhsStamp{};
  Memo rhsStamp{};
  std::array<std::array<std::uint8_t, kCapacity>, kMaxWordLength> lhsMemo{};
  std::array<std::array<std::uint8_t, kCapacity>, kMaxWordLength> rhsMemo{};
  std::int32_t lhsEpoch = 1;
  std::int32_t rhsEpoch = 1;
  Word lhsWord{}; // lhs that lhsMemo answers for
  int lhsLength = 0;
  Word rhsWord{}; // rhs, height and end state that rhsMemo answers for
  int rhsLength = 0;
  int rhsHeight = -1;
  int rhsInto = -1;
};

// Whether MatchBoundProof can run on `work` within the fixed capacities: every side non-empty,
// every symbol named, room for the closure symbol, the closure rules and the start automaton.
bool MatchBoundFits(const RuleTable& work);

} // namespace selko
