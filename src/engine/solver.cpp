#include "engine/strategy.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/check/check_step.hpp"
#include "engine/engine.hpp"
#include "engine/late_release.hpp"
#include "engine/proof.hpp"
#include "engine/solver.hpp"

namespace selko::engine {

const char* const kEngineHeader = "SELKO 1.4 extended engine";

namespace {

// A problem written out in full: the key of remembered attempt results. Its kind is part of it:
// a step found on a problem leaves problems of that problem's kind (labelled, shortened, without
// a loop search), which another problem of the same rules must not be given.
std::string Fingerprint(const Problem& p) {
  std::string key = p.pairProblem ? "P" : "R";
  key += p.labelled ? 'l' : '-';
  key += p.stripped ? 's' : '-';
  key += p.noLoops ? 'n' : '-';
  for (const std::string& n : p.names) {
    key += n;
    key += '\x01';
  }
  for (const std::uint8_t m : p.marked)
    key += static_cast<char>('0' + m);
  auto side = [&key](const String& s) {
    for (const Letter a : s) {
      key.append(reinterpret_cast<const char*>(&a), sizeof a);
    }
    key += '\x02';
  };
  for (const auto* list : {&p.rules, &p.pairs}) {
    key += '\x03';
    for (const Rule& r : *list) {
      key += r.strict ? 's' : 'w';
      side(r.lhs);
      side(r.rhs);
    }
  }
  return key;
}

} // namespace

Solver::Solver(const Problem& root, const EngineOptions& options, AttemptSource source)
    : root_(root), source_(source), spareThreads_(std::max(1, options.workers) - 1) {
  deadline_ = Deadline::After(options.timeoutSeconds).WithStop(options.stop);
  trace_ = std::getenv("SELKO_ENGINE_TRACE") != nullptr;
  fullListings_ = options.fullListings;
}

std::optional<Outcome> Solver::RunAttempt(const Problem& problem, const std::string& key,
                                          const Attempt& attempt, int level,
                                          const Deadline& deadline) {
  const std::string memoKey = key + '\x04' + attempt.name + '\x04' + std::to_string(level);
  {
    std::lock_guard<std::mutex> lock(memoMutex_);
    auto it = memo_.find(memoKey);
    if (it != memo_.end()) return it->second;
  }
  const auto started = std::chrono::steady_clock::now();
  std::optional<Outcome> outcome;
  if (attempt.runKept) {
    std::shared_ptr<Kept> kept = KeptFor(key + '\x04' + attempt.name);
    std::lock_guard<std::mutex> use(kept->mutex);
    outcome = attempt.runKept(problem, deadline, kept->slot);
  } else {
    outcome = attempt.run(problem, deadline);
  }
  if (trace_) {
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    std::lock_guard<std::mutex> lock(memoMutex_);
    std::fprintf(stderr, "engine: level %d, %zu rules %zu pairs, %s: %s in %.1f ms\n", level,
                 problem.rules.size(), problem.pairs.size(), attempt.name.c_str(),
                 outcome ? "found" : (deadline.Passed() ? "stopped" : "nothing"), ms);
  }
  // A run cut short by the deadline proves nothing about the attempt: not remembered.
  if (!outcome && deadline.Passed()) return outcome;
  std::lock_guard<std::mutex> lock(memoMutex_);
  if (memo_.size() > 20000) memo_.clear();
  memo_.emplace(memoKey, outcome);
  return outcome;
}

std::shared_ptr<Solver::Kept> Solver::KeptFor(const std::string& key) {
  std::lock_guard<std::mutex> lock(memoMutex_);
  auto it = kept_.find(key);
  if (it != kept_.end()) return it->second;
  // Past the limit the oldest slot goes; an attempt still using it keeps its own reference.
  if (keptOrder_.size() >= kMaxKept) {
    kept_.erase(keptOrder_.front());
    keptOrder_.pop_front();
  }
  auto kept = std::make_shared<Kept>();
  kept_.emplace(key, kept);
  keptOrder_.push_back(key);
  return kept;
}

std::optional<std::pair<std::size_t, Outcome>>
Solver::RunRound(const Problem& problem, const std::vector<Attempt>& attempts, std::size_t from,
                 int level) {
  const std::size_t n = attempts.size();
  if (from >= n) return std::nullopt;
  const std::string key = Fingerprint(problem);
  std::vector<std::optional<Outcome>> results(n);
  std::unique_ptr<std::atomic<bool>[]> cancel(new std::atomic<bool>[n]);
  for (std::size_t i = 0; i < n; ++i)
    cancel[i] = false;
  std::atomic<std::size_t> next{from};
  std::atomic<std::size_t> best{n};
  std::mutex resultMutex;

  auto work = [&] {
    for (;;) {
      const std::size_t i = next.fetch_add(1);
      if (i >= n || i > best.load() || deadline_.Passed()) return;
      std::optional<Outcome> r =
          RunAttempt(problem, key, attempts[i], level, deadline_.WithStop(&cancel[i]));
      if (!r) continue;
      std::lock_guard<std::mutex> lock(resultMutex);
      results[i] = std::move(r);
      if (i < best.load()) {
        best = i;
        for (std::size_t j = i + 1; j < n; ++j)
          cancel[j] = true;
      }
    }
  };

  // Extra threads come from the shared pool of workers; the caller's thread works too.
  std::vector<std::thread> threads;
  const std::size_t wanted = n - from - 1;
  while (threads.size() < wanted) {
    int spare = spareThreads_.load();
    if (spare <= 0) break;
    if (!spareThreads_.compare_exchange_weak(spare, spare - 1)) continue;
    threads.emplace_back(work);
  }
  work();
  for (std::thread& t : threads)
    t.join();
  spareThreads_ += static_cast<int>(threads.size());

  const std::size_t winner = best.load();
  if (winner >= n) return std::nullopt;
  return std::make_pair(winner, std::move(*results[winner]));
}

Solver::Result Solver::Solve(ProofNode& start, bool reversed, int maxLevel) {
  // A chain of steps that each leave one problem is walked here, not by recursion: a proof may
  // remove thousands of rules one after the other. Only a split recurses, once per part.
  ProofNode* node = &start;
  for (;;) {
    if (node->problem.IsFinished()) return Result::Closed;
    ProofNode* next = nullptr;
    bool nextReversed = reversed;
    Result result = Result::Open;
    for (int level = 0; level <= maxLevel && next == nullptr && result == Result::Open; ++level) {
      const std::vector<Attempt> attempts = source_(node->problem, level);
      std::size_t from = 0;
      while (from < attempts.size()) {
        if (deadline_.Passed()) return Result::Open;
        auto found = RunRound(node->problem, attempts, from, level);
        if (!found) break;
        const Attempt& attempt = attempts[found->first];
        from = found->first + 1;
        if (std::holds_alternative<Loop>(found->second)) {
          return AcceptLoop(node->problem, std::get<Loop>(found->second), reversed)
                     ? Result::Looping
                     : Result::Failed;
        }
        bool leafReversed = reversed;
        ProofNode* leaf = Apply(*node, std::get<std::vector<Step>>(found->second), leafReversed);
        if (leaf == nullptr) return Result::Failed;
        if (leaf->children.size() == 1 && !attempt.mayBacktrack) {
          next = leaf->children[0].get();
          nextReversed = leafReversed;
          break;
        }
        result = SolveParts(*leaf, leafReversed, std::min(maxLevel, attempt.partsLevel));
        if (result == Result::Open && attempt.mayBacktrack) {
          node->step.reset();
          node->children.clear();
          continue;
        }
        if (result == Result::Open) return result;
        break;
      }
    }
    if (next == nullptr) return result;
    node = next;
    reversed = nextReversed;
  }
}

Solver::Result Solver::SolveParts(ProofNode& leaf, bool reversed, int maxLevel) {
  for (auto& child : leaf.children) {
    const Result r = Solve(*child, reversed, maxLevel);
    // Every part is needed: stop at the first that stays open.
    if (r != Result::Closed) return r;
  }
  return Result::Closed;
}

ProofNode* Solver::Apply(ProofNode& node, std::vector<Step>& chain, bool& reversed) {
  ProofNode* at = &node;
  for (std::size_t k = 0; k < chain.size(); ++k) {
    Step& step = chain[k];
    std::string why;
    if (!CheckStep(at->problem, step, why)) {
      Fail("the check of a " + step.technique + " step failed: " + why);
      return nullptr;
    }
    if (k + 1 < chain.size() && step.remaining.size() != 1) {
      Fail("a step inside a chain left " + std::to_string(step.remaining.size()) + " problems");
      return nullptr;
    }
    if (std::holds_alternative<Reversal>(step.certificate)) reversed = !reversed;
    at->step = std::move(step);
    at->children.clear();
    for (const Problem& p : at->step->remaining) {
      auto child = std::make_unique<ProofNode>();
      child->problem = p;
      at->children.push_back(std::move(child));
    }
    if (k + 1 < chain.size()) at = at->children[0].get();
  }
  return at;
}

void Solver::Fail(const std::string& why) {
  std::lock_guard<std::mutex> lock(memoMutex_);
  if (internalError_.empty()) internalError_ = why;
}

EngineResult Solver::Run() {
  EngineResult result;
  if (root_.pairProblem) {
    result.verdict = Verdict::Error;
    result.error = "the engine takes plain and relative problems only";
    return result;
  }
  const std::string rootKey = Fingerprint(root_);
  for (int maxLevel = 0; maxLevel <= kMaxLevel && !deadline_.Passed(); ++maxLevel) {
    // The attempts that go first: the same attempts, at the same level, run again inside the
    // proof search find their results remembered.
    for (const Attempt& attempt : source_(root_, maxLevel)) {
      if (!attempt.first) continue;
      std::optional<Outcome> found = RunAttempt(root_, rootKey, attempt, maxLevel, deadline_);
      if (!found || !std::holds_alternative<Loop>(*found)) continue;
      if (AcceptLoop(root_, std::get<Loop>(*found), false)) return LoopResult();
      break;
    }
    if (!internalError_.empty()) break;
    ProofNode tree;
    tree.problem = root_;
    const Result r = Solve(tree, false, maxLevel);
    if (r == Result::Failed) break;
    if (r == Result::Looping) return LoopResult();
    if (r == Result::Closed) {
      if (!tree.Closed()) {
        Fail("the proof tree has an open leaf");
        break;
      }
      result.verdict = Verdict::Yes;
      result.proof = RenderProof(tree, fullListings_);
      result.technique = LastTechnique(tree);
      return result;
    }
  }
  if (!internalError_.empty()) {
    result.verdict = Verdict::Error;
    result.error = internalError_;
  }
  return result;
}

std::string Solver::LastTechnique(const ProofNode& node) {
  std::string last;
  const ProofNode* at = &node;
  while (at != nullptr && at->step) {
    last = at->step->technique;
    at = at->children.empty() ? nullptr : at->children.back().get();
  }
  return last;
}

EngineResult Prove(const Problem& problem, const EngineOptions& options) {
  auto solver = std::make_unique<Solver>(
      problem, options, options.dependencyPairs ? AttemptsFor : AttemptsWithoutPairs);
  EngineResult result = solver->Run();
  ReleaseLater(std::move(solver));
  return result;
}

} // namespace selko::engine
