// The run's deadline and its stop flag, checked by the techniques at their safe points.
#include "core/prover.hpp"

namespace selko {

bool Prover::TimeUp() {
  if (Interrupted) return true;
  if (Options.stop != nullptr && Options.stop->load(std::memory_order_relaxed)) {
    Interrupted = true;
  } else if (HasDeadline && std::chrono::steady_clock::now() >= Deadline) {
    Interrupted = true;
  }
  return Interrupted;
}

} // namespace selko
