// Labelling driver (not yet built): for now only the silent removal loop.
#include "core/prover.hpp"

namespace selko {

void Prover::LabellingDriver() {}

} // namespace selko
