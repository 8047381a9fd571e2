// The automaton the match-bound completion grows: states are numbers, transitions a flat list
// in order of creation, found by their source or target state, letter and height through four
// linked lists whose heads sit in hash indexes.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/bounds/flat_index.hpp"
#include "engine/certificate.hpp"

namespace selko::engine::bounds {

class HeightedAutomaton {
public:
  // Letters are 0..letterCount-1; heights 0..heightCount-1. The caller keeps
  // states * letterCount * heightCount below 2^63, so that every index key is distinct.
  HeightedAutomaton(std::uint64_t letterCount, std::uint64_t heightCount);

  std::uint32_t AddState() { return stateCount_++; }
  // Appends a transition (the caller never adds one twice) and returns its number.
  std::uint32_t AddTransition(std::uint32_t from, Letter letter, std::uint32_t height,
                              std::uint32_t to);

  std::uint32_t StateCount() const { return stateCount_; }
  std::uint32_t TransitionCount() const { return static_cast<std::uint32_t>(all_.size()); }
  const BoundTransition& At(std::uint32_t t) const { return all_[t]; }
  const std::vector<BoundTransition>& Transitions() const { return all_; }

  // Calls f(transition) for every transition leaving `from` reading `letter` (any height, or
  // exactly `height`), and for every one entering `to`.
  template <class F> void ForEachOut(std::uint32_t from, Letter letter, F&& f) const {
    Walk(out_.Find(Key(from, letter)), nextOut_, f);
  }
  template <class F>
  void ForEachOutAt(std::uint32_t from, Letter letter, std::uint32_t height, F&& f) const {
    Walk(outAt_.Find(Key(from, letter, height)), nextOutAt_, f);
  }
  template <class F> void ForEachIn(std::uint32_t to, Letter letter, F&& f) const {
    Walk(in_.Find(Key(to, letter)), nextIn_, f);
  }
  template <class F>
  void ForEachInAt(std::uint32_t to, Letter letter, std::uint32_t height, F&& f) const {
    Walk(inAt_.Find(Key(to, letter, height)), nextInAt_, f);
  }

private:
  std::uint64_t Key(std::uint32_t state, Letter letter) const {
    return std::uint64_t{state} * letterCount_ + letter;
  }
  std::uint64_t Key(std::uint32_t state, Letter letter, std::uint32_t height) const {
    return Key(state, letter) * heightCount_ + height;
  }
  template <class F>
  void Walk(std::uint32_t t, const std::vector<std::uint32_t>& next, F& f) const {
    for (; t != FlatIndex::kNone; t = next[t])
      f(all_[t]);
  }

  std::uint64_t letterCount_;
  std::uint64_t heightCount_;
  std::uint32_t stateCount_ = 0;
  std::vector<BoundTransition> all_;
  FlatIndex out_, outAt_, in_, inAt_;
  std::vector<std::uint32_t> nextOut_, nextOutAt_, nextIn_, nextInAt_;
};

} // namespace selko::engine::bounds
