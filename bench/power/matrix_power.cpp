// How many corpus problems matrix interpretations prove on their own: on every standard
// problem known to terminate (up to a number of rules), a plain removal loop over shapes of
// growing size and growing conflict budgets, on the problem and its reversal, each step
// checked by the independent checker. Prints a line per problem and the total.
//
//   selko_matrix_power [seconds per problem = 10] [max rules = 60] [stride = 1] [names...]
// Environment: SELKO_POWER_VERBOSE (any value) prints a line per attempt; SELKO_POWER_SHAPES
// ("N2b2,A3b2", say) keeps only the shapes named; SELKO_POWER_FRESH (any value) encodes each
// attempt afresh instead of continuing the search of the previous budget; SELKO_POWER_PAIRS
// ("forward" or "reversed") works on the pair problem of the problem (or of its reversal) instead,
// component by component along the graph, with the larger shapes pair problems are given, and
// prints every component that stays open.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/check/check_step.hpp"
#include "engine/corpus_testing.hpp"
#include "engine/interpretations/matrix_search.hpp"
#include "engine/pairs/dependency_pairs.hpp"

using namespace selko::engine;

namespace {

std::string ShapeText(const MatrixShape& s) {
  std::string text =
      s.domain == Domain::Arctic ? "A" : (s.compared == Compared::TopRight ? "N" : "L");
  if (s.belowZero) text = "Z";
  return text + std::to_string(s.dimension) + "b" + std::to_string(s.bits);
}

// Natural TopRight (N) and TopLeft (L) of dimension 1 to 4, arctic (A) of 2 to 4; bits 2, then 3.
// Pair problems add arctic shapes with entries below zero (Z).
std::vector<MatrixShape> Shapes() {
  std::vector<MatrixShape> shapes;
  for (int bits : {2, 3}) {
    for (int d = 1; d <= 4; ++d) {
      shapes.push_back({Domain::Natural, Compared::TopRight, d, bits});
      if (d > 1) shapes.push_back({Domain::Natural, Compared::TopLeft, d, bits});
      if (d > 1) shapes.push_back({Domain::Arctic, Compared::TopRight, d, bits});
    }
  }
  // Pair problems need no monotonicity at the front and leave small components: larger shapes
  // pay there, and arctic entries may be below zero.
  if (std::getenv("SELKO_POWER_PAIRS") != nullptr) {
    for (int d = 5; d <= 6; ++d)
      shapes.push_back({Domain::Natural, Compared::TopRight, d, 2});
    for (int d = 2; d <= 5; ++d)
      shapes.push_back({Domain::Arctic, Compared::TopRight, d, 3, true});
  }
  if (const char* only = std::getenv("SELKO_POWER_SHAPES")) {
    std::vector<MatrixShape> kept;
    for (const MatrixShape& s : shapes) {
      if (std::string(only).find(ShapeText(s)) != std::string::npos) kept.push_back(s);
    }
    return kept;
  }
  return shapes;
}

struct Outcome {
  bool proved = false;
  bool checkFailed = false;
  std::string steps;
  Problem rest; // what no removal took
};

// A search per shape and direction, continued from budget to budget (or made afresh for each
// budget when SELKO_POWER_FRESH is set) and dropped once it is exhausted.
struct LiveSearch {
  std::unique_ptr<MatrixSearch> search;
  std::int64_t spent = 0;
};

Outcome Prove(Problem problem, double seconds, bool once = false) {
  const Deadline deadline = Deadline::After(seconds);
  const std::vector<MatrixShape> shapes = Shapes();
  const bool fresh = std::getenv("SELKO_POWER_FRESH") != nullptr;
  const bool verbose = std::getenv("SELKO_POWER_VERBOSE") != nullptr;
  Outcome outcome;
  while (!problem.IsFinished() && !deadline.Passed()) {
    bool removed = false;
    std::map<std::pair<std::size_t, bool>, LiveSearch> searches;
    for (std::int64_t budget = 1000; !removed && !deadline.Passed(); budget *= 8) {
      for (std::size_t k = 0; k < shapes.size() && !removed && !deadline.Passed(); ++k) {
        const MatrixShape& shape = shapes[k];
        for (bool reversed : {false, true}) {
          // One-dimensional values commute: the reversal has the same interpretations. A pair
          // problem has no reversal, and compares [1][1] in both natural shapes: one serves.
          if (reversed && (shape.dimension == 1 || problem.pairProblem)) continue;
          if (problem.pairProblem && shape.compared == Compared::TopLeft) continue;
          const Problem target = reversed ? problem.Reversed() : problem;
          const auto begin = std::chrono::steady_clock::now();
          LiveSearch& live = searches[{k, reversed}];
          if (!live.search || fresh) {
            live.search = std::make_unique<MatrixSearch>(target, shape, deadline);
            live.spent = 0;
          }
          if (live.search->Exhausted()) continue;
          auto removal = live.search->Run(budget - live.spent, deadline);
          live.spent = budget;
          if (verbose) {
            const auto ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                    .count();
            std::printf("  %s%s budget %lld: %.1f ms %s\n", ShapeText(shape).c_str(),
                        reversed ? "r" : "", static_cast<long long>(budget), ms,
                        removal ? "removal" : (live.search->Exhausted() ? "exhausted" : ""));
          }
          if (!removal) continue;
          std::string why;
          const Problem rest = target.Without(removal->removedRules, removal->removedPairs);
          if (!CheckRuleRemoval(target, *removal, {rest}, why)) {
            std::printf("CHECK FAILED: %s\n", why.c_str());
            outcome.checkFailed = true;
            return outcome;
          }
          outcome.steps +=
              " " + ShapeText(shape) + (reversed ? "r" : "") + "-" +
              std::to_string(removal->removedRules.size() + removal->removedPairs.size());
          problem = problem.Without(removal->removedRules, removal->removedPairs);
          removed = true;
          break;
        }
      }
    }
    if (once) break;
  }
  outcome.proved = problem.IsFinished();
  outcome.rest = problem;
  return outcome;
}

// The pair problem of the problem (or of its reversal), split along its graph again after every
// removal, each component given the removal loop in turn with an even share of what is left of
// the time. Components that stay open are printed.
Outcome ProvePairs(const Problem& problem, bool reversed, double seconds) {
  Outcome outcome;
  const auto start = std::chrono::steady_clock::now();
  const std::optional<Step> pairs = DependencyPairStep(reversed ? problem.Reversed() : problem);
  if (!pairs) return outcome;
  std::vector<Problem> open{pairs->remaining[0]};
  std::vector<Problem> unsolved;
  while (!open.empty()) {
    Problem part = std::move(open.back());
    open.pop_back();
    if (part.pairs.empty()) continue;
    if (std::optional<Step> split = GraphSplitStep(part)) {
      for (const Problem& component : split->remaining)
        open.push_back(component);
      continue;
    }
    const double used =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double share = (seconds - used) / static_cast<double>(open.size() + 1);
    // One removal at a time: what is left is split again before the next.
    Outcome step = Prove(part, share, true);
    outcome.steps += step.steps;
    if (step.checkFailed) {
      outcome.checkFailed = true;
      return outcome;
    }
    if (step.rest.pairs.size() < part.pairs.size()) {
      open.push_back(std::move(step.rest));
    } else {
      unsolved.push_back(std::move(part));
    }
  }
  for (const Problem& part : unsolved) {
    std::printf("  open component of %zu pairs and %zu rules:\n", part.pairs.size(),
                part.rules.size());
    for (const auto* list : {&part.pairs, &part.rules}) {
      for (const Rule& r : *list)
        std::printf("    %s\n", part.RuleText(r).c_str());
    }
  }
  outcome.proved = unsolved.empty();
  return outcome;
}

} // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
  const std::size_t maxRules = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 60;
  const std::size_t stride = argc > 3 ? std::max(1ul, std::strtoul(argv[3], nullptr, 10)) : 1;
  std::vector<std::string> names;
  for (int i = 4; i < argc; ++i)
    names.push_back(argv[i]);
  if (names.empty()) {
    std::size_t k = 0;
    for (const auto& [name, entry] : testing::ReadCorpusIndex()) {
      if (entry.category != "standard" || entry.status != "YES" || entry.rules > maxRules) continue;
      if (k++ % stride == 0) names.push_back(name);
    }
  }
  const char* pairs = std::getenv("SELKO_POWER_PAIRS");
  int proved = 0, failed = 0;
  double total = 0;
  for (const std::string& name : names) {
    const auto start = std::chrono::steady_clock::now();
    const Problem problem = testing::ReadCorpusProblem(name);
    const Outcome o = pairs == nullptr
                          ? Prove(problem, seconds)
                          : ProvePairs(problem, std::string(pairs) == "reversed", seconds);
    const double t =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    total += t;
    proved += o.proved;
    failed += o.checkFailed;
    std::printf("%s %s %.2fs%s\n", name.c_str(), o.proved ? "YES" : "-", t, o.steps.c_str());
    std::fflush(stdout);
  }
  std::printf("proved %d of %zu (%.0f s), check failures %d\n", proved, names.size(), total,
              failed);
  return failed == 0 ? 0 : 1;
}
