// Replays every input kept from fuzzing (tests/fuzz/regressions/<reader>/) through its reader
// and a whole proof run, with the same checks as the fuzz targets.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_testing.hpp"
#include "fuzz/fuzz_input.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

namespace fs = std::filesystem;

fs::path RegressionsDir() {
  return fs::path(__FILE__).parent_path().parent_path() / "fuzz" / "regressions";
}

class FuzzRegressions : public ::testing::TestWithParam<fuzz::Reader> {};

TEST_P(FuzzRegressions, EveryKeptInputRunsCleanly) {
  const fs::path dir = RegressionsDir() / fuzz::ReaderName(GetParam());
  if (!fs::is_directory(dir)) GTEST_SKIP() << "no kept inputs at " << dir;
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  auto prover = testing::MakeProver();
  for (const fs::path& file : files) {
    const std::string text = clitest::ReadText(file.string());
    const std::string fault = fuzz::RunFuzzInput(
        *prover, GetParam(), reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    EXPECT_EQ(fault, "") << file;
  }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzRegressions,
                         ::testing::Values(fuzz::Reader::Plain, fuzz::Reader::Tpdb,
                                           fuzz::Reader::Xml, fuzz::Reader::Ari),
                         [](const ::testing::TestParamInfo<fuzz::Reader>& info) {
                           return std::string(fuzz::ReaderName(info.param));
                         });

} // namespace
} // namespace selko
