// TPDB-format reader (not yet built).
#include "core/prover.hpp"

namespace selko {

void Prover::ReadTpdb() { InputError = "the TPDB reader is not built yet"; }

} // namespace selko
