// The strategy's solver: iterative deepening over the attempt levels, remembered attempt
// results, a round of attempts on the shared worker threads, every step checked before it
// enters the proof tree, and a loop mapped back to the problem as given.
#pragma once

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "engine/engine.hpp"
#include "engine/proof.hpp"
#include "engine/strategy.hpp"

namespace selko::engine {

class Solver {
public:
  // The attempts come from `source` (the strategy's AttemptsFor unless a test gives others).
  using AttemptSource = std::vector<Attempt> (*)(const Problem&, int level);
  Solver(const Problem& root, const EngineOptions& options, AttemptSource source = AttemptsFor);
  EngineResult Run();

private:
  enum class Result { Closed, Open, Looping, Failed };

  Result Solve(ProofNode& node, bool reversed, int maxLevel);
  // Checks the chain's steps and hangs them below the node; returns the node of the last step
  // (null after a failed check). `reversed` follows the reversals of the chain.
  ProofNode* Apply(ProofNode& node, std::vector<Step>& chain, bool& reversed);
  Result SolveParts(ProofNode& leaf, bool reversed, int maxLevel);
  std::optional<std::pair<std::size_t, Outcome>> RunRound(const Problem& problem,
                                                          const std::vector<Attempt>& attempts,
                                                          std::size_t from, int level);
  std::optional<Outcome> RunAttempt(const Problem& problem, const std::string& key,
                                    const Attempt& attempt, int level, const Deadline& deadline);
  // Maps a loop of a node's problem back to the root, checks it and keeps it.
  bool AcceptLoop(const Problem& problem, const Loop& loop, bool reversed);
  EngineResult LoopResult() const;
  void Fail(const std::string& why);
  static std::string LastTechnique(const ProofNode& node);

  // The slot of an attempt on a problem, used by one thread at a time.
  struct Kept {
    std::mutex mutex;
    AttemptSlot slot;
  };
  static constexpr std::size_t kMaxKept = 256;
  std::shared_ptr<Kept> KeptFor(const std::string& key);

  const Problem& root_;
  AttemptSource source_;
  Deadline deadline_;
  std::atomic<int> spareThreads_;
  std::mutex memoMutex_;
  std::map<std::string, std::optional<Outcome>> memo_;
  std::map<std::string, std::shared_ptr<Kept>> kept_;
  std::deque<std::string> keptOrder_; // oldest first
  std::string internalError_;
  bool trace_ = false;        // SELKO_ENGINE_TRACE set: every attempt's outcome and time on stderr
  bool fullListings_ = false; // the proof lists every automaton in full
  std::optional<Loop> loop_;  // in the root's letters and rules
};

} // namespace selko::engine
