// Match-bound preprocessing (not yet built).
#include "core/prover.hpp"

namespace selko {

void Prover::ExpandEmptyRhs() { RestoreWorkA(); }
bool Prover::StripCommonSymbol() { return false; }

} // namespace selko
