#include "cli/html_report.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>

namespace selko {

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += "&quot;"; break;
    case '\'': out += "&#39;"; break;
    default: out += c;
    }
  }
  return out;
}

namespace {

std::string Number(double value, int decimals = 1) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// A "nice" upper end for an axis: 1, 2 or 5 times a power of ten, at least `value`.
double NiceCeiling(double value) {
  if (value <= 0) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(value)));
  for (double step : {1.0, 2.0, 5.0, 10.0}) {
    if (step * power >= value) return step * power;
  }
  return 10 * power;
}

std::string TimeLabel(double ms) {
  if (ms >= 1000) return Number(ms / 1000, ms >= 10000 ? 0 : 1) + " s";
  return Number(ms, 0) + " ms";
}

} // namespace

std::string CactusPlotSvg(const std::vector<BatchRow>& rows) {
  struct Series {
    const char* name;
    const char* colour;
    std::vector<double> times;
  };
  std::vector<Series> series = {
      {"YES and NO", "#1f5fa8", {}}, {"YES", "#2e8b57", {}}, {"NO", "#c0392b", {}}};
  for (const BatchRow& row : rows) {
    if (row.answer == "YES" || row.answer == "NO") series[0].times.push_back(row.ms);
    if (row.answer == "YES") series[1].times.push_back(row.ms);
    if (row.answer == "NO") series[2].times.push_back(row.ms);
  }
  double maxTime = 0;
  for (Series& s : series) {
    std::sort(s.times.begin(), s.times.end());
    if (!s.times.empty()) maxTime = std::max(maxTime, s.times.back());
  }
  const double yTop = NiceCeiling(std::max(maxTime, 1.0));
  const double xTop = std::max<double>(1.0, static_cast<double>(rows.size()));

  const double width = 720, height = 400, left = 70, right = 20, top = 20, bottom = 50;
  const double plotW = width - left - right, plotH = height - top - bottom;
  auto x = [&](double solved) { return left + plotW * solved / xTop; };
  auto y = [&](double ms) { return top + plotH - plotH * ms / yTop; };

  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"cactus\" width=\"" << width
      << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << ' ' << height
      << "\" font-family=\"sans-serif\" font-size=\"12\">\n";
  svg << "<rect x=\"" << left << "\" y=\"" << top << "\" width=\"" << plotW << "\" height=\""
      << plotH << "\" fill=\"#fafafa\" stroke=\"#999\"/>\n";
  for (int i = 0; i <= 5; ++i) {
    const double ms = yTop * i / 5;
    const double py = y(ms);
    svg << "<line x1=\"" << left << "\" y1=\"" << Number(py) << "\" x2=\"" << left + plotW
        << "\" y2=\"" << Number(py) << "\" stroke=\"#ddd\"/>\n";
    svg << "<text x=\"" << left - 6 << "\" y=\"" << Number(py + 4) << "\" text-anchor=\"end\">"
        << TimeLabel(ms) << "</text>\n";
    const double solved = xTop * i / 5;
    const double px = x(solved);
    svg << "<text x=\"" << Number(px) << "\" y=\"" << top + plotH + 18
        << "\" text-anchor=\"middle\">" << Number(solved, 0) << "</text>\n";
  }
  svg << "<text x=\"" << left + plotW / 2 << "\" y=\"" << height - 8
      << "\" text-anchor=\"middle\">problems solved</text>\n";
  svg << "<text transform=\"translate(14," << top + plotH / 2
      << ") rotate(-90)\" text-anchor=\"middle\">time per problem</text>\n";
  int legend = 0;
  for (const Series& s : series) {
    if (!s.times.empty()) {
      svg << "<polyline class=\"series\" fill=\"none\" stroke=\"" << s.colour
          << "\" stroke-width=\"2\" points=\"" << Number(x(0)) << ',' << Number(y(0));
      for (std::size_t i = 0; i < s.times.size(); ++i) {
        svg << ' ' << Number(x(static_cast<double>(i + 1))) << ',' << Number(y(s.times[i]));
      }
      svg << "\"/>\n";
    }
    const double ly = top + 14 + 16 * legend++;
    svg << "<line x1=\"" << left + 10 << "\" y1=\"" << ly - 4 << "\" x2=\"" << left + 30
        << "\" y2=\"" << ly - 4 << "\" stroke=\"" << s.colour << "\" stroke-width=\"2\"/>\n";
    svg << "<text x=\"" << left + 36 << "\" y=\"" << ly << "\">" << s.name << " (" << s.times.size()
        << ")</text>\n";
  }
  svg << "</svg>\n";
  return svg.str();
}

void WriteHtmlReport(const std::vector<BatchRow>& rows, const BatchSummary& summary,
                     const std::string& title, std::ostream& out) {
  const AnswerCounts& c = summary.counts;
  out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
      << HtmlEscape(title) << "</title>\n<style>\n"
      << "body{font-family:sans-serif;margin:2em;color:#222}\n"
      << "table{border-collapse:collapse;margin:1em 0}\n"
      << "th,td{border:1px solid #ccc;padding:3px 8px;text-align:left}\n"
      << "td.n{text-align:right}\n"
      << "#problems th{cursor:pointer;background:#eef}\n"
      << "#problems th.up::after{content:' \\25B2'}#problems th.down::after{content:' \\25BC'}\n"
      << ".YES{color:#2e8b57;font-weight:bold}.NO{color:#c0392b;font-weight:bold}\n"
      << ".ERROR{color:#b8860b}\n"
      << "pre{background:#f6f6f6;padding:8px;overflow-x:auto}\n"
      << "</style>\n</head>\n<body>\n";
  out << "<h1>" << HtmlEscape(title) << "</h1>\n";

  out << "<h2>Summary</h2>\n<table id=\"summary\">\n"
      << "<tr><th>problems</th><th>YES</th><th>NO</th><th>MAYBE</th><th>error</th></tr>\n"
      << "<tr><td class=\"n\">" << c.Total() << "</td><td class=\"n\">" << c.yes
      << "</td><td class=\"n\">" << c.no << "</td><td class=\"n\">" << c.maybe
      << "</td><td class=\"n\">" << c.error << "</td></tr>\n</table>\n";
  out << "<p>Total time " << ShowDuration(summary.totalMs) << ", median "
      << ShowDuration(summary.medianMs);
  if (summary.wallMs > 0) out << ", elapsed " << ShowDuration(summary.wallMs);
  out << ".</p>\n";
  out << "<table id=\"directories\">\n<tr><th>directory</th><th>YES</th><th>NO</th>"
      << "<th>MAYBE</th><th>error</th><th>total</th></tr>\n";
  for (const auto& [directory, counts] : summary.directories) {
    out << "<tr><td>" << HtmlEscape(directory.empty() ? "." : directory) << "</td><td class=\"n\">"
        << counts.yes << "</td><td class=\"n\">" << counts.no << "</td><td class=\"n\">"
        << counts.maybe << "</td><td class=\"n\">" << counts.error << "</td><td class=\"n\">"
        << counts.Total() << "</td></tr>\n";
  }
  out << "</table>\n";
  if (!summary.slowest.empty()) {
    out << "<h3>Slowest problems</h3>\n<table id=\"slowest\">\n"
        << "<tr><th>time</th><th>answer</th><th>problem</th></tr>\n";
    for (const BatchRow* row : summary.slowest) {
      out << "<tr><td class=\"n\">" << ShowDuration(row->ms) << "</td><td class=\"" << row->answer
          << "\">" << row->answer << "</td><td>" << HtmlEscape(row->path) << "</td></tr>\n";
    }
    out << "</table>\n";
  }

  out << "<h2>Problems solved against time</h2>\n" << CactusPlotSvg(rows);

  out << "<h2>Problems</h2>\n<p>Click a column heading to sort.</p>\n"
      << "<table id=\"problems\">\n<thead><tr><th data-type=\"text\">problem</th>"
      << "<th data-type=\"text\">answer</th><th data-type=\"number\">time (ms)</th>"
      << "<th data-type=\"number\">rules</th><th data-type=\"number\">symbols</th>"
      << "<th data-type=\"text\">technique</th><th data-type=\"text\">error</th></tr></thead>\n"
      << "<tbody>\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const BatchRow& row = rows[i];
    const std::string target =
        row.proof.empty() ? "file://" + HtmlEscape(row.path) : "#proof-" + std::to_string(i + 1);
    out << "<tr><td><a href=\"" << target << "\">" << HtmlEscape(row.path)
        << "</a></td><td class=\"" << row.answer << "\">" << row.answer << "</td><td class=\"n\">"
        << Number(row.ms) << "</td><td class=\"n\">" << row.rules << "</td><td class=\"n\">"
        << row.symbols << "</td><td>" << HtmlEscape(row.technique) << "</td><td>"
        << HtmlEscape(row.error) << "</td></tr>\n";
  }
  out << "</tbody>\n</table>\n";

  bool anyProof = false;
  for (const BatchRow& row : rows)
    anyProof = anyProof || !row.proof.empty();
  if (anyProof) {
    out << "<h2>Proofs</h2>\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const BatchRow& row = rows[i];
      if (row.proof.empty()) continue;
      out << "<section id=\"proof-" << i + 1 << "\">\n<h3>" << HtmlEscape(row.path) << ": "
          << row.answer << "</h3>\n<pre>";
      for (const std::string& line : row.proof)
        out << HtmlEscape(line) << "\n";
      out << "</pre>\n</section>\n";
    }
  }

  out << "<script>\n"
      << "(function(){\n"
      << "var table=document.getElementById('problems');\n"
      << "var heads=table.tHead.rows[0].cells;\n"
      << "for(var i=0;i<heads.length;i++){(function(col){\n"
      << " heads[col].addEventListener('click',function(){\n"
      << "  var up=!this.classList.contains('up');\n"
      << "  for(var k=0;k<heads.length;k++){heads[k].classList.remove('up','down');}\n"
      << "  this.classList.add(up?'up':'down');\n"
      << "  var numeric=this.getAttribute('data-type')==='number';\n"
      << "  var body=table.tBodies[0];var rows=Array.prototype.slice.call(body.rows);\n"
      << "  rows.sort(function(a,b){var x=a.cells[col].textContent,y=b.cells[col].textContent;\n"
      << "   var d=numeric?(parseFloat(x)-parseFloat(y)):x.localeCompare(y);\n"
      << "   return up?d:-d;});\n"
      << "  rows.forEach(function(r){body.appendChild(r);});\n"
      << " });})(i);}\n"
      << "})();\n"
      << "</script>\n</body>\n</html>\n";
}

} // namespace selko
