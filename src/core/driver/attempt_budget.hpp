// Conversion of the "nr of att:" text into the number of labelling attempts.
#pragma once

#include <cstdint>
#include <string>

namespace selko {

// A signed 32-bit decimal integer with an optional sign, blanks allowed before and after.
// Returns false for any other text.
bool ParseAttempts(const std::string& text, std::int32_t& value);

// The message of a text that ParseAttempts refuses.
std::string AttemptsErrorMessage(const std::string& text);

} // namespace selko
