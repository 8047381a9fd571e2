#include "cli/engine_run.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace selko {

ProblemOutcome EngineOutcome(const engine::EngineResult& result, const engine::Problem& problem) {
  ProblemOutcome outcome;
  outcome.byEngine = true;
  outcome.rules = static_cast<int>(problem.rules.size());
  outcome.symbols = static_cast<int>(problem.LetterCount());
  switch (result.verdict) {
  case engine::Verdict::Yes: outcome.result.status = Status::Terminating; break;
  case engine::Verdict::No:
    outcome.result.status = Status::LoopFound;
    outcome.derivation.checked = true;
    outcome.derivation.lines = result.derivation;
    break;
  case engine::Verdict::Maybe: outcome.result.status = Status::NoProof; break;
  case engine::Verdict::Error:
    outcome.result.status = Status::Error;
    outcome.result.error = "internal error: " + result.error;
    outcome.internal = true;
    return outcome;
  }
  outcome.result.proof = result.proof;
  outcome.technique = result.technique;
  return outcome;
}

namespace {

engine::EngineResult Prove(const engine::Problem& problem, double seconds, int workers,
                           const std::atomic<bool>* stop) {
  engine::EngineOptions options;
  options.timeoutSeconds = seconds;
  options.workers = workers < 1 ? 1 : workers;
  options.stop = stop;
  try {
    return engine::Prove(problem, options);
  } catch (const std::exception& e) {
    engine::EngineResult failed;
    failed.verdict = engine::Verdict::Error;
    failed.error = e.what();
    return failed;
  }
}

// What a guarded engine run owns, so that it may outlive the caller.
struct EngineJob {
  std::shared_ptr<const engine::Problem> problem;
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  engine::EngineResult result;
};

} // namespace

ProblemOutcome RunEngine(const std::shared_ptr<const engine::Problem>& problem, double seconds,
                         int workers, double hardLimitSeconds) {
  const auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  if (hardLimitSeconds <= 0) {
    ProblemOutcome outcome = EngineOutcome(Prove(*problem, seconds, workers, nullptr), *problem);
    outcome.seconds = elapsed();
    return outcome;
  }

  auto job = std::make_shared<EngineJob>();
  job->problem = problem;
  std::thread worker([job, seconds, workers] {
    engine::EngineResult result = Prove(*job->problem, seconds, workers, &job->stop);
    std::lock_guard<std::mutex> lock(job->mutex);
    job->result = std::move(result);
    job->finished = true;
    job->done.notify_all();
  });
  std::unique_lock<std::mutex> lock(job->mutex);
  const auto limit = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(hardLimitSeconds));
  if (job->done.wait_until(lock, start + limit, [&] { return job->finished; })) {
    lock.unlock();
    worker.join();
    ProblemOutcome outcome = EngineOutcome(job->result, *problem);
    outcome.seconds = elapsed();
    return outcome;
  }
  lock.unlock();
  job->stop = true;
  worker.detach();
  MarkRunAbandoned();
  ProblemOutcome abandoned;
  abandoned.byEngine = true;
  abandoned.abandoned = true;
  abandoned.result.status = Status::NoProof;
  abandoned.rules = static_cast<int>(problem->rules.size());
  abandoned.symbols = static_cast<int>(problem->LetterCount());
  abandoned.seconds = elapsed();
  return abandoned;
}

} // namespace selko
