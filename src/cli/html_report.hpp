// The batch report: one self-contained HTML page with the summary, a cactus plot (problems
// solved against time, inline SVG) and a sortable table whose rows link to each proof.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/batch_rows.hpp"

namespace selko {

// Writes the page. Rows with a proof link to it within the page; rows without one (after a
// merge of CSV files) link to the problem file.
void WriteHtmlReport(const std::vector<BatchRow>& rows, const BatchSummary& summary,
                     const std::string& title, std::ostream& out);

// The cactus plot alone: for YES and NO answers together, and for each of them, the number
// of problems solved within a time, as an SVG element.
std::string CactusPlotSvg(const std::vector<BatchRow>& rows);

// Text made safe for HTML element content and attribute values.
std::string HtmlEscape(const std::string& text);

} // namespace selko
