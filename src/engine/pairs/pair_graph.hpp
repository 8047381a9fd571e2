// The dependency graph of a pair problem: which pair can follow which.
//
// Between two pair steps, rules rewrite behind the marked front letter. A rule can start at a
// position of a string only where its left side agrees with the letters there (as far as both
// go: the rest of the string is unknown). Up to the first position after the front where some
// left side could start, the right side of a pair therefore stays as it is: that prefix must
// agree with the left side of the next pair. Read backwards (right sides as patterns), the same
// holds for the prefix of the next pair's left side up to where some right side could end a
// rewrite: it must agree with the right side of the pair before.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/problem.hpp"

namespace selko::engine {

// Per pair of the problem, the pairs that may follow it (by index, ascending). Every pair has
// two non-empty sides (GraphSplitStep refuses others).
std::vector<std::vector<std::size_t>> PairGraph(const Problem& problem);

} // namespace selko::engine
