// selko-cli as a user calls it: prove with its outputs and exit statuses, the competition's
// calling convention, batch and merge.
#include <nlohmann/json.hpp>

#include <chrono>

#include "cli/competition_command.hpp"
#include "cli/prove_command.hpp"
#include "cli_testing.hpp"
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using clitest::Lines;
using clitest::RunCli;
using clitest::ScratchDir;

const char* kAri = "(format TRS)\n(fun a 1)\n(fun b 1)\n(rule (a (b x)) (b (a x)))\n";

bool IsStatusLine(const std::string& line) {
  return line == "terminating" || line == "loop found" || line == "no proof";
}

TEST(ProveCommand, PlainFileAnswersWithAStatusLineAndTheSameResultUnderATimeout) {
  ScratchDir dir;
  const std::string file = dir.Write("ab.srs", "ab->ba\n");
  const clitest::CliRun plain = RunCli({"prove", file});
  EXPECT_EQ(plain.status, 0) << plain.err;
  ASSERT_FALSE(plain.out.empty());
  EXPECT_TRUE(IsStatusLine(Lines(plain.out)[0])) << plain.out;
  const clitest::CliRun timed = RunCli({"prove", file, "--timeout", "30"});
  EXPECT_EQ(timed.status, 0);
  EXPECT_EQ(timed.out, plain.out);
  const clitest::CliRun stdinRun = RunCli({"prove", "-"}, "ab->ba\n");
  EXPECT_EQ(stdinRun.out, plain.out);
}

TEST(ProveCommand, JsonAndTermcompOutputsOfARefusedProblem) {
  ScratchDir dir;
  const std::string file = dir.Write("p.ari", "(format TRS)\n(fun f 2)\n");
  const std::string message =
      file + ": line 2, column 1: symbol f has arity 2; only unary symbols over one variable "
             "can be read";

  const clitest::CliRun text = RunCli({"prove", file});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out, "error: " + message + "\n");

  const clitest::CliRun json = RunCli({"prove", file, "--format", "json"});
  EXPECT_EQ(json.status, 1);
  const nlohmann::json parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["status"], "error");
  EXPECT_EQ(parsed["error"], message);
  EXPECT_EQ(parsed["proof"], nlohmann::json::array());

  const clitest::CliRun termcomp = RunCli({"prove", file, "--format", "termcomp"});
  EXPECT_EQ(termcomp.status, 1);
  EXPECT_EQ(termcomp.out, "MAYBE\n");
  EXPECT_EQ(termcomp.err, "error: " + message + "\n");
}

TEST(ProveCommand, FormatsAreDetectedOrChosenAndUnreadableFilesNamed) {
  ScratchDir dir;
  const std::string ari = dir.Write("p.txt", kAri);
  const clitest::CliRun detected = RunCli({"prove", ari, "--format", "json"});
  EXPECT_EQ(detected.status, 0) << detected.out;
  EXPECT_NE(nlohmann::json::parse(detected.out)["status"], "error");

  // Read as XML on request, the same text is malformed.
  const clitest::CliRun forced = RunCli({"prove", ari, "--input", "xml"});
  EXPECT_EQ(forced.status, 1);
  EXPECT_EQ(forced.out,
            "error: " + ari + ": malformed XML at line 5, column 1: No document element found\n");

  const clitest::CliRun missing = RunCli({"prove", dir.File("none.srs")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out,
            "error: cannot open " + dir.File("none.srs") + ": No such file or directory\n");
}

TEST(ProveCommand, UsageErrorsExitWithTwo) {
  ScratchDir dir;
  const std::string file = dir.Write("ab.srs", "ab->ba\n");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"prove"},
                                               {"prove", file, "--format", "pdf"},
                                               {"prove", file, "--input", "yaml"},
                                               {"prove", file, "--timeout", "-1"},
                                               {"prove", file, "--bogus"},
                                               {},
                                               {"batch"},
                                               {"batch", file, "--shard", "3/2"}}) {
    const clitest::CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2) << (args.empty() ? "(nothing)" : args[0]) << " " << run.err;
  }
  EXPECT_EQ(RunCli({"prove", "--help"}).status, 0);
}

TEST(CompetitionInterface, NameAnswerAndRefusals) {
  const clitest::CliRun name = RunCli({"--name"});
  EXPECT_EQ(name.status, 0);
  EXPECT_EQ(name.out, "SELKO 1.4\n");

  ScratchDir dir;
  const std::string file = dir.Write("p.ari", kAri);
  for (const char* category : {"--category=SRS_Standard", "--category=SRS_Relative"}) {
    const clitest::CliRun run = RunCli({"--timeout=10", category, file});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(run.out.empty());
    const std::string answer = Lines(run.out)[0];
    EXPECT_TRUE(answer == "YES" || answer == "NO" || answer == "MAYBE") << answer;
  }
  const clitest::CliRun other = RunCli({"--timeout=10", "--category=TRS_Standard", file});
  EXPECT_EQ(other.status, 1);
  EXPECT_EQ(other.out, "MAYBE\n");
  EXPECT_EQ(other.err, "error: category TRS_Standard is not one this tool proves\n");

  const clitest::CliRun refused =
      RunCli({"--timeout=10", "--category=SRS_Standard", dir.Write("q.xml", "<problem/>")});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "MAYBE\n");

  EXPECT_EQ(RunCli({"--timeout=10", "--category=SRS_Standard"}).status, 2);
  EXPECT_EQ(RunCli({"--timeout=soon", "--category=SRS_Standard", file}).status, 2);
}

TEST(CompetitionInterface, ANoCarriesItsCheckedLoopingDerivationAfterTheLoopLine) {
  ScratchDir dir;
  const std::string file = dir.Write("loop.srs", "ab->bab\n");
  const clitest::CliRun run = RunCli({"--timeout=10", "--category=SRS_Standard", file});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(testing::SameLines(
      Lines(run.out),
      {"NO", "SELKO 1.4 is applied to the string rewriting system", "a b  -> b a b ",
       "Non-terminating; looping derivation starting in: ab",
       "Looping derivation (each step with its rule and the position, from 1, where the rule's "
       "left-hand side starts):",
       "  a b", "  -> b a b   (rule 1 at position 1)",
       "The string a b occurs at position 1 of the first string and again at position 2 of the "
       "last one: the steps between repeat forever."}));
  // prove --format termcomp gives the same answer.
  EXPECT_EQ(RunCli({"prove", file, "--format", "termcomp"}).out, run.out);
}

TEST(TimeLimits, DeadlinesLeaveRoomBeforeTheLimit) {
  for (double limit : {0.5, 1.0, 2.0, 10.0, 60.0, 300.0, 3600.0}) {
    double prover = 0;
    double hard = 0;
    CompetitionDeadlines(limit, prover, hard);
    EXPECT_LT(hard, limit) << limit;
    EXPECT_LE(limit - hard, 3.0) << limit;
    EXPECT_LT(prover, hard) << limit;
    EXPECT_GT(prover, 0) << limit;
  }
  double prover = 0;
  double hard = 0;
  CompetitionDeadlines(60, prover, hard);
  EXPECT_DOUBLE_EQ(hard, 57);
  EXPECT_DOUBLE_EQ(prover, 51);
  EXPECT_DOUBLE_EQ(ProveGraceSeconds(1), 0.5);
  EXPECT_DOUBLE_EQ(ProveGraceSeconds(30), 3);
  EXPECT_DOUBLE_EQ(ProveGraceSeconds(600), 5);
}

TEST(TimeLimits, AProblemThatTakesLongEndsAtItsDeadline) {
  SELKO_NEED_CORPUS(corpus);
  // Neither proved nor disproved within seconds by the techniques at hand.
  const std::string file = corpus + "/plain/rel-0002.srs";
  const auto start = std::chrono::steady_clock::now();
  const clitest::CliRun run = RunCli({"prove", file, "--timeout", "0.2"});
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(run.status, 0);
  ASSERT_FALSE(run.out.empty());
  EXPECT_TRUE(IsStatusLine(Lines(run.out)[0]));
  if (Lines(run.out)[0] == "no proof") {
    EXPECT_EQ(run.out, "no proof\n"); // nothing partial
  }
  EXPECT_LT(seconds, 0.2 + ProveGraceSeconds(0.2) + 1.0);

  const auto competitionStart = std::chrono::steady_clock::now();
  const clitest::CliRun answer = RunCli({"--timeout=2", "--category=SRS_Relative", file});
  EXPECT_LT(
      std::chrono::duration<double>(std::chrono::steady_clock::now() - competitionStart).count(),
      2.0);
  EXPECT_EQ(answer.status, 0);
}

TEST(BatchCommand, RunsReportsShardsAndMerges) {
  ScratchDir dir;
  clitest::fs::create_directories(dir.File("set/sub"));
  dir.Write("set/a.srs", "ab->ba\n");
  dir.Write("set/b.srs", "ab->bab\n");
  dir.Write("set/sub/c.ari", kAri);
  dir.Write("set/sub/d.xml", "<problem/>");
  const clitest::CliRun all = RunCli({"batch", dir.File("set"), "--jobs", "2", "--timeout", "10",
                                      "--csv", dir.File("all.csv"), "--json", dir.File("all.json"),
                                      "--report", dir.File("all.html")});
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.out.rfind("Problems: 4\n", 0), 0u) << all.out;
  EXPECT_NE(all.err.find("progress: 4/4  "), std::string::npos) << all.err;
  const std::vector<std::string> csv = Lines(clitest::ReadText(dir.File("all.csv")));
  ASSERT_EQ(csv.size(), 5u);
  EXPECT_EQ(csv[4].rfind(dir.File("set/sub/d.xml") + ",ERROR,", 0), 0u) << csv[4];
  EXPECT_EQ(nlohmann::json::parse(clitest::ReadText(dir.File("all.json"))).size(), 4u);
  EXPECT_NE(clitest::ReadText(dir.File("all.html")).find("<svg"), std::string::npos);

  for (const char* shard : {"1/2", "2/2"}) {
    const clitest::CliRun part =
        RunCli({"batch", dir.File("set"), "--jobs", "1", "--shard", shard, "--csv",
                dir.File(std::string("part") + shard[0] + ".csv")});
    EXPECT_EQ(part.status, 0) << part.err;
    EXPECT_EQ(part.out.rfind("Problems: 2\n", 0), 0u) << part.out;
  }
  const clitest::CliRun merged =
      RunCli({"merge", dir.File("part1.csv"), dir.File("part2.csv"), "--csv",
              dir.File("merged.csv"), "--report", dir.File("merged.html")});
  EXPECT_EQ(merged.status, 0) << merged.err;
  EXPECT_EQ(merged.out.substr(0, merged.out.find("Time:")),
            all.out.substr(0, all.out.find("Time:")));
  const std::vector<std::string> joined = Lines(clitest::ReadText(dir.File("merged.csv")));
  ASSERT_EQ(joined.size(), csv.size());
  for (std::size_t i = 0; i < csv.size(); ++i) {
    // Path and answer agree; times differ from run to run.
    EXPECT_EQ(joined[i].substr(0, joined[i].find(',', joined[i].find(',') + 1)),
              csv[i].substr(0, csv[i].find(',', csv[i].find(',') + 1)));
  }

  const clitest::CliRun bad = RunCli({"merge", dir.File("set/a.srs")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err.rfind("error: " + dir.File("set/a.srs") + ": not a batch CSV", 0), 0u);
  EXPECT_EQ(RunCli({"batch", dir.File("nowhere")}).status, 1);
}

} // namespace
} // namespace selko

namespace selko {
namespace {

TEST(ProveCommand, TheFirstExampleOfTheReadme) {
  const clitest::CliRun run = clitest::RunCli({"prove", "-", "--no-match-bounds"}, "ab->ba\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "terminating\n"
                     "SELKO 1.4 is applied to the string rewriting system\n"
                     "a b  -> b a \n"
                     "Choose polynomial interpretation:\n"
                     "a: lambda x.10x,  rest lambda x.x+1\n"
                     "remove: a b  -> b a \n"
                     "Terminating since no rules remain.\n");
  const clitest::CliRun loop = clitest::RunCli({"prove", "-"}, "ab->bab\n");
  EXPECT_EQ(loop.out, "loop found\n"
                      "SELKO 1.4 is applied to the string rewriting system\n"
                      "a b  -> b a b \n"
                      "Non-terminating; looping derivation starting in: ab\n");
}

TEST(ProveCommand, RepeatedPressesContinueOneRandomSequenceWhileSeparateRunsAgree) {
  const std::string input = "abc->caca\ncc->cbac\na->=ba\n";
  const clitest::CliRun twice = clitest::RunCli({"prove", "-", "--repeat", "2"}, input);
  const clitest::CliRun once = clitest::RunCli({"prove", "-"}, input);
  const clitest::CliRun again = clitest::RunCli({"prove", "-"}, input);
  EXPECT_EQ(twice.status, 0);
  EXPECT_EQ(once.out, again.out);
  // The first press of the repeated run is the separate run; the second press differs.
  ASSERT_EQ(twice.out.substr(0, once.out.size()), once.out);
  const std::string second = twice.out.substr(once.out.size());
  EXPECT_EQ(second.rfind("terminating\n", 0), 0u) << second;
  EXPECT_NE(second, once.out);

  const clitest::CliRun json =
      clitest::RunCli({"prove", "-", "--repeat", "2", "--format", "json"}, input);
  EXPECT_EQ(json.out.front(), '[');
}

} // namespace
} // namespace selko
