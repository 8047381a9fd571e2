// Files that are not what a problem file should be: binary, unreadable, endless, huge lines,
// far more rules than the tables hold. Each is refused with a clear message or read correctly;
// none crashes or hangs.
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "cli_testing.hpp"

namespace selko {
namespace {

using clitest::RunCli;
using clitest::ScratchDir;

// Exit status 1 and exactly one error line on standard output.
void ExpectRefused(const clitest::CliRun& run, const std::string& message) {
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "error: " + message + "\n");
}

TEST(HostileFiles, BinaryFilesAreRefusedInEveryFormat) {
  ScratchDir dir;
  const std::string file = dir.Write("p.srs", std::string("ab->ba\nb\0a->ab\n", 15));
  const std::string message = file + ": not a text file: a NUL byte at line 2, column 2";
  ExpectRefused(RunCli({"prove", file}), message);
  ExpectRefused(RunCli({"prove", file, "--tpdb"}), message);
  for (const char* format : {"plain", "tpdb", "xml", "ari"})
    ExpectRefused(RunCli({"prove", file, "--input", format}), message);
  // The same from standard input, where no file name is shown.
  const clitest::CliRun piped = RunCli({"prove", "-"}, std::string("\x7f"
                                                                   "ELF\0\0",
                                                                   6));
  ExpectRefused(piped, "not a text file: a NUL byte at line 1, column 5");

  // The JSON answer carries the same message.
  const clitest::CliRun json = RunCli({"prove", file, "--format", "json"});
  EXPECT_EQ(json.status, 1);
  EXPECT_NE(json.out.find("\"error\""), std::string::npos);
  EXPECT_NE(json.out.find("not a text file"), std::string::npos);
}

TEST(HostileFiles, UnreadableFilesAreNamedWithTheReason) {
  ScratchDir dir;
  ExpectRefused(RunCli({"prove", dir.Path()}), "cannot read " + dir.Path() + ": it is a directory");

  if (::geteuid() != 0) {
    const std::string locked = dir.Write("locked.srs", "ab->ba\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    ExpectRefused(RunCli({"prove", locked}), "cannot open " + locked + ": Permission denied");
  }

  // A device without end is cut off instead of filling the memory.
  ExpectRefused(RunCli({"prove", "/dev/zero"}), "cannot read /dev/zero: larger than 64 MiB");
}

TEST(HostileFiles, LinesOfMegabytesAreRefusedByTheCapacities) {
  ScratchDir dir;
  const std::string longSide(2 << 20, 'a');
  const std::string plain = dir.Write("long.srs", "ab->ba\n" + longSide + "->b\n");
  ExpectRefused(RunCli({"prove", plain}), plain + ": line 2: a side has more than 19 symbols");

  // One name of megabytes, and a rule of megabytes, in every other format.
  const std::string tpdb = dir.Write("long.trs", "(VAR x)\n(RULES " + longSide + "(x) -> b(x))\n");
  const clitest::CliRun tpdbRun = RunCli({"prove", tpdb});
  EXPECT_EQ(tpdbRun.status, 1) << tpdbRun.out;
  EXPECT_EQ(tpdbRun.out.rfind("error: " + tpdb + ": ", 0), 0u) << tpdbRun.out.substr(0, 200);
  EXPECT_LT(tpdbRun.out.size(), 1000u); // the message does not repeat the whole name

  std::string chain;
  for (int i = 0; i < 100000; ++i)
    chain += "a(";
  chain += "x" + std::string(100000, ')');
  const std::string ari =
      dir.Write("long.ari", "(format TRS)\n(fun a 1)\n(fun b 1)\n(rule " + chain + " (b x))\n");
  const clitest::CliRun ariRun = RunCli({"prove", ari});
  EXPECT_EQ(ariRun.status, 1) << ariRun.out;
  EXPECT_EQ(ariRun.out.rfind("error: " + ari + ": ", 0), 0u) << ariRun.out.substr(0, 200);

  std::string term;
  for (int i = 0; i < 10000; ++i)
    term += "<funapp><name>a</name><arg>";
  term += "<var>x</var>";
  for (int i = 0; i < 10000; ++i)
    term += "</arg></funapp>";
  const std::string xml = dir.Write(
      "long.xml", "<?xml version=\"1.0\"?><problem type=\"termination\"><trs><rules><rule><lhs>" +
                      term + "</lhs><rhs><var>x</var></rhs></rule></rules></trs></problem>\n");
  const clitest::CliRun xmlRun = RunCli({"prove", xml});
  EXPECT_EQ(xmlRun.status, 1) << xmlRun.out;
  EXPECT_EQ(xmlRun.out.rfind("error: " + xml + ": ", 0), 0u) << xmlRun.out.substr(0, 200);
}

TEST(HostileFiles, ThousandsOfRulesAreRefusedPastTheRuleTable) {
  ScratchDir dir;
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += "ab->ba\n";
  const std::string plain = dir.Write("many.srs", text);
  ExpectRefused(RunCli({"prove", plain}), plain + ": line 1001: more than 1000 rules");

  std::string rules = "(VAR x)\n(RULES\n";
  for (int i = 0; i < 5000; ++i)
    rules += i == 0 ? "a b -> b a\n" : ", a b -> b a\n";
  const std::string tpdb = dir.Write("many.trs", rules + ")\n");
  const clitest::CliRun tpdbRun = RunCli({"prove", tpdb});
  EXPECT_EQ(tpdbRun.status, 1) << tpdbRun.out;
  EXPECT_NE(tpdbRun.out.find("more than 1000 rules"), std::string::npos) << tpdbRun.out;
}

TEST(HostileFiles, AFullRuleTableIsReadAndProved) {
  // 1000 rules, each removed by counting: read correctly, proved, in a short time.
  ScratchDir dir;
  std::string text;
  for (int i = 0; i < 1000; ++i)
    text += "aab->ba\n";
  const clitest::CliRun run = RunCli({"prove", dir.Write("full.srs", text)});
  EXPECT_EQ(run.status, 0) << run.out.substr(0, 300);
  EXPECT_NE(run.out.find("terminating"), std::string::npos) << run.out.substr(0, 300);
}

} // namespace
} // namespace selko
