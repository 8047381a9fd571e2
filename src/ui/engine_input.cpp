// The engine's problem from the input area: one reader per format, shared with the command line
// (engine/readers/). Where those readers are not built in, the window's own readers stand in,
// which read only what fits their tables.
#include "ui/engine_input.hpp"

#include <memory>

#if __has_include("engine/readers/plain_reader.hpp")
#include "engine/readers/plain_reader.hpp"
#include "engine/readers/tpdb_reader.hpp"
#define SELKO_SHARED_READERS 1
#else
#include "core/prover.hpp"
#endif

namespace selko::ui {

#ifdef SELKO_SHARED_READERS

bool ReadEngineProblem(const std::vector<std::string>& lines, bool tpdbFormat,
                       engine::Problem& problem, std::string& error) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  problem = engine::Problem{};
  return tpdbFormat ? engine::ReadTpdbProblem(text, problem, error)
                    : engine::ReadPlainProblem(text, problem, error);
}

#else

namespace {

engine::String Letters(const Word& word) {
  engine::String letters;
  for (int p = 0; p < WordLength(word); ++p)
    letters.push_back(static_cast<engine::Letter>(word[static_cast<std::size_t>(p)] - 1));
  return letters;
}

} // namespace

bool ReadEngineProblem(const std::vector<std::string>& lines, bool tpdbFormat,
                       engine::Problem& problem, std::string& error) {
  auto reader = std::make_unique<Prover>();
  reader->Input = &lines;
  if (tpdbFormat) {
    reader->ReadTpdb();
  } else {
    reader->ReadPlain();
  }
  reader->Input = nullptr;
  if (!reader->InputError.empty()) {
    error = reader->InputError;
    return false;
  }
  const RuleTable& table = reader->WorkTable;
  problem = engine::Problem{};
  for (int s = 1; s <= table.symbolCount; ++s)
    problem.names.push_back(table.names[static_cast<std::size_t>(s)]);
  for (int r = 1; r <= table.ruleCount; ++r) {
    const auto k = static_cast<std::size_t>(r);
    problem.rules.push_back({Letters(table.lhs[k]), Letters(table.rhs[k]), table.strict[k] != 0});
  }
  return true;
}

#endif

} // namespace selko::ui
