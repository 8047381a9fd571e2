// libFuzzer target: arbitrary text through a reader and a whole proof run. Built once per
// reader the command line has; SELKO_FUZZ_READER chooses it (0 plain, 1 the window's TPDB
// reader, 2 XML, 3 ARI).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "fuzz/fuzz_input.hpp"

#ifndef SELKO_FUZZ_READER
#define SELKO_FUZZ_READER 0
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::unique_ptr<selko::Prover> prover = std::make_unique<selko::Prover>();
  if (size > 64 * 1024) return 0;
  const std::string fault = selko::fuzz::RunFuzzInput(
      *prover, static_cast<selko::fuzz::Reader>(SELKO_FUZZ_READER), data, size);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    __builtin_trap();
  }
  return 0;
}
