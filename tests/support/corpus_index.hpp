// The corpus's index (../shared/corpus/index.tsv) as test tools read it.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/store/rule_table.hpp"

namespace selko::testing {

// The names of every `every`-th problem of the index that fits the fixed tables.
inline std::vector<std::string> FittingCorpusProblems(const std::string& corpus, int every) {
  std::ifstream index(corpus + "/index.tsv");
  std::string row;
  std::getline(index, row); // the heading
  std::vector<std::string> names;
  int fitting = 0;
  while (std::getline(index, row)) {
    std::istringstream fields(row);
    std::string name, category;
    int rules = 0, symbols = 0, longest = 0;
    if (!(fields >> name >> category >> rules >> symbols >> longest)) continue;
    if (rules > kMaxRules || symbols > kMaxSymbols || longest > kMaxWordLength) continue;
    if (fitting++ % every == 0) names.push_back(name);
  }
  return names;
}

} // namespace selko::testing
