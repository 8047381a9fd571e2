// Progress of a batch run on standard error: a bar redrawn in place on a terminal, plain
// lines now and then otherwise.
#pragma once

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

#include "cli/batch_rows.hpp"

namespace selko {

class BatchProgress {
public:
  // `terminal`: redraw one line in place; otherwise print a line every tenth of the work.
  BatchProgress(std::FILE* out, bool terminal, int total);

  // One more problem done with this answer; safe to call from any thread.
  void Done(const std::string& answer);

  // The final state, and a line end after the bar.
  void Finish();

  // The progress line as shown (without the carriage return), for the current state.
  std::string Line() const;

private:
  void Show(bool force);

  std::FILE* out_;
  bool terminal_;
  int total_;
  int done_ = 0;
  AnswerCounts counts_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastShown_;
  int nextLineAt_ = 0;
  int lastPrintedDone_ = -1;
  mutable std::mutex mutex_;
};

} // namespace selko
