// Recursive path order with precedence (not yet built).
#include "core/prover.hpp"

namespace selko {

bool Prover::OrientRules() { return false; }
void Prover::ProveByRpo() {}
void Prover::ProveByRpoBothWays() {}
void Prover::ProveByRpoWithErasure() {}
void Prover::LogRpoVerdict() {}

} // namespace selko
