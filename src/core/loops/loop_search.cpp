// Loop search (not yet built).
#include "core/prover.hpp"

namespace selko {

void Prover::LoopSearch() {}

} // namespace selko
