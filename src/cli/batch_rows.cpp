#include "cli/batch_rows.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <map>
#include <ostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/prove_command.hpp"

namespace selko {

const char* BatchAnswer(Status status) {
  return status == Status::Error ? "ERROR" : TermcompAnswer(status);
}

std::string LastTechnique(const std::vector<std::string>& proof) {
  // Step headings, each with the technique it starts.
  static const std::vector<std::pair<std::string, std::string>> headings = {
      {"Non-terminating; looping derivation", "loop"},
      {"Terminating due to RFC match bound", "match bound"},
      {"Terminating by recursive path order", "recursive path order"},
      {"Terminating since rev(l) > rev(r)", "recursive path order"},
      {"Choose polynomial interpretation", "polynomial interpretation"},
      {"Apply labelling with the following interpretation", "semantic labelling"},
      {"Remove all labels", "label removal"},
      {"Dependency pair transformation", "dependency pairs"},
      {"Apply dummy elimination", "dummy elimination"},
      {"Transformation order: apply rule", "transformation order"},
      {"Add left contexts", "left contexts"},
      {"Strip first symbol", "match bound"},
      {"Strip last symbol", "match bound"},
      {"Expand empty rhs", "match bound"},
  };
  for (auto line = proof.rbegin(); line != proof.rend(); ++line) {
    for (const auto& [start, technique] : headings) {
      if (line->compare(0, start.size(), start) == 0) return technique;
    }
  }
  return "";
}

void AnswerCounts::Add(const std::string& answer) {
  if (answer == "YES") {
    ++yes;
  } else if (answer == "NO") {
    ++no;
  } else if (answer == "MAYBE") {
    ++maybe;
  } else {
    ++error;
  }
}

BatchSummary Summarise(const std::vector<BatchRow>& rows, double wallMs) {
  BatchSummary summary;
  summary.wallMs = wallMs;
  std::map<std::string, AnswerCounts> directories;
  std::vector<double> times;
  for (const BatchRow& row : rows) {
    summary.counts.Add(row.answer);
    directories[std::filesystem::path(row.path).parent_path().string()].Add(row.answer);
    summary.totalMs += row.ms;
    times.push_back(row.ms);
  }
  summary.directories.assign(directories.begin(), directories.end());
  if (!times.empty()) {
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    summary.medianMs = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  }
  for (const BatchRow& row : rows)
    summary.slowest.push_back(&row);
  std::stable_sort(summary.slowest.begin(), summary.slowest.end(),
                   [](const BatchRow* a, const BatchRow* b) { return a->ms > b->ms; });
  if (summary.slowest.size() > 10) summary.slowest.resize(10);
  return summary;
}

std::string ShowDuration(double ms) {
  char text[64];
  if (ms < 1000) {
    std::snprintf(text, sizeof text, "%.0f ms", ms);
  } else if (ms < 60000) {
    std::snprintf(text, sizeof text, "%.1f s", ms / 1000);
  } else {
    const long seconds = static_cast<long>(ms / 1000 + 0.5);
    std::snprintf(text, sizeof text, "%ld min %02ld s", seconds / 60, seconds % 60);
  }
  return text;
}

void WriteSummary(const BatchSummary& summary, std::ostream& out) {
  const AnswerCounts& c = summary.counts;
  out << "Problems: " << c.Total() << "\n";
  out << "  YES    " << std::setw(7) << c.yes << "\n";
  out << "  NO     " << std::setw(7) << c.no << "\n";
  out << "  MAYBE  " << std::setw(7) << c.maybe << "\n";
  out << "  error  " << std::setw(7) << c.error << "\n";
  out << "Time: total " << ShowDuration(summary.totalMs) << ", median "
      << ShowDuration(summary.medianMs);
  if (summary.wallMs > 0) out << ", elapsed " << ShowDuration(summary.wallMs);
  out << "\n";
  if (!summary.directories.empty()) {
    std::size_t width = 9;
    for (const auto& d : summary.directories)
      width = std::max(width, d.first.size());
    out << "\n"
        << std::left << std::setw(static_cast<int>(width)) << "directory" << std::right
        << "     YES      NO   MAYBE   error   total\n";
    for (const auto& [directory, counts] : summary.directories) {
      out << std::left << std::setw(static_cast<int>(width))
          << (directory.empty() ? std::string(".") : directory) << std::right << std::setw(8)
          << counts.yes << std::setw(8) << counts.no << std::setw(8) << counts.maybe << std::setw(8)
          << counts.error << std::setw(8) << counts.Total() << "\n";
    }
  }
  if (!summary.slowest.empty()) {
    out << "\nSlowest problems:\n";
    for (const BatchRow* row : summary.slowest) {
      out << "  " << std::setw(10) << ShowDuration(row->ms) << "  " << std::left << std::setw(6)
          << row->answer << std::right << "  " << row->path << "\n";
    }
  }
}

namespace {

std::string CsvField(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char ch : field) {
    if (ch == '"') quoted += '"';
    quoted += ch;
  }
  return quoted + "\"";
}

std::string Milliseconds(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", ms);
  return text;
}

const char* kCsvHeader = "path,answer,time_ms,rules,symbols,technique,error";

// Splits CSV text into records of fields (quoted fields may hold commas and line ends).
bool CsvRecords(const std::string& text, std::vector<std::vector<std::string>>& records,
                std::string& error) {
  std::vector<std::string> record;
  std::string field;
  bool quoted = false;
  bool fieldStarted = false;
  int line = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (quoted) {
      if (ch == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        if (ch == '\n') ++line;
        field += ch;
      }
      continue;
    }
    if (ch == '"' && !fieldStarted) {
      quoted = true;
      fieldStarted = true;
    } else if (ch == ',') {
      record.push_back(field);
      field.clear();
      fieldStarted = false;
    } else if (ch == '\n' || ch == '\r') {
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      record.push_back(field);
      records.push_back(record);
      record.clear();
      field.clear();
      fieldStarted = false;
      ++line;
    } else {
      field += ch;
      fieldStarted = true;
    }
  }
  if (quoted) {
    error = "a quoted field is never closed (line " + std::to_string(line) + ")";
    return false;
  }
  if (fieldStarted || !record.empty()) {
    record.push_back(field);
    records.push_back(record);
  }
  return true;
}

} // namespace

void WriteCsv(const std::vector<BatchRow>& rows, std::ostream& out) {
  out << kCsvHeader << "\n";
  for (const BatchRow& row : rows) {
    out << CsvField(row.path) << ',' << row.answer << ',' << Milliseconds(row.ms) << ','
        << row.rules << ',' << row.symbols << ',' << CsvField(row.technique) << ','
        << CsvField(row.error) << "\n";
  }
}

void WriteJson(const std::vector<BatchRow>& rows, std::ostream& out) {
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (const BatchRow& row : rows) {
    nlohmann::ordered_json object;
    object["path"] = row.path;
    object["answer"] = row.answer;
    object["time_ms"] = std::stod(Milliseconds(row.ms));
    object["rules"] = row.rules;
    object["symbols"] = row.symbols;
    object["technique"] = row.technique;
    object["error"] = row.error;
    array.push_back(std::move(object));
  }
  out << array.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

bool ReadCsv(const std::string& text, std::vector<BatchRow>& rows, std::string& error) {
  std::vector<std::vector<std::string>> records;
  if (!CsvRecords(text, records, error)) return false;
  if (records.empty()) {
    error = "empty file";
    return false;
  }
  std::string header;
  for (std::size_t i = 0; i < records[0].size(); ++i)
    header += (i ? "," : "") + records[0][i];
  if (header != kCsvHeader) {
    error = "not a batch CSV (its first line must be " + std::string(kCsvHeader) + ")";
    return false;
  }
  for (std::size_t k = 1; k < records.size(); ++k) {
    const std::vector<std::string>& f = records[k];
    if (f.size() == 1 && f[0].empty()) continue;
    if (f.size() != 7) {
      error =
          "record " + std::to_string(k + 1) + " has " + std::to_string(f.size()) + " fields, not 7";
      return false;
    }
    BatchRow row;
    row.path = f[0];
    row.answer = f[1];
    try {
      row.ms = std::stod(f[2]);
      row.rules = std::stoi(f[3]);
      row.symbols = std::stoi(f[4]);
    } catch (const std::exception&) {
      error = "record " + std::to_string(k + 1) + " has a field that is not a number";
      return false;
    }
    row.technique = f[5];
    row.error = f[6];
    rows.push_back(std::move(row));
  }
  return true;
}

} // namespace selko
