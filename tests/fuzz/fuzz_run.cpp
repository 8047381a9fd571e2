// libFuzzer target: arbitrary text through a reader and a whole proof run.
// Built twice, once per window reader (SELKO_FUZZ_TPDB chooses the TPDB reader).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/input_file.hpp"
#include "core/prover.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::unique_ptr<selko::Prover> prover = std::make_unique<selko::Prover>();
  if (size > 64 * 1024) return 0;
  selko::RunOptions options;
  // The first byte picks the options, so that every path of the phase order is reached.
  const std::uint8_t flags = size > 0 ? data[0] : 0;
  options.matchBound = (flags & 1) != 0;
  options.remLabels = (flags & 2) != 0;
#ifdef SELKO_FUZZ_TPDB
  options.tpdbFormat = true;
#endif
  options.attemptsText = (flags & 4) != 0 ? "2" : "1";
  options.timeoutSeconds = 5;
  const std::string text(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0),
                         size > 0 ? size - 1 : 0);
  const std::vector<std::string> lines = selko::SplitLines(text);
  const selko::RunResult result = prover->Run(lines, options);
  if (result.status != selko::Status::Error && result.status != selko::Status::NoProof &&
      result.proof.empty()) {
    __builtin_trap(); // a verdict always comes with its proof text
  }
  return 0;
}
