// The engine's problem from the input area: the readers shared with the command line
// (engine/readers/).
#include "ui/engine_input.hpp"

#include "engine/readers/plain_reader.hpp"
#include "engine/readers/tpdb_reader.hpp"

namespace selko::ui {

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

} // namespace selko::ui
