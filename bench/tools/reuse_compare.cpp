// selko_reuse_compare: every fitting problem of the sample corpus (the TPDB texts), proved on a
// fresh Prover with the reuse of search results off and on, one after the other on the same
// worker thread. Prints how often the answers differ (they never should), and the thread CPU
// time per problem both ways: total, median, p90, p99, maximum and the slowest problems.
//
//   selko_reuse_compare [--jobs N] [--attempts TEXT] [--presses K] [--every K] [--only on|off]
//                       [--tsv FILE] [CORPUS_DIR]
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/problem.hpp"
#include "core/prover.hpp"
#include "support/corpus_index.hpp"

namespace {

using selko::Prover;
using selko::RunResult;

struct Settings {
  std::string corpus = SELKO_CORPUS_DIR;
  int jobs = 2;
  std::string attempts = "100";
  int presses = 1;
  int every = 1;    // every k-th fitting problem
  std::string only; // "on" or "off": one way only (for instruction counts)
  std::string tsv;
};

struct Row {
  std::string name;
  double offSeconds = 0;
  double onSeconds = 0;
  std::string status;
  bool same = true;
};

double ThreadSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::vector<std::string> FittingProblems(const Settings& settings) {
  return selko::testing::FittingCorpusProblems(settings.corpus, settings.every);
}

// The presses on one fresh Prover; their results and the time they took.
std::vector<RunResult> Presses(const selko::Problem& problem, const Settings& settings, bool reuse,
                               double& seconds, std::uint32_t& seed) {
  selko::RunOptions options;
  options.attemptsText = settings.attempts;
  options = selko::ProblemOptions(problem, options);
  auto prover = std::make_unique<Prover>();
  prover->ReuseSearches = reuse ? 1 : 0;
  std::vector<RunResult> results;
  const double start = ThreadSeconds();
  for (int k = 0; k < settings.presses; ++k)
    results.push_back(prover->Run(problem.lines, options));
  seconds = ThreadSeconds() - start;
  seed = prover->RandomSeed;
  return results;
}

bool SameResults(const std::vector<RunResult>& a, const std::vector<RunResult>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].status != b[i].status || a[i].proof != b[i].proof || a[i].error != b[i].error)
      return false;
  }
  return true;
}

Row Measure(const std::string& name, const Settings& settings) {
  Row row;
  row.name = name;
  const selko::Problem problem = selko::LoadProblem(settings.corpus + "/tpdb/" + name + ".srs",
                                                    selko::InputFormat::Auto, false);
  std::uint32_t seedOff = 0, seedOn = 0;
  std::vector<RunResult> off, on;
  if (settings.only != "on") off = Presses(problem, settings, false, row.offSeconds, seedOff);
  if (settings.only != "off") on = Presses(problem, settings, true, row.onSeconds, seedOn);
  const std::vector<RunResult>& shown = on.empty() ? off : on;
  row.status = shown.empty() ? "" : selko::StatusWord(shown.back().status);
  if (settings.only.empty()) row.same = SameResults(off, on) && seedOff == seedOn;
  return row;
}

double Quantile(std::vector<double> values, double q) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto k = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(k, values.size() - 1)];
}

void Summary(const char* label, const std::vector<Row>& rows, double Row::*field) {
  std::vector<double> values;
  double total = 0;
  for (const Row& row : rows) {
    values.push_back(row.*field);
    total += row.*field;
  }
  std::printf("%-4s total %9.2f s  median %8.1f ms  p90 %8.1f ms  p99 %8.1f ms  max %8.1f ms\n",
              label, total, 1000 * Quantile(values, 0.5), 1000 * Quantile(values, 0.9),
              1000 * Quantile(values, 0.99), 1000 * Quantile(values, 1.0));
}

void Slowest(const char* label, std::vector<Row> rows, double Row::*field) {
  std::sort(rows.begin(), rows.end(),
            [&](const Row& a, const Row& b) { return a.*field > b.*field; });
  std::printf("slowest %s:", label);
  for (std::size_t i = 0; i < rows.size() && i < 10; ++i)
    std::printf(" %s %.0f ms (off %.0f, on %.0f)%s", rows[i].name.c_str(), 1000 * (rows[i].*field),
                1000 * rows[i].offSeconds, 1000 * rows[i].onSeconds, i + 1 < 10 ? ";" : "");
  std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
  Settings settings;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::cerr << arg << " needs a value\n";
        std::exit(2);
      }
      return argv[++i];
    };
    if (arg == "--jobs") {
      settings.jobs = std::max(1, std::atoi(value().c_str()));
    } else if (arg == "--attempts") {
      settings.attempts = value();
    } else if (arg == "--presses") {
      settings.presses = std::max(1, std::atoi(value().c_str()));
    } else if (arg == "--every") {
      settings.every = std::max(1, std::atoi(value().c_str()));
    } else if (arg == "--only") {
      settings.only = value();
    } else if (arg == "--tsv") {
      settings.tsv = value();
    } else {
      settings.corpus = arg;
    }
  }

  const std::vector<std::string> names = FittingProblems(settings);
  std::vector<Row> rows(names.size());
  std::atomic<std::size_t> next{0};
  std::vector<std::thread> workers;
  for (int j = 0; j < settings.jobs; ++j) {
    workers.emplace_back([&] {
      for (std::size_t i = next++; i < names.size(); i = next++)
        rows[i] = Measure(names[i], settings);
    });
  }
  for (std::thread& worker : workers)
    worker.join();

  int differing = 0;
  for (const Row& row : rows) {
    if (!row.same) {
      ++differing;
      std::printf("DIFFERENT: %s\n", row.name.c_str());
    }
  }
  if (!settings.tsv.empty()) {
    std::ofstream out(settings.tsv);
    out << "name\tstatus\toff_ms\ton_ms\tsame\n";
    for (const Row& row : rows)
      out << row.name << '\t' << row.status << '\t' << 1000 * row.offSeconds << '\t'
          << 1000 * row.onSeconds << '\t' << (row.same ? 1 : 0) << '\n';
  }
  std::printf("%zu problems, %d jobs, attempts %s, %d press(es); %d differ\n", rows.size(),
              settings.jobs, settings.attempts.c_str(), settings.presses, differing);
  if (settings.only != "on") Summary("off", rows, &Row::offSeconds);
  if (settings.only != "off") Summary("on", rows, &Row::onSeconds);
  if (settings.only != "on") Slowest("without reuse", rows, &Row::offSeconds);
  if (settings.only != "off") Slowest("with reuse", rows, &Row::onSeconds);
  return differing == 0 ? 0 : 1;
}
