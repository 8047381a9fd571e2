#include "engine/loops/reversed_loop.hpp"

#include <algorithm>

namespace selko::engine::loops {

Loop ReversedLoop(const Problem& problem, const Loop& loop) {
  Loop mirrored;
  mirrored.start.assign(loop.start.rbegin(), loop.start.rend());
  // The length of the string before each step; a step of a rule l -> r at position p of a
  // string of length n mirrors to position n - p - |l|.
  std::size_t length = loop.start.size();
  for (const RewriteStep& step : loop.steps) {
    std::size_t left = 0;
    std::size_t right = 0;
    if (step.rule < problem.rules.size()) {
      left = problem.rules[step.rule].lhs.size();
      right = problem.rules[step.rule].rhs.size();
    }
    const std::size_t end = step.position + left;
    mirrored.steps.push_back({step.rule, end <= length ? length - end : 0});
    length = length + right >= left ? length + right - left : 0;
  }
  return mirrored;
}

} // namespace selko::engine::loops
