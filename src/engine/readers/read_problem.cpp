#include "engine/readers/read_problem.hpp"

#include "engine/readers/ari_reader.hpp"
#include "engine/readers/plain_reader.hpp"
#include "engine/readers/problem_builder.hpp"
#include "engine/readers/tpdb_reader.hpp"
#include "engine/readers/xml_reader.hpp"

namespace selko::engine {

bool ReadProblem(const std::string& path, const std::string& text, InputFormat format,
                 Problem& problem, std::string& error) {
  error = RefusedTextMessage(text);
  if (!error.empty()) return false;
  if (format == InputFormat::Auto) format = DetectInputFormat(path, text);
  ProblemBuilder builder;
  switch (format) {
  case InputFormat::Auto:
  case InputFormat::Plain: return ReadPlainProblem(text, problem, error);
  case InputFormat::Tpdb: return ReadTpdbProblem(text, problem, error);
  case InputFormat::Xml:
    if (!ReadXmlRules(text, builder, error)) return false;
    break;
  case InputFormat::Ari:
    // Nesting that lets a side one letter too long reach the builder and its clear refusal.
    if (!ReadAriRules(text, builder, static_cast<int>(kMaxProblemSide) + 2, error)) return false;
    break;
  }
  problem = builder.Take();
  return true;
}

} // namespace selko::engine
