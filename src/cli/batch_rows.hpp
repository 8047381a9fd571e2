// The results of a batch run, one row per problem, and what is made of them: the summary
// table, the CSV and JSON files, and reading a CSV back for `merge`.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/prover.hpp"

namespace selko {

struct BatchRow {
  std::string path;
  std::string answer; // YES, NO, MAYBE or ERROR
  double ms = 0;      // wall-clock time of the run
  int rules = 0;      // of the system as read
  int symbols = 0;
  std::string technique;          // of the last proof step; empty without a proof
  std::string error;              // the message of an ERROR
  std::vector<std::string> proof; // not written to CSV or JSON; shown by the HTML report
};

// YES, NO, MAYBE or ERROR for a run's status.
const char* BatchAnswer(Status status);

// The technique of the last step of a proof text (e.g. "polynomial interpretation",
// "recursive path order", "match bound", "loop"); empty when no step is recognised.
std::string LastTechnique(const std::vector<std::string>& proof);

// Counts of the answers of some rows.
struct AnswerCounts {
  int yes = 0, no = 0, maybe = 0, error = 0;
  int Total() const { return yes + no + maybe + error; }
  void Add(const std::string& answer);
};

// The figures shown by the summary table and the report.
struct BatchSummary {
  AnswerCounts counts;
  std::vector<std::pair<std::string, AnswerCounts>> directories; // sorted by directory
  double totalMs = 0;                                            // all problems' times added up
  double medianMs = 0;
  double wallMs = 0; // the run's elapsed time (0 when unknown, e.g. after a merge)
  std::vector<const BatchRow*> slowest; // at most ten, slowest first
};

BatchSummary Summarise(const std::vector<BatchRow>& rows, double wallMs);

// The summary table as text.
void WriteSummary(const BatchSummary& summary, std::ostream& out);

// "path,answer,time_ms,rules,symbols,technique,error" and one line per row.
void WriteCsv(const std::vector<BatchRow>& rows, std::ostream& out);
// One JSON array with an object per row (the same fields as the CSV).
void WriteJson(const std::vector<BatchRow>& rows, std::ostream& out);
// Reads a CSV written by WriteCsv; false with error set when it is not one.
bool ReadCsv(const std::string& text, std::vector<BatchRow>& rows, std::string& error);

// Milliseconds as "850 ms", "12.3 s" or "4 min 05 s".
std::string ShowDuration(double ms);

} // namespace selko
