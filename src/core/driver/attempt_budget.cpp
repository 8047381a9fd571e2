#include "core/driver/attempt_budget.hpp"

#include <cstdint>

namespace selko {

bool ParseAttempts(const std::string& text, std::int32_t& value) {
  std::size_t p = 0;
  const std::size_t n = text.size();
  while (p < n && text[p] == ' ')
    ++p;
  bool negative = false;
  if (p < n && (text[p] == '+' || text[p] == '-')) {
    negative = text[p] == '-';
    ++p;
  }
  const std::size_t digitsStart = p;
  std::int64_t magnitude = 0;
  while (p < n && text[p] >= '0' && text[p] <= '9') {
    magnitude = magnitude * 10 + (text[p] - '0');
    if (magnitude > 2147483648LL) return false;
    ++p;
  }
  if (p == digitsStart) return false;
  while (p < n && text[p] == ' ')
    ++p;
  if (p != n) return false;
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT32_MAX || signedValue < INT32_MIN) return false;
  value = static_cast<std::int32_t>(signedValue);
  return true;
}

std::string AttemptsErrorMessage(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

} // namespace selko
