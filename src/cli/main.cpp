// selko-cli: the command-line front end over the prover.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>

#include <CLI/CLI.hpp>

#include "cli/batch_command.hpp"
#include "cli/competition_command.hpp"
#include "cli/extended_run.hpp"
#include "cli/problem_run.hpp"
#include "cli/prove_command.hpp"
#include "cli/seconds_option.hpp"

namespace {

// Ends the process; when a guarded run was left behind it must not be waited for.
int Finish(int status) {
  std::cout.flush();
  std::cerr.flush();
  if (selko::AnyRunAbandoned()) std::_Exit(status);
  return status;
}

void AddInputOption(CLI::App* command, std::string& input) {
  command->add_option("--input", input, "input format: auto, plain, tpdb, xml or ari (auto)")
      ->check(CLI::IsMember({"auto", "plain", "tpdb", "xml", "ari"}));
}

// --extended and --workers N, which needs it.
CLI::Option* AddExtendedOptions(CLI::App* command, bool& extended, int& workers,
                                const std::string& workersDefault) {
  CLI::Option* flag = command->add_flag("--extended", extended,
                                        "after the proof run, the extended engine on the rest");
  command
      ->add_option("--workers", workers,
                   "the extended engine's threads per problem (" + workersDefault + ")")
      ->check(CLI::Range(1, selko::kMaxWorkers))
      ->needs(flag);
  return flag;
}

// A --timeout value: finite seconds above zero.
const CLI::Validator kSeconds(
    [](std::string& text) {
      double seconds = 0;
      const std::string wrong = selko::ParseSeconds(text, seconds);
      return wrong.empty() ? wrong : text + ": " + wrong;
    },
    "SECONDS");

} // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::string> args(argv + 1, argv + argc);
  if (selko::IsCompetitionCall(args)) {
    return Finish(selko::RunCompetitionCommand(args, start, std::cout, std::cerr));
  }

  CLI::App app{"SELKO 1.4: termination proofs for string rewriting systems"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "SELKO 1.4");
  app.footer("The termination competition's call:\n"
             "  selko-cli --name                                    prints SELKO 1.4\n"
             "  selko-cli --timeout=N --category=SRS_Standard FILE  (or SRS_Relative; "
             "[--workers=N])\n"
             "    YES, NO or MAYBE on the first line, then the proof, within N seconds.");

  // prove
  selko::ProveRequest prove;
  std::string format = "text";
  std::string proveInput = "auto";
  bool tpdb = false;
  bool noMatchBounds = false;
  bool noRemLabels = false;
  CLI::App* proveCommand = app.add_subcommand("prove", "prove one problem file");
  proveCommand->add_option("FILE", prove.file, "problem file, - for standard input")->required();
  proveCommand->add_option("--format", format, "output: text, json or termcomp")
      ->check(CLI::IsMember({"text", "json", "termcomp"}));
  proveCommand->add_flag("--tpdb", tpdb, "read the TPDB format (the window's \"tpdb format\")");
  proveCommand->add_option("--attempts", prove.options.attemptsText,
                           "labelling attempts, the window's \"nr of att:\" text (100)");
  proveCommand->add_flag("--no-match-bounds", noMatchBounds, "turn \"match bnd\" off");
  proveCommand->add_flag("--no-rem-labels", noRemLabels, "turn \"rem.labels\" off");
  proveCommand->add_option("--repeat", prove.repeat, "press START K times on one prover")
      ->check(CLI::Range(1, 1000000));
  AddInputOption(proveCommand, proveInput);
  proveCommand
      ->add_option("--timeout", prove.timeoutSeconds, "give up after SECONDS and report no proof")
      ->check(kSeconds);
  CLI::Option* proveExtended =
      AddExtendedOptions(proveCommand, prove.extended, prove.workers, "all cores");
  proveExtended->excludes(proveCommand->get_option("--repeat"));
  proveCommand->add_flag("--full", prove.full, "list every automaton of the engine's proof in full")
      ->needs(proveExtended);

  // batch
  selko::BatchRequest batch;
  std::string batchInput = "auto";
  std::string shard;
  CLI::App* batchCommand = app.add_subcommand("batch", "prove every problem file under some paths");
  batchCommand->add_option("PATH", batch.paths, "problem files and directories")->required();
  batchCommand->add_option("--jobs", batch.jobs, "worker threads (all cores)")
      ->check(CLI::Range(1, 1024));
  batchCommand->add_option("--timeout", batch.timeoutSeconds, "seconds per problem")
      ->check(kSeconds);
  batchCommand->add_option("--csv", batch.csvFile, "write one row per problem to FILE");
  batchCommand->add_option("--json", batch.jsonFile, "write one object per problem to FILE");
  batchCommand->add_option("--report", batch.reportFile, "write an HTML report to FILE");
  batchCommand->add_option("--shard", shard, "take the I-th of N slices (I from 1)");
  batchCommand->add_option("--attempts", batch.options.attemptsText,
                           "labelling attempts, the window's \"nr of att:\" text (100)");
  AddInputOption(batchCommand, batchInput);
  CLI::Option* batchExtended = AddExtendedOptions(batchCommand, batch.extended, batch.workers, "1");
  batchCommand
      ->add_flag("--without-pairs", batch.withoutPairs,
                 "the extended engine without dependency pairs, to measure what they add")
      ->needs(batchExtended);

  // merge
  selko::MergeRequest merge;
  CLI::App* mergeCommand =
      app.add_subcommand("merge", "join the CSV files of batch runs into one summary");
  mergeCommand->add_option("CSV", merge.csvFiles, "CSV files written by batch --csv")->required();
  mergeCommand->add_option("--csv", merge.csvFile, "write the joined rows to FILE");
  mergeCommand->add_option("--json", merge.jsonFile, "write the joined rows as JSON to FILE");
  mergeCommand->add_option("--report", merge.reportFile, "write an HTML report to FILE");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }

  if (proveCommand->parsed()) {
    static const std::map<std::string, selko::OutputFormat> formats = {
        {"text", selko::OutputFormat::Text},
        {"json", selko::OutputFormat::Json},
        {"termcomp", selko::OutputFormat::Termcomp}};
    prove.format = formats.at(format);
    prove.options.tpdbFormat = tpdb;
    prove.options.matchBound = !noMatchBounds;
    prove.options.remLabels = !noRemLabels;
    selko::ParseInputFormat(proveInput, prove.input);
    return Finish(selko::RunProveCommand(prove, std::cout, std::cerr));
  }
  if (batchCommand->parsed()) {
    if (!shard.empty() && !selko::ParseShard(shard, batch.shardIndex, batch.shardCount)) {
      std::cerr << "--shard: expected I/N with 1 <= I <= N, not " << shard << "\n";
      return 2;
    }
    selko::ParseInputFormat(batchInput, batch.input);
    return Finish(selko::RunBatchCommand(batch, std::cout, std::cerr));
  }
  if (mergeCommand->parsed()) return Finish(selko::RunMergeCommand(merge, std::cout, std::cerr));
  return 2;
}
