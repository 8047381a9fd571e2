// The removal loop and its verdict (not yet built).
#include "core/prover.hpp"

namespace selko {

void Prover::RemovalLoop() {}

} // namespace selko
