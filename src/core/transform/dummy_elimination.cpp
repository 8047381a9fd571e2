// Dummy elimination (not yet built).
#include "core/prover.hpp"

namespace selko {

void Prover::DummyElimination() {}

} // namespace selko
