// Sparse tiling: the tiles (factors of a fixed width, with borders) of the strings reachable from
// the right sides of forward closures, found as the least set closed under the rules and the
// closures' extensions, and the labelled problem they give (see Tiling in certificate.hpp). The
// labelled problem keeps only the rules whose context can occur, and its letters tell apart
// what the problem's letters cannot: where a letter stands.
#pragma once

#include <cstddef>
#include <optional>

#include "engine/deadline.hpp"
#include "engine/step.hpp"

namespace selko::engine {

constexpr int kMaxTileWidth = 8;

struct TilingLimits {
  std::size_t maxTiles = 4000;
  std::size_t maxRules = 1000; // of the labelled problem (larger ones slow every step after)
};

// The tiling step of a plain problem (no weak rule, no pair, no empty left side) with tiles of
// `width` symbols (2 to kMaxTileWidth), or nothing when a limit is passed or the deadline comes.
std::optional<Step> TilingStep(const Problem& problem, int width, const Deadline& deadline,
                               const TilingLimits& limits = {});

} // namespace selko::engine
