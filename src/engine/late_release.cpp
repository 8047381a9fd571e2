#include "engine/late_release.hpp"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace selko::engine::detail {

namespace {

class Releaser {
public:
  Releaser() : thread_([this] { Loop(); }) {}

  void Add(std::unique_ptr<Releasable> object) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      queue_.push_back(std::move(object));
    }
    wake_.notify_all();
  }

private:
  void Loop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return !queue_.empty(); });
      std::unique_ptr<Releasable> next = std::move(queue_.front());
      queue_.pop_front();
      lock.unlock();
      next.reset();
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::unique_ptr<Releasable>> queue_;
  std::thread thread_; // last: starts when the rest is ready
};

} // namespace

void Enqueue(std::unique_ptr<Releasable> object) {
  // Built on first use and never destroyed: at exit the system takes back what is still queued,
  // faster than freeing it piece by piece would.
  static Releaser* const releaser = new Releaser;
  releaser->Add(std::move(object));
}

} // namespace selko::engine::detail
