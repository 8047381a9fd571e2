// Left contexts for two-symbol systems (not yet built).
#include "core/prover.hpp"

namespace selko {

bool Prover::AddLeftContexts() { return false; }

} // namespace selko
