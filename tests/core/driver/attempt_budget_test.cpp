// Conversion of the "nr of att:" text.
#include <gtest/gtest.h>

#include "core/driver/attempt_budget.hpp"

namespace selko {
namespace {

TEST(AttemptBudget, AcceptsSignedDecimalIntegersWithBlanksAround) {
  const std::vector<std::pair<std::string, std::int32_t>> good = {{"100", 100},
                                                                  {"0", 0},
                                                                  {"-5", -5},
                                                                  {"+7", 7},
                                                                  {"  42  ", 42},
                                                                  {"007", 7},
                                                                  {"2147483647", 2147483647},
                                                                  {"-2147483648", INT32_MIN}};
  for (const auto& [text, expected] : good) {
    std::int32_t value = 12345;
    EXPECT_TRUE(ParseAttempts(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
}

TEST(AttemptBudget, RefusesEverythingElse) {
  for (const std::string text : {"", " ", "abc", "1 0", "12a", "+", "-", "2147483648",
                                 "-2147483649", "99999999999999999999", "1.5", "\t5", "0x10"}) {
    std::int32_t value = 12345;
    EXPECT_FALSE(ParseAttempts(text, value)) << text;
    EXPECT_EQ(value, 12345) << text;
  }
  EXPECT_EQ(AttemptsErrorMessage("abc"), "'abc' is not a valid integer value");
}

} // namespace
} // namespace selko
