#include "cli/batch_command.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <ostream>
#include <set>
#include <thread>
#include <unistd.h>

#include "cli/batch_progress.hpp"
#include "cli/extended_run.hpp"
#include "cli/html_report.hpp"
#include "cli/input_file.hpp"
#include "cli/problem_run.hpp"

namespace selko {

namespace fs = std::filesystem;

bool ParseShard(const std::string& text, int& index, int& count) {
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 >= text.size()) return false;
  const std::string a = text.substr(0, slash);
  const std::string b = text.substr(slash + 1);
  if (a.find_first_not_of("0123456789") != std::string::npos ||
      b.find_first_not_of("0123456789") != std::string::npos || a.size() > 9 || b.size() > 9) {
    return false;
  }
  index = std::stoi(a);
  count = std::stoi(b);
  return count >= 1 && index >= 1 && index <= count;
}

namespace {

// One problem of an extended batch: the time limit per problem, not guarded (every run ends at
// its own deadline, as without the engine).
ExtendedLimits ExtendedLimitsOf(const BatchRequest& request,
                                std::chrono::steady_clock::time_point start) {
  ExtendedLimits limits;
  limits.start = start;
  limits.proverSeconds = request.timeoutSeconds;
  limits.workers = request.workers;
  limits.dependencyPairs = !request.withoutPairs;
  return limits;
}

bool IsProblemFile(const fs::path& path) {
  const std::string name = path.filename().string();
  if (name.empty() || name[0] == '.') return false;
  const std::string ext = path.extension().string();
  return ext == ".srs" || ext == ".xml" || ext == ".ari" || ext == ".trs";
}

} // namespace

bool CollectProblemFiles(const std::vector<std::string>& paths, std::vector<std::string>& files,
                         std::string& error) {
  std::set<std::string> found;
  for (const std::string& path : paths) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
      error = "cannot find " + path;
      return false;
    }
    if (!fs::is_directory(status)) {
      found.insert(path);
      continue;
    }
    fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, ec);
    if (ec) {
      error = "cannot read the directory " + path + ": " + ec.message();
      return false;
    }
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (ec) {
        error = "cannot read under " + path + ": " + ec.message();
        return false;
      }
      const fs::path& p = it->path();
      if (it->is_directory(ec) && p.filename().string().rfind('.', 0) == 0) {
        it.disable_recursion_pending();
        continue;
      }
      if (it->is_regular_file(ec) && IsProblemFile(p)) found.insert(p.string());
    }
  }
  files.assign(found.begin(), found.end());
  return true;
}

std::vector<std::string> ShardOf(const std::vector<std::string>& files, int index, int count) {
  std::vector<std::string> slice;
  if (count < 1 || index < 1 || index > count) return slice;
  for (std::size_t i = static_cast<std::size_t>(index - 1); i < files.size();
       i += static_cast<std::size_t>(count)) {
    slice.push_back(files[i]);
  }
  return slice;
}

std::vector<BatchRow> RunBatch(const std::vector<std::string>& files, const BatchRequest& request,
                               const std::function<void(const BatchRow&)>& done) {
  std::vector<BatchRow> rows(files.size());
  int jobs =
      request.jobs > 0 ? request.jobs : static_cast<int>(std::thread::hardware_concurrency());
  if (jobs < 1) jobs = 1;
  if (static_cast<std::size_t>(jobs) > files.size()) jobs = static_cast<int>(files.size());

  std::atomic<std::size_t> next{0};
  RunOptions options = request.options;
  options.timeoutSeconds = request.timeoutSeconds;
  auto work = [&] {
    while (true) {
      const std::size_t i = next.fetch_add(1);
      if (i >= files.size()) return;
      const auto start = std::chrono::steady_clock::now();
      const Problem problem = LoadProblem(files[i], request.input, request.options.tpdbFormat);
      ProblemOutcome outcome = request.extended ? RunExtended(problem, request.options, false,
                                                              ExtendedLimitsOf(request, start))
                                                : RunProblem(problem, options, false);
      BatchRow& row = rows[i];
      row.path = files[i];
      row.answer = BatchAnswer(outcome.result.status);
      row.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count();
      row.rules = outcome.rules;
      row.symbols = outcome.symbols;
      row.error = outcome.result.error;
      row.technique = outcome.byEngine ? outcome.technique : LastTechnique(outcome.result.proof);
      row.proof = std::move(outcome.result.proof);
      if (done) done(row);
    }
  };
  std::vector<std::thread> workers;
  for (int k = 1; k < jobs; ++k)
    workers.emplace_back(work);
  work();
  for (std::thread& t : workers)
    t.join();
  return rows;
}

namespace {

// Whether the file can be written (its directory exists and lets us write), without touching
// an earlier file there.
bool CheckOutputFile(const std::string& file, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path path(file);
  if (fs::is_directory(path, ec)) return (error = file + " is a directory", false);
  if (fs::exists(path, ec)) {
    if (::access(file.c_str(), W_OK) != 0) return (error = "cannot write " + file, false);
    return true;
  }
  const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
  if (!fs::is_directory(parent, ec)) {
    return (error = "cannot write " + file + ": no directory " + parent.string(), false);
  }
  if (::access(parent.c_str(), W_OK) != 0) {
    return (error = "cannot write " + file + ": the directory is not writable", false);
  }
  return true;
}

} // namespace

bool WriteBatchFiles(const std::vector<BatchRow>& rows, const BatchSummary& summary,
                     const std::string& csvFile, const std::string& jsonFile,
                     const std::string& reportFile, const std::string& title, std::ostream& err) {
  bool ok = true;
  // Each file is written beside its place and put there whole: a failed write leaves the earlier
  // file as it was.
  auto write = [&](const std::string& file, const std::function<void(std::ostream&)>& body) {
    if (file.empty()) return;
    const std::string scratch = file + ".selko-partial";
    bool written = false;
    {
      std::ofstream out(scratch, std::ios::binary);
      if (out) body(out);
      out.flush();
      written = static_cast<bool>(out);
    }
    std::error_code ec;
    if (written) std::filesystem::rename(scratch, file, ec);
    if (!written || ec) {
      std::filesystem::remove(scratch, ec);
      err << "error: cannot write " << file << "\n";
      ok = false;
    }
  };
  write(csvFile, [&](std::ostream& o) { WriteCsv(rows, o); });
  write(jsonFile, [&](std::ostream& o) { WriteJson(rows, o); });
  write(reportFile, [&](std::ostream& o) { WriteHtmlReport(rows, summary, title, o); });
  return ok;
}

int RunBatchCommand(const BatchRequest& request, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  std::string error;
  if (!CollectProblemFiles(request.paths, files, error)) {
    err << "error: " << error << "\n";
    return 1;
  }
  files = ShardOf(files, request.shardIndex, request.shardCount);
  // An output that cannot be written is told before the first problem runs, not after the last.
  for (const std::string* file : {&request.csvFile, &request.jsonFile, &request.reportFile}) {
    if (!file->empty() && !CheckOutputFile(*file, error)) {
      err << "error: " << error << "\n";
      return 1;
    }
  }

  const bool terminal = request.progress < 0 ? ::isatty(STDERR_FILENO) != 0 : request.progress > 0;
  const auto start = std::chrono::steady_clock::now();
  BatchProgress progress(stderr, terminal, static_cast<int>(files.size()));
  const std::vector<BatchRow> rows =
      RunBatch(files, request, [&](const BatchRow& row) { progress.Done(row.answer); });
  progress.Finish();
  const double wallMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  const BatchSummary summary = Summarise(rows, wallMs);
  WriteSummary(summary, out);
  std::string title = "SELKO 1.4 batch run";
  if (request.shardCount > 1) {
    title +=
        ", shard " + std::to_string(request.shardIndex) + "/" + std::to_string(request.shardCount);
  }
  return WriteBatchFiles(rows, summary, request.csvFile, request.jsonFile, request.reportFile,
                         title, err)
             ? 0
             : 1;
}

int RunMergeCommand(const MergeRequest& request, std::ostream& out, std::ostream& err) {
  std::vector<BatchRow> rows;
  for (const std::string& file : request.csvFiles) {
    std::string text;
    std::string error;
    if (!ReadWholeFile(file, text, error)) {
      err << "error: " << error << "\n";
      return 1;
    }
    if (!ReadCsv(text, rows, error)) {
      err << "error: " << file << ": " << error << "\n";
      return 1;
    }
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const BatchRow& a, const BatchRow& b) { return a.path < b.path; });
  // A problem in two of the files (shards run twice, a file given twice) counts once: its first
  // row.
  std::vector<BatchRow> once;
  std::string warned;
  for (BatchRow& row : rows) {
    if (!once.empty() && once.back().path == row.path) {
      if (warned != row.path)
        err << "warning: " << row.path << " appears more than once; counted once\n";
      warned = row.path;
      continue;
    }
    once.push_back(std::move(row));
  }
  rows = std::move(once);
  const BatchSummary summary = Summarise(rows, 0);
  WriteSummary(summary, out);
  return WriteBatchFiles(rows, summary, request.csvFile, request.jsonFile, request.reportFile,
                         "SELKO 1.4 batch run, merged from " +
                             std::to_string(request.csvFiles.size()) + " files",
                         err)
             ? 0
             : 1;
}

} // namespace selko
