// Weighted interpretations by elimination (not yet built).
#include "core/prover.hpp"

namespace selko {

bool Prover::SearchWeights() { return false; }
bool Prover::CheckWeighted() { return false; }

} // namespace selko
