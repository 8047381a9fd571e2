// A problem file made ready for the prover: its format chosen (given or detected), then either
// input lines for one of the window's readers or a system read here from XML or ARI.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/prover.hpp"

namespace selko {

enum class InputFormat { Auto, Plain, Tpdb, Xml, Ari };

// "auto", "plain", "tpdb", "xml", "ari"; false for anything else.
bool ParseInputFormat(const std::string& text, InputFormat& format);
const char* InputFormatName(InputFormat format);

// The format of a text, by its file name and content: ".xml" or a text starting with "<?xml"
// is XML; a text whose first form is "(format" is ARI; a text whose first non-blank character
// is '(' and which holds "(RULES" is the TPDB text format; anything else is plain.
InputFormat DetectInputFormat(const std::string& path, const std::string& text);

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
