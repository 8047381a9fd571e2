// Rule removal by counting and tenfold interpretations (not yet built).
#include "core/prover.hpp"

namespace selko {

bool Prover::RemoveByInterpretation() { return false; }
bool Prover::CheckCounting() { return false; }
bool Prover::CheckTenfold() { return false; }

} // namespace selko
