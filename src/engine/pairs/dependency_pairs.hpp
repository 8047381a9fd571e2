// Dependency pairs for strings and the split of a pair problem along its dependency graph.
#pragma once

#include <optional>

#include "engine/step.hpp"

namespace selko::engine {

// The pair problem (P, R) of a plain problem R: a marked letter for each defined letter (the
// name with '#' added until it is free), and for each rule l -> r and each suffix r' of r that
// starts with a defined letter the pair l# -> r'#. Nothing for relative or pair problems, or
// when a left side is empty.
std::optional<Step> DependencyPairStep(const Problem& problem);

// The strongly connected components of the dependency graph, each its own pair problem,
// smallest first; pairs on no cycle are dropped. Nothing when the graph is one component
// holding every pair.
std::optional<Step> GraphSplitStep(const Problem& problem);

} // namespace selko::engine
