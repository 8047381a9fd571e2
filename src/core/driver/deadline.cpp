// The run's deadline, checked by the techniques at their safe points.
#include "core/prover.hpp"

namespace selko {

bool Prover::TimeUp() {
  if (Interrupted) return true;
  if (!HasDeadline) return false;
  if (std::chrono::steady_clock::now() >= Deadline) Interrupted = true;
  return Interrupted;
}

} // namespace selko
