// The extended engine's entry point: a capacity-free problem in, a checked proof text out.
// The front ends call it after the fixed-capacity prover has ended without proof (or when the
// problem is beyond that prover's capacities).
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "engine/certificate.hpp"
#include "engine/problem.hpp"

namespace selko::engine {

enum class Verdict { Yes, No, Maybe, Error };

struct EngineOptions {
  double timeoutSeconds = 0;               // 0: no deadline
  int workers = 1;                         // threads for one problem (at least 1)
  const std::atomic<bool>* stop = nullptr; // set from outside to end the run at a safe point
  // False: the strategy never takes the pair problem (to measure what the pairs add).
  bool dependencyPairs = true;
  // True: the proof lists every automaton in full, however large.
  bool fullListings = false;
};

struct EngineResult {
  Verdict verdict = Verdict::Maybe;
  std::vector<std::string> proof;      // the proof text, a line each (empty for Maybe)
  std::string technique;               // the technique of the last step shown ("" for none)
  std::optional<Loop> loop;            // for No: the loop, in the letters of the problem given
  std::vector<std::string> derivation; // for No: the checked derivation, a line a step
  std::string error;                   // for Error: what failed (an internal check, never input)
};

// Proves or disproves termination of `problem` (plain or relative) within the options.
// Every step is checked before it is used; a failed check gives Verdict::Error.
EngineResult Prove(const Problem& problem, const EngineOptions& options);

// The header line of an engine proof text.
extern const char* const kEngineHeader;

} // namespace selko::engine
