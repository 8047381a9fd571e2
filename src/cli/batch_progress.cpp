#include "cli/batch_progress.hpp"

namespace selko {

namespace {

std::string Clock(double seconds) {
  const long s = static_cast<long>(seconds + 0.5);
  char text[32];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  }
  return text;
}

} // namespace

BatchProgress::BatchProgress(std::FILE* out, bool terminal, int total)
    : out_(out), terminal_(terminal), total_(total), start_(std::chrono::steady_clock::now()) {
  lastShown_ = start_;
  nextLineAt_ = total_ / 10 > 0 ? total_ / 10 : 1;
  std::lock_guard<std::mutex> lock(mutex_);
  if (terminal_) Show(true);
}

std::string BatchProgress::Line() const {
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  std::string line;
  if (terminal_) {
    constexpr int kWidth = 30;
    const int filled = total_ > 0 ? done_ * kWidth / total_ : kWidth;
    line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(kWidth - filled), '.') + "] ";
  } else {
    line = "progress: ";
  }
  line += std::to_string(done_) + "/" + std::to_string(total_) + "  YES " +
          std::to_string(counts_.yes) + "  NO " + std::to_string(counts_.no) + "  MAYBE " +
          std::to_string(counts_.maybe) + "  error " + std::to_string(counts_.error) +
          "  elapsed " + Clock(elapsed);
  if (done_ > 0 && done_ < total_) {
    line += "  remaining " + Clock(elapsed / done_ * (total_ - done_));
  } else if (done_ < total_) {
    line += "  remaining ?";
  }
  return line;
}

void BatchProgress::Show(bool force) {
  const auto now = std::chrono::steady_clock::now();
  if (terminal_) {
    if (!force && now - lastShown_ < std::chrono::milliseconds(100)) return;
    std::fprintf(out_, "\r%s\x1b[K", Line().c_str());
  } else {
    if (!force && done_ < nextLineAt_) return;
    while (nextLineAt_ <= done_)
      nextLineAt_ += total_ / 10 > 0 ? total_ / 10 : 1;
    std::fprintf(out_, "%s\n", Line().c_str());
    lastPrintedDone_ = done_;
  }
  std::fflush(out_);
  lastShown_ = now;
}

void BatchProgress::Done(const std::string& answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  ++done_;
  counts_.Add(answer);
  Show(false);
}

void BatchProgress::Finish() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (terminal_) {
    Show(true);
    std::fprintf(out_, "\n");
  } else if (lastPrintedDone_ != done_) {
    Show(true);
  }
  std::fflush(out_);
}

} // namespace selko
