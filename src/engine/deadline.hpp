// The one object that says when the engine must stop: a point in time (or none), and up to
// three stop flags (the user's STOP, a finished portfolio, a cancelled attempt).
#pragma once

#include <array>
#include <atomic>
#include <chrono>

namespace selko::engine {

class Deadline {
public:
  using Clock = std::chrono::steady_clock;

  Deadline() = default; // never passes

  // Passes `seconds` from now (never when seconds <= 0).
  static Deadline After(double seconds);

  // This deadline, also passing when `flag` becomes true. Refuses silently past three flags
  // (the last one is replaced), which no caller needs.
  Deadline WithStop(const std::atomic<bool>* flag) const;

  // This deadline or `seconds` from now, whichever comes first.
  Deadline Sooner(double seconds) const;

  bool Passed() const;
  bool Bounded() const { return bounded_; }
  // Seconds until the time passes (a large number when unbounded; 0 once passed).
  double SecondsLeft() const;

private:
  Clock::time_point end_{};
  bool bounded_ = false;
  std::array<const std::atomic<bool>*, 3> flags_{};
};

} // namespace selko::engine
