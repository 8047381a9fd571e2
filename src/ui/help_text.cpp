// The text of the help panel (Memo4) and the credit line under the input area (Label7).
// Several lines end in blanks on purpose: the panel shows them exactly as written here.
#include "ui/help_text.hpp"

namespace selko::ui {

namespace {

// clang-format off
const char* const kHelpLines[] = {
    "SELKO, version 1.4: proving termination of string rewriting systems",
    "",
    "By this tool proofs of (relative) termination of string rewriting can be generated ",
    "automatically. It is based on a combination of polynomial interpretations, recursive path ",
    "order, semantic labelling, dependency pairs, RFC-match-bounds, transformation order",
    "and dummy elimination. Moreover, a search for loops is included, based on ancestor graphs.",
    "",
    "Below the text 'Input' you can type a string rewrite system. The symbols should",
    "be single symbols different from ' ', '-', '>', '=', 'e'. The symbol 'e' (empty) represents the ",
    "empty string. Every rule should be on a separate line. ",
    "For proving termination of R every rule of R should be of the shape lhs -> rhs.",
    "For proving relative termination of R/S every rule of R should be of the shape lhs -> rhs",
    "and every rule of S should be of the shape lhs ->= rhs. After these rules lines starting with ",
    "a blank symbol are ignored and can be used as comment lines.",
    "",
    "Apart from typing the text also files in the same directory having a name of the shape",
    "<file name>.srs and in the same format as described above can be loaded. ",
    "",
    "A string rewrite system typed, entered or modified can be saved by entering the desired",
    "name in 'file name' and clicking on 'save SRS'.",
    "",
    "By clicking on 'START' the program tries to generate a proof for (relative) termination.",
    "If the program succeeds the resulting proof is shown. By clicking on 'save result' this",
    "proof is saved in a file <file name>.res.",
    "",
    "Finally by clicking on 'customize' some parameters can be reset. For normal use on",
    "systems of no more than 10 rules and 5 symbols this will not be necessary. Moreover, the",
    "standard format can be reset to tpdb format.",
    "",
    "The program is non-determistic: at some points a random search is done.",
    "",
    "SELKO was written by the SELKO developers, who thank everybody who sent them systems to try.",
    "",
    "SELKO may be used, copied and passed on freely for research and teaching. It comes without",
    "any warranty: a proof it shows should be checked before anything depends on it.",
    "",
    "Questions, remarks and systems that SELKO cannot handle are welcome; please send them to",
    "the SELKO developers through the channel from which you obtained the program.",
    "",
    "This is version 1.4, from March 2005.     ********  Click here to reenter the program  ",
    "********",
};

// Follows the lines on the options.
const char* const kExtendedLines[] = {
    "With 'extended' on, START goes on with the extended engine where these techniques find no",
    "proof, for at most 'time (s):' seconds. While a run is in progress, START reads STOP and",
    "ends the run.",
};
// clang-format on

// The line after which the lines on the engine are added: the last one on the options.
const char* const kOptionsEnd = "standard format can be reset to tpdb format.";

} // namespace

QStringList HelpLines(bool extended) {
  QStringList lines;
  for (const char* line : kHelpLines) {
    lines.append(QString::fromLatin1(line));
    if (extended && QLatin1String(line) == QLatin1String(kOptionsEnd)) {
      for (const char* added : kExtendedLines)
        lines.append(QString::fromLatin1(added));
    }
  }
  return lines;
}

QString CreditLine() { return QStringLiteral("by the SELKO developers"); }

} // namespace selko::ui
