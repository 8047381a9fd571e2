// The solver on attempts made for the test: the first attempt in the list wins whatever the
// number of threads, a wrong step is an internal error and never an answer, and a
// transformation whose subproof fails gives way to the next attempt.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/solver.hpp"
#include "engine_testing.hpp"

namespace selko::engine {
namespace {

using testing::Rules;

// Removes every rule with a weight of 2 per letter a and 1 per other letter (right for the
// systems below, where a strict rule loses an a), and claims a wrong removal when asked.
Attempt Weights(const std::string& name, bool lie, int delayMs) {
  Attempt a;
  a.name = name;
  a.run = [lie, delayMs](const Problem& p, const Deadline&) -> std::optional<Outcome> {
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    RuleRemoval r;
    r.interpretation.domain = Domain::Natural;
    r.interpretation.dimension = 1;
    for (std::size_t k = 0; k < p.LetterCount(); ++k)
      r.interpretation.letters.push_back({1, 1, {p.names[k] == "a" ? 2 : 1}});
    for (std::size_t i = 0; i < p.rules.size(); ++i) {
      if (p.rules[i].strict || lie) r.removedRules.push_back(i);
    }
    if (r.removedRules.empty()) return std::nullopt;
    Step s;
    s.technique = lie ? "lie" : "weights";
    s.summary = s.technique;
    s.remaining.push_back(p.Without(r.removedRules, {}));
    s.certificate = std::move(r);
    return std::vector<Step>{std::move(s)};
  };
  return a;
}

std::vector<Attempt> SlowFirstWins(const Problem&, int) {
  // The first attempt is slower; with several threads the second finishes first, but the first
  // in the list must still be the one shown.
  return {Weights("slow", false, 50), Weights("fast", false, 0)};
}

std::vector<Attempt> Lying(const Problem&, int) { return {Weights("lie", true, 0)}; }

// The loop a b -> b a b of the first rule from "a b"; told to lie, it claims it from "b a".
Attempt FirstLoop(bool lie) {
  Attempt a;
  a.name = "loop";
  a.first = true;
  a.run = [lie](const Problem&, const Deadline&) -> std::optional<Outcome> {
    Loop loop;
    loop.start = lie ? String{1, 0} : String{0, 1};
    loop.steps.push_back({0, 0});
    return loop;
  };
  return a;
}

std::atomic<int> deepRuns{0};

// A transformation listed before the loop, which the loop must not wait for.
Attempt Deep() {
  Attempt a;
  a.name = "deep";
  a.run = [](const Problem&, const Deadline&) -> std::optional<Outcome> {
    ++deepRuns;
    return std::nullopt;
  };
  return a;
}

std::vector<Attempt> LoopAfterDeep(const Problem&, int) { return {Deep(), FirstLoop(false)}; }
std::vector<Attempt> LyingLoop(const Problem&, int) { return {Deep(), FirstLoop(true)}; }

TEST(Solver, AnAttemptMarkedFirstRunsBeforeTheProofSearchAndIsChecked) {
  const Problem p = Rules({"ab->bab", "b->a"});
  deepRuns = 0;
  const EngineResult r = Solver(p, EngineOptions{}, LoopAfterDeep).Run();
  ASSERT_EQ(r.verdict, Verdict::No) << r.error;
  EXPECT_EQ(deepRuns, 0);

  const EngineResult lie = Solver(p, EngineOptions{}, LyingLoop).Run();
  EXPECT_EQ(lie.verdict, Verdict::Error);
  EXPECT_NE(lie.error.find("the check of a loop failed"), std::string::npos) << lie.error;
}

TEST(Solver, TheFirstAttemptInTheListWinsWhateverTheThreads) {
  const Problem p = Rules({"ab->b", "b->=bb"});
  for (const int workers : {1, 2, 4}) {
    EngineOptions options;
    options.workers = workers;
    Solver solver(p, options, SlowFirstWins);
    const EngineResult r = solver.Run();
    ASSERT_EQ(r.verdict, Verdict::Yes) << r.error;
    EXPECT_EQ(r.technique, "weights");
    EXPECT_NE(std::find(r.proof.begin(), r.proof.end(), "1 weights; nothing remains to prove"),
              r.proof.end());
  }
}

TEST(Solver, AWrongStepIsAnInternalErrorNeverAnAnswer) {
  // The lie also removes b ->= bb, which grows.
  const Problem p = Rules({"ab->b", "b->=bb"});
  Solver solver(p, EngineOptions{}, Lying);
  const EngineResult r = solver.Run();
  EXPECT_EQ(r.verdict, Verdict::Error);
  EXPECT_EQ(r.error, "the check of a lie step failed: rule 2 is removed but does not decrease "
                     "strictly");
  EXPECT_TRUE(r.proof.empty());
}

} // namespace
} // namespace selko::engine
