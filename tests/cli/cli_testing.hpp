// Helpers of the command-line tests: running selko-cli, the corpus, scratch files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace selko::clitest {

namespace fs = std::filesystem;

// The sample problems; empty when they are not at hand.
inline std::string CorpusDir() {
  if (fs::is_directory(SELKO_CORPUS_DIR)) return SELKO_CORPUS_DIR;
  const char* env = std::getenv("SELKO_CORPUS_DIR");
  if (env != nullptr && fs::is_directory(env)) return env;
  return "";
}

#define SELKO_NEED_CORPUS(dir)                                                                     \
  const std::string dir = ::selko::clitest::CorpusDir();                                           \
  if (dir.empty()) GTEST_SKIP() << "the sample problems are not at hand"

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// A fresh directory for one test, removed at the end.
class ScratchDir {
public:
  ScratchDir() {
    char pattern[] = "/tmp/selko-cli-test-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::string Write(const std::string& name, const std::string& text) const {
    WriteText(File(name), text);
    return File(name);
  }
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs selko-cli with the arguments (each quoted for the shell), standard input from
// `input` when it is not empty.
inline CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  ScratchDir dir;
  std::string command = "'" SELKO_CLI_PATH "'";
  for (const std::string& a : args) {
    std::string quoted = "'";
    for (char c : a)
      quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += " " + quoted + "'";
  }
  const std::string in = dir.Write("stdin", input);
  command += " < '" + in + "' > '" + dir.File("stdout") + "' 2> '" + dir.File("stderr") + "'";
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(dir.File("stdout"));
  run.err = ReadText(dir.File("stderr"));
  return run;
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    lines.push_back(line);
  return lines;
}

} // namespace selko::clitest
