// Whole runs over the sample corpus with the reuse of search results on and off: the same status
// and proof text for every problem, press after press, and the generator at the same state.
// A fixed sample of the problems that fit, without a deadline, so that nothing depends on time;
// the sanitizer build takes a smaller one.
#include <memory>

#include "cli/problem.hpp"
#include "cli_testing.hpp"
#include "support/corpus_index.hpp"

namespace selko {
namespace {

#ifdef SELKO_SANITIZE_BUILD
constexpr int kEvery = 24; // every 24th fitting problem
#else
constexpr int kEvery = 2;
#endif

// The names of every kEvery-th problem of the index that fits the tables.
std::vector<std::string> SampleProblems(const std::string& corpus) {
  return testing::FittingCorpusProblems(corpus, kEvery);
}

struct Presses {
  std::vector<RunResult> results;
  std::uint32_t seed = 0;
};

Presses PressTwice(const Problem& problem, const RunOptions& options, bool reuse) {
  auto prover = std::make_unique<Prover>();
  prover->ReuseSearches = reuse ? 1 : 0;
  Presses presses;
  for (int k = 0; k < 2; ++k)
    presses.results.push_back(prover->Run(problem.lines, ProblemOptions(problem, options)));
  presses.seed = prover->RandomSeed;
  return presses;
}

TEST(SearchReuseCorpus, SameAnswersAndProofsWithAndWithoutReuse) {
  SELKO_NEED_CORPUS(corpus);
  const std::vector<std::string> names = SampleProblems(corpus);
  ASSERT_GT(names.size(), kEvery == 2 ? 400u : 30u);
  // Few attempts keep the sample quick; the runs still label, remove and order many systems.
  RunOptions options;
  options.attemptsText = "3";
  int proofs = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const Problem problem =
        LoadProblem(corpus + "/tpdb/" + names[i] + ".srs", InputFormat::Auto, false);
    ASSERT_TRUE(problem.error.empty()) << names[i] << ": " << problem.error;
    // Every other problem without "rem.labels", which changes what counts as progress.
    options.remLabels = i % 2 == 0;
    const Presses fresh = PressTwice(problem, options, false);
    const Presses reused = PressTwice(problem, options, true);
    for (std::size_t k = 0; k < fresh.results.size(); ++k) {
      const RunResult& a = fresh.results[k];
      const RunResult& b = reused.results[k];
      ASSERT_EQ(a.status, b.status) << names[i] << " press " << k + 1;
      ASSERT_EQ(a.proof, b.proof) << names[i] << " press " << k + 1;
      ASSERT_EQ(a.error, b.error) << names[i] << " press " << k + 1;
      proofs += a.status == Status::Terminating ? 1 : 0;
    }
    ASSERT_EQ(fresh.seed, reused.seed) << names[i];
  }
  EXPECT_GT(proofs, 0);
}

} // namespace
} // namespace selko
