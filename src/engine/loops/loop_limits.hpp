// How far a loop search may go in memory: the closures it keeps waiting, their letters, the
// closures it remembers having seen, the derivation steps it keeps to rebuild a loop, and the
// longest string it looks at. Time is the deadline's business.
#pragma once

#include <cstddef>

namespace selko::engine {

struct LoopLimits {
  std::size_t maxWaiting = std::size_t{1} << 21; // closures kept for expansion
  std::size_t maxLetters = std::size_t{1} << 26; // letters of the closures kept
  std::size_t maxSeen = std::size_t{1} << 22;    // fingerprints of closures already met
  std::size_t maxTrail = std::size_t{1} << 22;   // derivation steps kept for rebuilding
  std::size_t maxLength = 4000;                  // longest start or end string
};

} // namespace selko::engine
