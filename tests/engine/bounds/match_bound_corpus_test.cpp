// A measurement on the corpus, run by hand (it takes long):
//   selko_engine_tests --gtest_also_run_disabled_tests --gtest_filter='*MatchBoundCorpus*'
// Every standard problem without weak rules whose known answer is YES gets FindMatchBound on
// itself and on its reversal (SELKO_BOUND_SECONDS each, 5 by default); every automaton found
// must pass the check. Prints a line per attempt and the totals. SELKO_BOUND_SHARD=k/n takes
// every n-th problem from the k-th (from 0), to spread the run over processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "engine/bounds/find_match_bound.hpp"
#include "engine/check/match_bound_check.hpp"
#include "engine/engine_testing.hpp"

namespace selko::engine {
namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TEST(MatchBoundCorpus, DISABLED_StandardProblemsKnownTerminating) {
  SELKO_ENGINE_NEED_CORPUS();
  const double seconds =
      std::getenv("SELKO_BOUND_SECONDS") ? std::atof(std::getenv("SELKO_BOUND_SECONDS")) : 5.0;
  const auto index = testing::ReadCorpusIndex();
  int shard = 0, shards = 1;
  if (const char* s = std::getenv("SELKO_BOUND_SHARD")) std::sscanf(s, "%d/%d", &shard, &shards);
  int position = -1;
  int problems = 0, proved = 0, attempts = 0, found = 0, large = 0, longSides = 0;
  double findTime = 0, checkTime = 0;
  for (const auto& [name, entry] : index) {
    if (entry.category != "standard" || entry.weak || entry.status != "YES") continue;
    if (++position % std::max(shards, 1) != shard) continue;
    const Problem problem = testing::ReadCorpusProblem(name);
    ASSERT_FALSE(problem.rules.empty()) << name;
    ++problems;
    bool any = false;
    for (const bool reversed : {false, true}) {
      const Problem p = reversed ? problem.Reversed() : problem;
      const auto start = std::chrono::steady_clock::now();
      const std::optional<MatchBound> m = FindMatchBound(p, Deadline::After(seconds));
      const double took = Seconds(start);
      findTime += took;
      ++attempts;
      std::printf("%s %s %s %.3f s", name.c_str(), reversed ? "reversed" : "forward",
                  m ? "found" : "none", took);
      if (m) {
        const auto checkStart = std::chrono::steady_clock::now();
        std::string why;
        EXPECT_TRUE(CheckMatchBound(p, *m, why)) << name << ": " << why;
        checkTime += Seconds(checkStart);
        ++found;
        any = true;
        large += m->transitions.size() > 800 ? 1 : 0;
        longSides += entry.longest > 19 ? 1 : 0;
        std::printf(", %zu transitions, %u states, bound %u", m->transitions.size(), m->stateCount,
                    m->bound);
      }
      std::printf("\n");
    }
    proved += any ? 1 : 0;
  }
  std::printf("%d problems, %d proved; %d of %d attempts found a bound (%d with more than 800 "
              "transitions, %d with sides longer than 19); %.1f s finding, %.1f s checking\n",
              problems, proved, found, attempts, large, longSides, findTime, checkTime);
}

} // namespace
} // namespace selko::engine
