// The stop flag of a run: unset or clear it changes nothing; set, the run gives up at its next
// safe point as at a deadline, whoever sets it.
#include <atomic>
#include <chrono>
#include <thread>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::MakeProver;
using Lines = std::vector<std::string>;

// Proved by the removal of the last phase with "match bnd" off.
const Lines kSwap{"ab->ba"};
// Never proved: it reaches the labelling search of the last phase, which runs through every
// attempt of its budget.
const Lines kUnprovable{"ab->ba", "ba->=ab"};

TEST(StopFlag, AClearFlagLeavesTheRunAsWithout) {
  for (const Lines& input : {kSwap, Lines{"abc->bca", "ba->ab", "cc->e"}, Lines{"ab->bba"}}) {
    RunOptions options;
    options.matchBound = false;
    const RunResult without = MakeProver()->Run(input, options);
    std::atomic<bool> stop{false};
    options.stop = &stop;
    const RunResult with = MakeProver()->Run(input, options);
    EXPECT_EQ(with.status, without.status);
    EXPECT_EQ(with.proof, without.proof);
  }
}

TEST(StopFlag, ASetFlagEndsTheRunWithoutProof) {
  std::atomic<bool> stop{true};
  RunOptions options;
  options.matchBound = false;
  options.stop = &stop;
  auto prover = MakeProver();
  const RunResult r = prover->Run(kSwap, options);
  EXPECT_EQ(r.status, Status::NoProof);
  EXPECT_TRUE(r.proof.empty());

  // The next run with the flag cleared proves it again: nothing of the stop carries over.
  stop = false;
  EXPECT_EQ(prover->Run(kSwap, options).status, Status::Terminating);
}

TEST(StopFlag, SetFromAnotherThreadItEndsALongSearch) {
  // A budget far beyond what the test could wait for: only the flag ends this run.
  std::atomic<bool> stop{false};
  RunOptions options;
  options.attemptsText = "2000000000";
  options.stop = &stop;
  std::thread stopper([&stop] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    stop = true;
  });
  const RunResult r = MakeProver()->Run(kUnprovable, options);
  stopper.join();
  EXPECT_EQ(r.status, Status::NoProof);
}

} // namespace
} // namespace selko
