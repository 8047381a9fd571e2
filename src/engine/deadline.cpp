#include "engine/deadline.hpp"

#include <algorithm>

namespace selko::engine {

Deadline Deadline::After(double seconds) {
  Deadline d;
  if (seconds > 0) {
    // Past a year the deadline is as good as never; the cap keeps the clock arithmetic exact.
    seconds = std::min(seconds, 3.2e7);
    d.bounded_ = true;
    d.end_ = Clock::now() +
             std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  }
  return d;
}

Deadline Deadline::WithStop(const std::atomic<bool>* flag) const {
  Deadline d = *this;
  for (auto& f : d.flags_) {
    if (f == nullptr) {
      f = flag;
      return d;
    }
  }
  d.flags_.back() = flag;
  return d;
}

Deadline Deadline::Sooner(double seconds) const {
  Deadline d = *this;
  const Deadline other = After(seconds);
  if (!other.bounded_) return d;
  if (!d.bounded_ || other.end_ < d.end_) {
    d.bounded_ = true;
    d.end_ = other.end_;
  }
  return d;
}

bool Deadline::Passed() const {
  for (const auto* f : flags_) {
    if (f != nullptr && f->load(std::memory_order_relaxed)) return true;
  }
  return bounded_ && Clock::now() >= end_;
}

double Deadline::SecondsLeft() const {
  if (Passed()) return 0;
  if (!bounded_) return 1e9;
  return std::max(0.0, std::chrono::duration<double>(end_ - Clock::now()).count());
}

} // namespace selko::engine
