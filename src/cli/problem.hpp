// A problem file made ready for the provers: its format chosen (given or detected) and the file
// read into the engine's capacity-free problem; the fixed-capacity run gets the system of the
// same rules within its capacities: read from XML or ARI by the same reader, or the table of the
// window's readers on the file's lines when it holds exactly the problem's rules.
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
  std::vector<std::string> lines;          // the lines the window's readers read
  std::unique_ptr<RuleTable> system;       // what the fixed-capacity run proves; null if refused
  bool tpdbReader = false;                 // the window's TPDB reader read the lines
  std::string error;                       // why the fixed-capacity run refuses the file
  bool unreadable = false;                 // the file could not be read (error names it)
  // The problem as the engine reads it (null when refused) and why the engine's reader refused
  // it.
  std::shared_ptr<const engine::Problem> engineProblem;
  std::string engineError;
};

// Reads a problem from a file ("-": standard input). `windowTpdb` is the window's "tpdb
// format" box (--tpdb): the window's TPDB reader on the text as it is, whatever the format.
Problem LoadProblem(const std::string& path, InputFormat format, bool windowTpdb);

// The same from a text already in memory.
Problem PrepareProblem(const std::string& path, const std::string& text, InputFormat format,
                       bool windowTpdb);

// The options of a run of this problem: the reader's choice and the prepared system added.
RunOptions ProblemOptions(const Problem& problem, RunOptions options);

} // namespace selko
