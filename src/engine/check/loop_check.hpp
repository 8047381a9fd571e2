// The independent check of a loop: rewrites the start string step by step, each step only
// where the rule's left side really stands, and asks that the last string contain the start
// and, for a relative problem, that some step use a strict rule. Shares no code with the
// search that found the loop.
#pragma once

#include <string>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

// True when `loop` is a loop of `problem` (plain or relative); otherwise false with the reason
// in `why`.
bool CheckLoop(const Problem& problem, const Loop& loop, std::string& why);

} // namespace selko::engine
