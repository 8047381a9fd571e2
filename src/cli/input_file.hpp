// Reading a problem file into input lines, as the window would hold them.
#pragma once

#include <string>
#include <vector>

namespace selko {

// Splits a text into lines at '\n', removing one trailing '\r' from each line; a final line
// end does not start another line.
std::vector<std::string> SplitLines(const std::string& text);

// Reads a whole file ("-" is standard input). On failure returns false and sets error to a
// message naming the file and the reason.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& error);

} // namespace selko
