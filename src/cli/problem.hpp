// A problem file made ready for the provers: its format chosen (given or detected), then either
// input lines for one of the window's readers or a system read here from XML or ARI; for an
// extended run also the engine's capacity-free problem, read by the engine's reader.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/prover.hpp"
#include "engine/problem.hpp"
#include "engine/readers/input_format.hpp"

namespace selko {

using InputFormat = engine::InputFormat;
using engine::DetectInputFormat;
using engine::InputFormatName;
using engine::ParseInputFormat;

// The lines handed to the window's TPDB reader for a TPDB text file: the text from its
// "(RULES" on, tabs turned into blanks. False when the text holds no "(RULES".
bool TpdbRulesLines(const std::string& text, std::vector<std::string>& lines);

struct Problem {
  InputFormat format = InputFormat::Plain; // the format it was read in
  std::vector<std::string> lines;          // input lines for the window's readers
  std::unique_ptr<RuleTable> system;       // read here (XML, ARI); null otherwise
  bool tpdbReader = false;                 // the window's TPDB reader takes the lines
  std::string error;                       // why the file was refused; empty when ready
  bool unreadable = false;                 // the file could not be read (error names it)
  // Extended runs only: the problem as the engine reads it (null when not asked for or refused)
  // and why the engine's reader refused it.
  std::shared_ptr<const engine::Problem> engineProblem;
  std::string engineError;
};

// Reads a problem from a file ("-": standard input). `windowTpdb` is the window's "tpdb
// format" box (--tpdb): the window's TPDB reader on the text as it is, whatever the format.
// `extended` also reads the engine's problem.
Problem LoadProblem(const std::string& path, InputFormat format, bool windowTpdb,
                    bool extended = false);

// The same from a text already in memory.
Problem PrepareProblem(const std::string& path, const std::string& text, InputFormat format,
                       bool windowTpdb, bool extended = false);

// The options of a run of this problem: the reader's choice and the prepared system added.
RunOptions ProblemOptions(const Problem& problem, RunOptions options);

} // namespace selko
