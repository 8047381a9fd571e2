// Options and outputs checked before the work: time limits that are no finite positive number,
// outputs that cannot be written, an attempts text that is no integer, problems merged twice;
// and what a newcomer's first runs show (--version, --help, the note on the capacities).
#include "cli/seconds_option.hpp"
#include "cli_testing.hpp"

namespace selko {
namespace {

using clitest::Lines;
using clitest::RunCli;

TEST(SecondsOption, AFinitePositiveNumberWrittenInFull) {
  double seconds = 0;
  EXPECT_EQ(ParseSeconds("2.5", seconds), "");
  EXPECT_EQ(seconds, 2.5);
  EXPECT_EQ(ParseSeconds("1e1", seconds), "");
  EXPECT_EQ(seconds, 10);
  for (const char* text : {"", "soon", "5s", "nan", "NaN", " 5"})
    EXPECT_EQ(ParseSeconds(text, seconds), "not a number") << text;
  for (const char* text : {"0", "-1", "-inf", "0.0"})
    EXPECT_EQ(ParseSeconds(text, seconds), "must be positive") << text;
  for (const char* text : {"inf", "infinity", "1e400"})
    EXPECT_EQ(ParseSeconds(text, seconds), "must be finite") << text;
  EXPECT_EQ(seconds, 10); // untouched by every refusal
}

TEST(SecondsOption, EveryFrontEndRefusesABadTimeLimitSayingWhy) {
  clitest::ScratchDir dir;
  const std::string file = dir.Write("p.srs", "ab->ba\n");
  const clitest::CliRun nan = RunCli({"prove", file, "--timeout", "nan"});
  EXPECT_EQ(nan.status, 2);
  EXPECT_NE(nan.err.find("nan: not a number"), std::string::npos) << nan.err;
  const clitest::CliRun zero = RunCli({"batch", file, "--timeout", "0"});
  EXPECT_EQ(zero.status, 2);
  EXPECT_NE(zero.err.find("0: must be positive"), std::string::npos) << zero.err;
  const clitest::CliRun inf = RunCli({"--timeout=inf", "--category=SRS_Standard", file});
  EXPECT_EQ(inf.status, 2);
  EXPECT_EQ(Lines(inf.err)[0], "error: --timeout inf: must be finite");
}

TEST(BatchOutputs, AnOutputThatCannotBeWrittenStopsTheBatchBeforeItsFirstProblem) {
  clitest::ScratchDir dir;
  const std::string file = dir.Write("p.srs", "ab->ba\n");
  const clitest::CliRun nowhere =
      RunCli({"batch", file, "--csv", dir.File("missing/rows.csv"), "--jobs", "1"});
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_EQ(nowhere.out, ""); // no summary: nothing ran
  EXPECT_NE(nowhere.err.find("error: cannot write " + dir.File("missing/rows.csv") +
                             ": no directory " + dir.File("missing")),
            std::string::npos)
      << nowhere.err;
  const clitest::CliRun folder = RunCli({"batch", file, "--json", dir.Path()});
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find(dir.Path() + " is a directory"), std::string::npos) << folder.err;

  // A good run replaces the earlier file whole and leaves no scratch file beside it.
  const std::string csv = dir.Write("rows.csv", "earlier\n");
  ASSERT_EQ(RunCli({"batch", file, "--csv", csv}).status, 0);
  EXPECT_EQ(clitest::ReadText(csv).rfind("path,", 0), 0u) << clitest::ReadText(csv);
  EXPECT_FALSE(clitest::fs::exists(csv + ".selko-partial"));
}

TEST(MergeCommand, AProblemInTwoFilesIsCountedOnceWithAWarning) {
  clitest::ScratchDir dir;
  const std::string file = dir.Write("p.srs", "ab->ba\n");
  const std::string csv = dir.File("rows.csv");
  ASSERT_EQ(RunCli({"batch", file, "--csv", csv}).status, 0);
  const std::string joined = dir.File("joined.csv");
  const clitest::CliRun merged = RunCli({"merge", csv, csv, "--csv", joined});
  EXPECT_EQ(merged.status, 0) << merged.err;
  EXPECT_EQ(merged.err, "warning: " + file + " appears more than once; counted once\n");
  EXPECT_EQ(clitest::ReadText(joined), clitest::ReadText(csv));
}

TEST(AttemptsOption, ItsErrorNamesTheOptionNotTheFile) {
  clitest::ScratchDir dir;
  // Without match bounds the run reaches the last phase, which reads the attempts text.
  const std::string file = dir.Write("p.srs", "ab->ba\n");
  const clitest::CliRun run = RunCli({"prove", file, "--attempts", "many", "--no-match-bounds"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.out)[0], "error: --attempts: 'many' is not a valid integer value");
}

TEST(FirstRuns, VersionHelpAndTheNoteOnTheCapacities) {
  const clitest::CliRun version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "SELKO 1.4\n");
  const clitest::CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("selko-cli --name"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("--category=SRS_Standard"), std::string::npos) << help.out;

  clitest::ScratchDir dir;
  // --full lists the engine's automata: it needs the engine.
  EXPECT_EQ(RunCli({"prove", dir.Write("p.srs", "ab->ba\n"), "--full"}).status, 2);
  const std::string wide = dir.Write("wide.srs", std::string(20, 'a') + "->b\n");
  const clitest::CliRun refused = RunCli({"prove", wide});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "note: the proof run's capacities are 1000 rules, 19 symbols a side and "
                         "100 distinct symbols; --extended reads problems of any size\n");
  const clitest::CliRun extended = RunCli({"prove", wide, "--extended", "--timeout", "5"});
  EXPECT_EQ(extended.status, 0);
  EXPECT_EQ(extended.err, "");
}

} // namespace
} // namespace selko
