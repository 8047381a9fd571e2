// Placeholder until the strategy lands: no technique yet.
#include "engine/engine.hpp"

namespace selko::engine {

const char* const kEngineHeader = "SELKO 1.4 extended engine";

EngineResult Prove(const Problem&, const EngineOptions&) { return EngineResult{}; }

} // namespace selko::engine
