// The benchmark corpus for the engine's tests and measurements: problems read from the TPDB
// text files (only what the corpus uses: one "(RULES ...)" section, "->" and "->="), and the
// best-known answers.
#pragma once

#include <map>
#include <string>

#include "engine/problem.hpp"

namespace selko::engine::testing {

// The corpus problem NAME (tpdb/NAME.srs); throws when the file is missing or unreadable.
Problem ReadCorpusProblem(const std::string& name);

// The problem in a TPDB text; throws on anything else.
Problem ParseTpdbRules(const std::string& text);

// Whether the corpus lies where the build expects it (next to the checkout): tests that read
// it are skipped on a clone placed elsewhere.
bool CorpusAtHand();

struct CorpusEntry {
  std::string category; // "standard" or "relative"
  std::size_t rules = 0;
  std::size_t symbols = 0;
  std::size_t longest = 0; // letters of the longest side
  bool weak = false;       // some rule is weak (a relative problem)
  std::string status;      // "YES", "NO" or "open"
};

// index.tsv joined with status.tsv, by name.
std::map<std::string, CorpusEntry> ReadCorpusIndex();

} // namespace selko::engine::testing
