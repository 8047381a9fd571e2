// Until the loop search lands: no loop is ever accepted.
#include "engine/solver.hpp"

namespace selko::engine {

bool Solver::AcceptLoop(const Problem&, const Loop&, bool) {
  Fail("no loop check");
  return false;
}

EngineResult Solver::LoopResult() const { return EngineResult{}; }

} // namespace selko::engine
