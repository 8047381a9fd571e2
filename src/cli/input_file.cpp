#include "cli/input_file.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>

#include "engine/readers/input_format.hpp"

namespace selko {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

namespace {

using engine::kMaxInputBytes;

std::string TooLarge() { return engine::TooLargeMessage(); }

// Reads the stream to its end; false as soon as it holds more than kMaxInputBytes.
bool ReadBounded(std::istream& in, std::string& text) {
  text.clear();
  char chunk[65536];
  while (in) {
    in.read(chunk, sizeof chunk);
    const std::size_t n = static_cast<std::size_t>(in.gcount());
    if (text.size() + n > kMaxInputBytes) return false;
    text.append(chunk, n);
  }
  return true;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
  if (path == "-") {
    if (!ReadBounded(std::cin, text)) {
      error = "cannot read standard input: " + TooLarge();
      return false;
    }
    return true;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    error = "cannot read " + path + ": it is a directory";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!ReadBounded(in, text)) {
    error = "cannot read " + path + ": " + TooLarge();
    return false;
  }
  if (in.bad()) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

} // namespace selko
