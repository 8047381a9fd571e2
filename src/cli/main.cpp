// selko-cli: the command-line front end over the prover.
#include <iostream>
#include <map>

#include <CLI/CLI.hpp>

#include "cli/prove_command.hpp"

int main(int argc, char** argv) {
  CLI::App app{"SELKO 1.4: termination proofs for string rewriting systems"};
  app.require_subcommand(1);

  selko::ProveRequest prove;
  std::string format = "text";
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
    return selko::RunProveCommand(prove, std::cout, std::cerr);
  }
  return 2;
}
