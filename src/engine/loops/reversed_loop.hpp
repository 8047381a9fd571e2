// A loop of the reversed problem read backwards: u ->+ x u y by rules l' -> r' (the sides
// reversed) gives rev(u) ->+ rev(y) rev(u) rev(x) by l -> r, each step at the mirrored
// position.
#pragma once

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine::loops {

// `loop` is a loop of problem.Reversed(); the result is the same loop for `problem`. Steps
// whose rule or position is out of range are mapped as if they applied (the checker refuses
// the result).
Loop ReversedLoop(const Problem& problem, const Loop& loop);

} // namespace selko::engine::loops
