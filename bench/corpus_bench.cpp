// Whole proof runs over the plain problems of the sample corpus that fit the capacities, each
// on a fresh Prover as the command line runs them, with a deadline per problem (the argument,
// in milliseconds). The counters give the answers.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/prover.hpp"

namespace selko {
namespace {

namespace fs = std::filesystem;

std::string CorpusDir() {
  if (fs::is_directory(SELKO_CORPUS_DIR)) return SELKO_CORPUS_DIR;
  const char* env = std::getenv("SELKO_CORPUS_DIR");
  if (env != nullptr && fs::is_directory(env)) return env;
  return "";
}

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The plain problems whose index row says that they fit: at most 1000 rules, 100 symbols and
// sides of at most 19 symbols.
std::vector<std::vector<std::string>> FittingPlainProblems(const std::string& corpus) {
  std::vector<std::vector<std::string>> problems;
  std::ifstream index(corpus + "/index.tsv");
  std::string row;
  std::getline(index, row); // the heading
  while (std::getline(index, row)) {
    std::istringstream fields(row);
    std::string name, category;
    int rules = 0, symbols = 0, longest = 0, weak = 0, plain = 0;
    if (!(fields >> name >> category >> rules >> symbols >> longest >> weak >> plain)) continue;
    if (plain == 0 || rules > kMaxRules || symbols > kMaxSymbols || longest > kMaxWordLength) {
      continue;
    }
    problems.push_back(FileLines(corpus + "/plain/" + name + ".srs"));
  }
  return problems;
}

void BM_CorpusPlainRuns(benchmark::State& state) {
  const std::string corpus = CorpusDir();
  if (corpus.empty()) {
    state.SkipWithError("the sample problems are not at hand");
    return;
  }
  const auto problems = FittingPlainProblems(corpus);
  RunOptions options;
  options.timeoutSeconds = static_cast<double>(state.range(0)) / 1000;
  int yes = 0, no = 0, maybe = 0, errors = 0;
  for (auto _ : state) {
    yes = no = maybe = errors = 0;
    for (const auto& lines : problems) {
      auto prover = std::make_unique<Prover>();
      const RunResult result = prover->Run(lines, options);
      switch (result.status) {
      case Status::Terminating: ++yes; break;
      case Status::LoopFound: ++no; break;
      case Status::NoProof: ++maybe; break;
      case Status::Error: ++errors; break;
      }
      benchmark::DoNotOptimize(result.proof.data());
    }
  }
  state.counters["problems"] = static_cast<double>(problems.size());
  state.counters["YES"] = yes;
  state.counters["NO"] = no;
  state.counters["MAYBE"] = maybe;
  state.counters["errors"] = errors;
  state.counters["problems/s"] = benchmark::Counter(static_cast<double>(problems.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CorpusPlainRuns)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace selko
