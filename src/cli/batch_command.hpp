// `selko-cli batch`: every problem file under some paths, one fresh Prover per problem on N
// worker threads, with progress, a summary and optional CSV, JSON and HTML reports; and
// `selko-cli merge`, which joins the CSV files of several (sharded) runs.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/batch_rows.hpp"
#include "cli/problem.hpp"

namespace selko {

struct BatchRequest {
  std::vector<std::string> paths;
  int jobs = 0;              // worker threads; 0: one per core
  double timeoutSeconds = 0; // per problem; 0: none
  std::string csvFile, jsonFile, reportFile;
  int shardIndex = 1; // this run takes the shardIndex-th of shardCount slices
  int shardCount = 1;
  InputFormat input = InputFormat::Auto;
  RunOptions options;        // the window's options for every problem
  int progress = -1;         // -1: a bar when standard error is a terminal; 0: lines; 1: bar
  bool extended = false;     // each problem also by the extended engine (see extended_run.hpp)
  int workers = 1;           // the engine's threads per problem
  bool withoutPairs = false; // the engine without dependency pairs, to measure what they add
};

// Parses "I/N" with 1 <= I <= N.
bool ParseShard(const std::string& text, int& index, int& count);

// The problem files under the paths (directories searched recursively for .srs, .xml, .ari
// and .trs files; files named directly are taken whatever their name), sorted, without
// repeats. False with error set when a path does not exist.
bool CollectProblemFiles(const std::vector<std::string>& paths, std::vector<std::string>& files,
                         std::string& error);

// The files of slice `index` (from 1) of `count`: every count-th file from the index-th on.
std::vector<std::string> ShardOf(const std::vector<std::string>& files, int index, int count);

// Proves every file; rows come back in the order of `files`, whatever the number of jobs.
std::vector<BatchRow> RunBatch(const std::vector<std::string>& files, const BatchRequest& request,
                               const std::function<void(const BatchRow&)>& done);

// The whole command; returns the exit status (0 completed, 1 error).
int RunBatchCommand(const BatchRequest& request, std::ostream& out, std::ostream& err);

struct MergeRequest {
  std::vector<std::string> csvFiles;
  std::string csvFile, jsonFile, reportFile;
};

int RunMergeCommand(const MergeRequest& request, std::ostream& out, std::ostream& err);

// Writes the requested CSV, JSON and HTML files; false (with a message on err) on failure.
bool WriteBatchFiles(const std::vector<BatchRow>& rows, const BatchSummary& summary,
                     const std::string& csvFile, const std::string& jsonFile,
                     const std::string& reportFile, const std::string& title, std::ostream& err);

} // namespace selko
