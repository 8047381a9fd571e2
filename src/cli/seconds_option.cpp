#include "cli/seconds_option.hpp"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace selko {

std::string ParseSeconds(const std::string& text, double& seconds) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  const bool whole = !text.empty() && std::isspace(static_cast<unsigned char>(text[0])) == 0 &&
                     end == begin + text.size();
  if (!whole || std::isnan(value)) return "not a number";
  if (!(value > 0)) return "must be positive";
  if (std::isinf(value)) return "must be finite"; // also a number too large for a double
  seconds = value;
  return "";
}

} // namespace selko
