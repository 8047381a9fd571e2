// Common ends: rules shortened by the letters both their sides begin or end with (see
// CommonEnds in certificate.hpp). A rule of one long side that overlaps itself where its sides
// agree is often shortened to one with no such overlap, which a small match bound proves.
#pragma once

#include <optional>

#include "engine/step.hpp"

namespace selko::engine {

// Which ends are cut: the common front and back, or only one of them.
enum class Ends { Both, Front, Back };

// The step that cuts the common ends of every rule of a plain or relative problem (a left side
// keeps at least one letter), or nothing when no rule changes.
std::optional<Step> CommonEndsStep(const Problem& problem, Ends ends);

} // namespace selko::engine
