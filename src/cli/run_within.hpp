// Work run on a thread of its own, waited for until a hard limit: so that the command line
// answers in time even when a run overshoots its own deadline. When the limit passes first the
// thread is left behind (it owns everything it uses) and the run is marked abandoned; the
// caller should end the process soon after.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace selko {

void MarkRunAbandoned(); // problem_run.hpp

// work() on a new thread; its result, or nothing when `seconds` passed first.
template <typename Work>
auto RunWithin(Work work, double seconds) -> std::optional<decltype(work())> {
  using Result = decltype(work());
  struct Shared {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Result> result;
  };
  const auto start = std::chrono::steady_clock::now();
  auto shared = std::make_shared<Shared>();
  std::thread worker([shared, work = std::move(work)]() mutable {
    Result result = work();
    std::lock_guard<std::mutex> lock(shared->mutex);
    shared->result.emplace(std::move(result));
    shared->done.notify_all();
  });
  std::unique_lock<std::mutex> lock(shared->mutex);
  const auto limit = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(seconds > 0 ? seconds : 0));
  if (shared->done.wait_until(lock, start + limit, [&] { return shared->result.has_value(); })) {
    std::optional<Result> result = std::move(shared->result);
    lock.unlock();
    worker.join();
    return result;
  }
  lock.unlock();
  worker.detach();
  MarkRunAbandoned();
  return std::nullopt;
}

} // namespace selko
