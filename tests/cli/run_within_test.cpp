// A run waited for until a hard limit: its result when it ends in time; otherwise nothing, the
// run left behind with what it owns, and the process told that a run was abandoned.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "cli/problem_run.hpp"
#include "cli/run_within.hpp"

namespace selko {
namespace {

TEST(RunWithin, AResultInTimeOrTheRunLeftBehind) {
  const std::optional<std::string> quick = RunWithin([] { return std::string("done"); }, 30);
  ASSERT_TRUE(quick.has_value());
  EXPECT_EQ(*quick, "done");

  // The run waits for a flag that is raised only after the limit has passed; it keeps the flag
  // alive itself.
  auto release = std::make_shared<std::atomic<bool>>(false);
  auto finished = std::make_shared<std::atomic<bool>>(false);
  const std::optional<int> late = RunWithin(
      [release, finished] {
        while (!release->load())
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        *finished = true;
        return 1;
      },
      0.05);
  EXPECT_FALSE(late.has_value());
  EXPECT_TRUE(AnyRunAbandoned());
  *release = true;
  while (!finished->load())
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace
} // namespace selko
