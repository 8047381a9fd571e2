// One fuzz input through a reader and a whole proof run, shared by the libFuzzer targets and
// the test that replays the kept inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/input_file.hpp"
#include "cli/problem.hpp"
#include "core/prover.hpp"
#include "engine/readers/read_problem.hpp"

namespace selko::fuzz {

enum class Reader { Plain, Tpdb, Xml, Ari };

inline const char* ReaderName(Reader reader) {
  switch (reader) {
  case Reader::Plain: return "plain";
  case Reader::Tpdb: return "tpdb";
  case Reader::Xml: return "xml";
  case Reader::Ari: return "ari";
  }
  return "";
}

// Runs the input; returns an empty text when every check held, otherwise what went wrong.
// A first byte below 8 picks the options (1 "match bnd", 2 "rem.labels", 4 two attempts
// instead of one) and is not part of the text, so that every path of the phase order is
// reached; any other input is all text, run with both options on, so that sample problems
// seed the fuzzers as they are. The attempt counts are small so that each input runs quickly.
inline std::string RunFuzzInput(Prover& prover, Reader reader, const std::uint8_t* data,
                                std::size_t size) {
  RunOptions options;
  const bool flagged = size > 0 && data[0] < 8;
  const std::uint8_t flags = flagged ? data[0] : 3;
  options.matchBound = (flags & 1) != 0;
  options.remLabels = (flags & 2) != 0;
  options.attemptsText = (flags & 4) != 0 ? "2" : "1";
  options.timeoutSeconds = 5;
  const std::size_t skip = flagged ? 1 : 0;
  const std::string text(reinterpret_cast<const char*>(data) + skip, size - skip);
  // The window's two readers get the lines exactly as the window would hold them (any byte);
  // the command line's XML and ARI readers get the text.
  Problem problem;
  switch (reader) {
  case Reader::Plain: problem.lines = SplitLines(text); break;
  case Reader::Tpdb:
    problem.lines = SplitLines(text);
    problem.tpdbReader = true;
    break;
  case Reader::Xml: problem = PrepareProblem("input", text, InputFormat::Xml, false); break;
  case Reader::Ari: problem = PrepareProblem("input", text, InputFormat::Ari, false); break;
  }
  if (!problem.error.empty()) return "";
  if ((reader == Reader::Xml || reader == Reader::Ari) && problem.system == nullptr) {
    return "a reader accepted the text but gave no system";
  }
  const RunResult result = prover.Run(problem.lines, ProblemOptions(problem, options));
  if (result.status == Status::Error && result.error.empty()) return "a refusal without a reason";
  if ((result.status == Status::Terminating || result.status == Status::LoopFound) &&
      result.proof.empty()) {
    return "a verdict without its proof text";
  }
  // The engine's reader of the same format reads what the fixed-capacity reading accepted, and
  // reads it the same (the window's TPDB reader takes other text than whole TPDB files; the
  // command line refuses text with a NUL byte before any reader).
  if (result.status != Status::Error && reader != Reader::Tpdb &&
      text.find('\0') == std::string::npos) {
    static const engine::InputFormat formats[] = {
        engine::InputFormat::Plain, engine::InputFormat::Tpdb, engine::InputFormat::Xml,
        engine::InputFormat::Ari};
    engine::Problem read;
    std::string error;
    if (!engine::ReadProblem("input", text, formats[static_cast<int>(reader)], read, error)) {
      return "the engine's reader refused what the fixed reading accepted: " + error;
    }
    const RuleTable& fixed = prover.SlotB;
    bool same = read.rules.size() == static_cast<std::size_t>(fixed.ruleCount) &&
                read.names.size() == static_cast<std::size_t>(fixed.symbolCount);
    for (int s = 1; same && s <= fixed.symbolCount; ++s)
      same = read.names[static_cast<std::size_t>(s - 1)] == fixed.names[s];
    for (int r = 1; same && r <= fixed.ruleCount; ++r) {
      const engine::Rule& rule = read.rules[static_cast<std::size_t>(r - 1)];
      auto sameSide = [](const engine::String& side, const Word& w) {
        if (side.size() != static_cast<std::size_t>(WordLength(w))) return false;
        for (std::size_t k = 0; k < side.size(); ++k)
          if (side[k] + 1 != w[k]) return false;
        return true;
      };
      same = rule.strict == (fixed.strict[r] != 0) && sameSide(rule.lhs, fixed.lhs[r]) &&
             sameSide(rule.rhs, fixed.rhs[r]);
    }
    if (!same) return "the engine's reader read another system than the fixed reading";
  }
  return "";
}

} // namespace selko::fuzz
