#include "engine/readers/input_format.hpp"

#include <map>

#include "engine/readers/ari_reader.hpp"

namespace selko::engine {

bool ParseInputFormat(const std::string& text, InputFormat& format) {
  static const std::map<std::string, InputFormat> formats = {{"auto", InputFormat::Auto},
                                                             {"plain", InputFormat::Plain},
                                                             {"tpdb", InputFormat::Tpdb},
                                                             {"xml", InputFormat::Xml},
                                                             {"ari", InputFormat::Ari}};
  const auto found = formats.find(text);
  if (found == formats.end()) return false;
  format = found->second;
  return true;
}

const char* InputFormatName(InputFormat format) {
  switch (format) {
  case InputFormat::Auto: return "auto";
  case InputFormat::Plain: return "plain";
  case InputFormat::Tpdb: return "tpdb";
  case InputFormat::Xml: return "xml";
  case InputFormat::Ari: return "ari";
  }
  return "plain";
}

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

InputFormat DetectInputFormat(const std::string& path, const std::string& text) {
  if (EndsWith(path, ".xml")) return InputFormat::Xml;
  std::size_t start = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3; // a byte order mark
  if (text.compare(start, 5, "<?xml") == 0) return InputFormat::Xml;
  if (LooksLikeAri(text)) return InputFormat::Ari;
  std::size_t p = start;
  while (p < text.size() && IsBlank(text[p]))
    ++p;
  if (p < text.size() && text[p] == '(' && text.find("(RULES") != std::string::npos) {
    return InputFormat::Tpdb;
  }
  return InputFormat::Plain;
}

std::string TooLargeMessage() {
  return "larger than " + std::to_string(kMaxInputBytes >> 20) + " MiB";
}

std::string RefusedTextMessage(const std::string& text) {
  if (text.size() > kMaxInputBytes) return TooLargeMessage();
  const std::size_t nul = text.find('\0');
  if (nul == std::string::npos) return "";
  int line = 0;
  int column = 0;
  LineAndColumn(text, nul, line, column);
  return "not a text file: a NUL byte at line " + std::to_string(line) + ", column " +
         std::to_string(column);
}

void LineAndColumn(const std::string& text, std::size_t offset, int& line, int& column) {
  line = 1;
  column = 1;
  const std::size_t end = offset < text.size() ? offset : text.size();
  for (std::size_t i = 0; i < end; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
}

} // namespace selko::engine
