#include "engine/bounds/heighted_automaton.hpp"

namespace selko::engine::bounds {

HeightedAutomaton::HeightedAutomaton(std::uint64_t letterCount, std::uint64_t heightCount)
    : letterCount_(letterCount), heightCount_(heightCount) {}

std::uint32_t HeightedAutomaton::AddTransition(std::uint32_t from, Letter letter,
                                               std::uint32_t height, std::uint32_t to) {
  const auto t = static_cast<std::uint32_t>(all_.size());
  all_.push_back({from, letter, height, to});
  nextOut_.push_back(out_.Exchange(Key(from, letter), t));
  nextOutAt_.push_back(outAt_.Exchange(Key(from, letter, height), t));
  nextIn_.push_back(in_.Exchange(Key(to, letter), t));
  nextInAt_.push_back(inAt_.Exchange(Key(to, letter, height), t));
  return t;
}

} // namespace selko::engine::bounds
