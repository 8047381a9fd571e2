#include "corpus_testing.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace selko::engine::testing {

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

Letter Intern(Problem& p, const std::string& name) {
  auto it = std::find(p.names.begin(), p.names.end(), name);
  if (it != p.names.end()) return static_cast<Letter>(it - p.names.begin());
  p.names.push_back(name);
  return static_cast<Letter>(p.names.size() - 1);
}

} // namespace

Problem ParseTpdbRules(const std::string& text) {
  const std::size_t start = text.find("(RULES");
  const std::size_t end = text.rfind(')');
  if (start == std::string::npos || end == std::string::npos || end < start)
    throw std::invalid_argument("no (RULES ...) section");
  std::string body = text.substr(start + 6, end - start - 6);
  std::replace(body.begin(), body.end(), ',', '\n');
  Problem p;
  std::istringstream rules(body);
  std::string line;
  while (std::getline(rules, line)) {
    std::istringstream words(line);
    std::string word;
    Rule r;
    bool right = false, any = false;
    while (words >> word) {
      any = true;
      if (word == "->" || word == "->=") {
        if (right) throw std::invalid_argument("two arrows in " + line);
        right = true;
        r.strict = word == "->";
      } else {
        (right ? r.rhs : r.lhs).push_back(Intern(p, word));
      }
    }
    if (!any) continue;
    if (!right) throw std::invalid_argument("no arrow in " + line);
    p.rules.push_back(std::move(r));
  }
  return p;
}

bool CorpusAtHand() { return std::filesystem::is_directory(SELKO_CORPUS_DIR "/tpdb"); }

Problem ReadCorpusProblem(const std::string& name) {
  return ParseTpdbRules(ReadFile(std::string(SELKO_CORPUS_DIR) + "/tpdb/" + name + ".srs"));
}

std::map<std::string, CorpusEntry> ReadCorpusIndex() {
  std::map<std::string, CorpusEntry> entries;
  std::istringstream index(ReadFile(std::string(SELKO_CORPUS_DIR) + "/index.tsv"));
  std::string line;
  std::getline(index, line); // header
  while (std::getline(index, line)) {
    std::istringstream fields(line);
    std::string name;
    CorpusEntry entry;
    int weak = 0;
    if (!(fields >> name >> entry.category >> entry.rules >> entry.symbols >> entry.longest >>
          weak)) {
      throw std::invalid_argument("a malformed row of index.tsv: " + line);
    }
    entry.weak = weak != 0;
    entries[name] = entry;
  }
  std::istringstream status(ReadFile(std::string(SELKO_CORPUS_DIR) + "/status.tsv"));
  std::getline(status, line);
  while (std::getline(status, line)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    entries[line.substr(0, tab)].status = line.substr(tab + 1);
  }
  return entries;
}

} // namespace selko::engine::testing
