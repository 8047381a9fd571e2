// RFC match-bound automaton (not yet built).
#include "core/prover.hpp"

namespace selko {

void Prover::MatchBoundProof() {}

} // namespace selko
