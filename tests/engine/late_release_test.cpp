// Objects handed over for release are destroyed, in the order given, off the caller's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "engine/late_release.hpp"

namespace selko::engine {
namespace {

struct Tracked {
  Tracked(std::atomic<int>* o, int i, std::thread::id* w) : order(o), index(i), where(w) {}
  Tracked(const Tracked&) = delete;
  std::atomic<int>* order;
  int index;
  std::thread::id* where;
  ~Tracked() {
    *where = std::this_thread::get_id();
    int expected = index;
    order->compare_exchange_strong(expected, index + 1);
  }
};

TEST(LateRelease, DestroysEveryObjectInOrderOnAnotherThread) {
  std::atomic<int> next{0};
  std::thread::id where;
  for (int i = 0; i < 100; ++i)
    ReleaseLater(std::make_unique<Tracked>(&next, i, &where));
  // Waits for the releasing thread, without a timing assertion: the test's own limit ends a
  // release that never comes.
  while (next.load() < 100)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(next.load(), 100);
  EXPECT_NE(where, std::this_thread::get_id());
  ReleaseLater(std::unique_ptr<Tracked>{}); // nothing to release: ignored
}

} // namespace
} // namespace selko::engine
