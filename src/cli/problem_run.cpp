#include "cli/problem_run.hpp"

#include <atomic>
#include <chrono>
#include <memory>

#include "cli/run_within.hpp"

namespace selko {

namespace {
std::atomic<bool> abandonedRuns{false};
} // namespace

bool AnyRunAbandoned() { return abandonedRuns.load(); }

void MarkRunAbandoned() { abandonedRuns = true; }

bool IsCapacityRefusal(const std::string& error) {
  for (const std::string& limit :
       {"a side has more than " + std::to_string(kMaxWordLength) + " symbols",
        "more than " + std::to_string(kMaxRules) + " rules",
        "more than " + std::to_string(kMaxSymbols) + " distinct symbols"}) {
    if (error.find(limit) != std::string::npos) return true;
  }
  return false;
}

std::string CapacityNote() {
  return "note: the proof run's capacities are " + std::to_string(kMaxRules) + " rules, " +
         std::to_string(kMaxWordLength) + " symbols a side and " + std::to_string(kMaxSymbols) +
         " distinct symbols; --extended reads problems of any size";
}

bool EndedOnAttemptsText(const Prover& prover, const RunResult& result) {
  return result.status == Status::Error && prover.InputError.empty() &&
         !prover.AttemptsError.empty();
}

std::string OutcomeError(const std::string& path, const ProblemOutcome& outcome) {
  if (outcome.badAttempts) return "--attempts: " + outcome.result.error;
  if (outcome.unreadable || outcome.internal || path == "-") return outcome.result.error;
  return path + ": " + outcome.result.error;
}

bool AncestorGraphOf(const Prover& prover, AncestorGraph& graph) {
  const AncestorTable& table = prover.LastAncestors;
  const int count = table.count;
  if (prover.LoopStart < 1 || count < 1 || count > kMaxAncestorStrings ||
      prover.LoopStart > count) {
    return false;
  }
  graph = AncestorGraph{};
  graph.reported = prover.LoopStart;
  // The search ran on WorkTable, which nothing changes after a loop is found.
  const RuleTable& searched = prover.WorkTable;
  graph.names.assign(searched.names.begin(), searched.names.begin() + searched.symbolCount + 1);
  graph.strings.resize(static_cast<std::size_t>(count) + 1);
  graph.ancestor.assign(static_cast<std::size_t>(count) + 1,
                        std::vector<bool>(static_cast<std::size_t>(count) + 1, false));
  for (int k = 1; k <= count; ++k) {
    const Word& w = table.strings[static_cast<std::size_t>(k)];
    graph.strings[static_cast<std::size_t>(k)].assign(w.begin(), w.begin() + WordLength(w));
    for (int m = 1; m <= count; ++m) {
      graph.ancestor[static_cast<std::size_t>(k)][static_cast<std::size_t>(m)] =
          table.ancestor[static_cast<std::size_t>(k)][static_cast<std::size_t>(m)] != 0;
    }
  }
  return true;
}

LoopDerivation DerivationOfRun(const Prover& prover) {
  AncestorGraph graph;
  if (AncestorGraphOf(prover, graph)) return BuildLoopDerivation(prover.SlotB, graph);
  LoopDerivation none;
  none.lines = {kNoDerivationLine};
  return none;
}

ProblemOutcome RunProblem(const Problem& problem, const RunOptions& options, bool withDerivation) {
  ProblemOutcome outcome;
  const auto start = std::chrono::steady_clock::now();
  if (!problem.error.empty()) {
    outcome.result.status = Status::Error;
    outcome.result.error = problem.error;
    outcome.unreadable = problem.unreadable;
    outcome.refused = !problem.unreadable;
  } else {
    auto prover = std::make_unique<Prover>();
    outcome.result = prover->Run(problem.lines, ProblemOptions(problem, options));
    // The readers refuse through InputError; an internal failure is reported there too.
    outcome.refused = outcome.result.status == Status::Error && !prover->InputError.empty() &&
                      prover->InputError.rfind("internal error:", 0) != 0;
    outcome.badAttempts = EndedOnAttemptsText(*prover, outcome.result);
    if (outcome.result.status != Status::Error) {
      outcome.rules = prover->SlotB.ruleCount;
      outcome.symbols = prover->SlotB.symbolCount;
    } else if (problem.system != nullptr) {
      outcome.rules = problem.system->ruleCount;
      outcome.symbols = problem.system->symbolCount;
    }
    if (withDerivation && outcome.result.status == Status::LoopFound) {
      outcome.derivation = DerivationOfRun(*prover);
    }
  }
  outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return outcome;
}

ProblemOutcome RunProblemGuarded(const Problem& problem, const RunOptions& options,
                                 bool withDerivation, double hardLimitSeconds) {
  // The run keeps its own copy of the problem, so that it may outlive the caller.
  auto copy = std::make_shared<Problem>();
  copy->format = problem.format;
  copy->lines = problem.lines;
  copy->tpdbReader = problem.tpdbReader;
  copy->error = problem.error;
  copy->unreadable = problem.unreadable;
  if (problem.system != nullptr) copy->system = std::make_unique<RuleTable>(*problem.system);

  const auto start = std::chrono::steady_clock::now();
  std::optional<ProblemOutcome> outcome = RunWithin(
      [copy, options, withDerivation] { return RunProblem(*copy, options, withDerivation); },
      hardLimitSeconds);
  if (outcome) return std::move(*outcome);
  ProblemOutcome abandoned;
  abandoned.abandoned = true;
  abandoned.result.status = Status::NoProof;
  abandoned.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return abandoned;
}

} // namespace selko
