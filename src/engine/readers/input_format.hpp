// The problem formats a front end reads, how a file's format is recognised, and the checks that
// come before any format: the size limit and the refusal of binary files.
#pragma once

#include <cstddef>
#include <string>

namespace selko::engine {

enum class InputFormat { Auto, Plain, Tpdb, Xml, Ari };

// "auto", "plain", "tpdb", "xml", "ari"; false for anything else.
bool ParseInputFormat(const std::string& text, InputFormat& format);
const char* InputFormatName(InputFormat format);

// The format of a text, by its file name and content: ".xml" or a text starting with "<?xml"
// is XML; a text whose first form is "(format" is ARI; a text whose first non-blank character
// is '(' and which holds "(RULES" is the TPDB text format; anything else is plain.
InputFormat DetectInputFormat(const std::string& path, const std::string& text);

// No problem needs more text than this; a larger input is refused before it is read on.
constexpr std::size_t kMaxInputBytes = std::size_t{64} << 20;

// "larger than 64 MiB".
std::string TooLargeMessage();

// Why a text cannot be a problem before its format is looked at (larger than kMaxInputBytes,
// or a NUL byte, which no text file holds); empty when it may be one.
std::string RefusedTextMessage(const std::string& text);

// Line and column (both from 1) of a byte offset into a text.
void LineAndColumn(const std::string& text, std::size_t offset, int& line, int& column);

} // namespace selko::engine
