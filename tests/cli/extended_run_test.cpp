// The command line's extended runs: the fixed-capacity run's answers unchanged, problems it cannot
// take reaching the engine, the engine's answers as shown in every format, the --workers option,
// batch rows and the competition call.
#include <nlohmann/json.hpp>

#include <sstream>

#include "cli/batch_command.hpp"
#include "cli/engine_run.hpp"
#include "cli/extended_run.hpp"
#include "cli/prove_command.hpp"
#include "cli_testing.hpp"

namespace selko {
namespace {

using clitest::Lines;
using clitest::RunCli;
using clitest::ScratchDir;

// A rule with a left side of 25 letters: beyond the fixed capacities in every format.
const std::string kLongPlain = "aaaaaaaaaaaaaaaaaaaaaaaab->ba\n";

std::string LongAri() {
  std::string lhs;
  for (int i = 0; i < 25; ++i)
    lhs += "(a ";
  return "(format TRS)\n(fun a 1)\n(fun b 1)\n(rule " + lhs + "(b x)" + std::string(25, ')') +
         " (b (a x)))\n";
}

TEST(ExtendedProve, AnswersOfTheFixedCapacityRunAreExactlyTodays) {
  ScratchDir dir;
  const std::vector<std::string> files = {
      dir.Write("ab.srs", "ab->ba\n"), dir.Write("loop.srs", "ab->bab\n"),
      dir.Write("rel.srs", "ab->b\nba->=ab\n"),
      dir.Write("ab.ari", "(format TRS)\n(fun a 1)\n(fun b 1)\n(rule (a (b x)) (b (a x)))\n")};
  for (const std::string& file : files) {
    for (const char* format : {"text", "json", "termcomp"}) {
      const clitest::CliRun today = RunCli({"prove", file, "--format", format});
      ASSERT_EQ(today.status, 0) << file << today.out;
      const std::string answer = Lines(today.out)[0];
      ASSERT_TRUE(answer != "no proof" && answer != "MAYBE") << file << " is proved today";
      const clitest::CliRun extended = RunCli({"prove", file, "--format", format, "--extended"});
      EXPECT_EQ(extended.status, 0) << file;
      EXPECT_EQ(extended.out, today.out) << file << " " << format;
      EXPECT_EQ(RunCli({"prove", file, "--format", format, "--extended", "--timeout", "30",
                        "--workers", "2"})
                    .out,
                today.out)
          << file << " " << format;
    }
  }
}

TEST(ExtendedProve, ProblemsBeyondTheCapacitiesReachTheEngine) {
  ScratchDir dir;
  std::string longTpdb = "(VAR x)\n(RULES";
  for (int i = 0; i < 25; ++i)
    longTpdb += " a" + std::to_string(i);
  longTpdb += " -> b)\n";
  std::string longXml = "<?xml version=\"1.0\"?><problem><trs><rules><rule><lhs>";
  for (int i = 0; i < 25; ++i)
    longXml += "<funapp><name>a</name><arg>";
  longXml += "<var>x</var>" + std::string() + "</lhs><rhs><var>x</var></rhs></rule></rules>";
  std::string closing;
  for (int i = 0; i < 25; ++i)
    closing += "</arg></funapp>";
  longXml.replace(longXml.find("</lhs>"), 0, closing);
  longXml += "</trs></problem>\n";
  const std::vector<std::string> files = {
      dir.Write("long.srs", kLongPlain), dir.Write("long.trs", longTpdb),
      dir.Write("long.xml", longXml), dir.Write("long.ari", LongAri())};
  for (const std::string& file : files) {
    const clitest::CliRun today = RunCli({"prove", file});
    EXPECT_EQ(today.status, 1) << file;
    EXPECT_NE(today.out.find("a side has more than 19 symbols"), std::string::npos) << today.out;

    // Each is a rule that loses letters: the engine proves it, under its own header.
    const clitest::CliRun text = RunCli({"prove", file, "--extended", "--timeout", "5"});
    EXPECT_EQ(text.status, 0) << file << ": " << text.out;
    ASSERT_GE(Lines(text.out).size(), 2u) << text.out;
    EXPECT_EQ(Lines(text.out)[0], "terminating") << text.out;
    EXPECT_EQ(Lines(text.out)[1].rfind("SELKO 1.4 extended engine is applied to the", 0), 0u);

    const clitest::CliRun json =
        RunCli({"prove", file, "--extended", "--format", "json", "--timeout", "10"});
    EXPECT_EQ(json.status, 0) << json.out;
    const nlohmann::json object = nlohmann::json::parse(json.out);
    EXPECT_EQ(object["status"], "terminating") << json.out;
    EXPECT_EQ(object["error"], "");

    const clitest::CliRun termcomp = RunCli({"--timeout=5", "--category=SRS_Standard", file});
    EXPECT_EQ(termcomp.status, 0) << termcomp.err;
    EXPECT_EQ(Lines(termcomp.out)[0], "YES") << termcomp.out;
  }
}

TEST(ExtendedProve, RefusalsOfTheEnginesReaderAreShownWithItsMessage) {
  ScratchDir dir;
  std::string many;
  for (int i = 0; i <= 100000; ++i)
    many += "ab->ba\n";
  const std::string file = dir.Write("many.srs", many);
  EXPECT_EQ(RunCli({"prove", file}).out, "error: " + file + ": line 1001: more than 1000 rules\n");
  const clitest::CliRun extended = RunCli({"prove", file, "--extended"});
  EXPECT_EQ(extended.status, 1);
  EXPECT_EQ(extended.out, "error: " + file + ": line 100001: more than 100000 rules\n");

  // Malformed text: the same message from the one parser either way.
  const std::string xml = dir.Write("q.xml", "<problem/>");
  EXPECT_EQ(RunCli({"prove", xml, "--extended"}).out,
            "error: " + xml + ": no <problem><trs> element\n");
  const clitest::CliRun competition = RunCli({"--timeout=5", "--category=SRS_Standard", xml});
  EXPECT_EQ(competition.status, 1);
  EXPECT_EQ(competition.out, "MAYBE\n");
  EXPECT_EQ(competition.err, "error: " + xml + ": no <problem><trs> element\n");
}

TEST(ExtendedProve, WorkersAreAWholeNumberFrom1To1024AndNeedExtended) {
  ScratchDir dir;
  const std::string file = dir.Write("ab.srs", "ab->ba\n");
  for (const char* workers : {"0", "1025", "x", "-1"}) {
    EXPECT_EQ(RunCli({"prove", file, "--extended", "--workers", workers}).status, 2) << workers;
    EXPECT_EQ(RunCli({"batch", file, "--extended", "--workers", workers}).status, 2) << workers;
    const clitest::CliRun competition = RunCli(
        {"--timeout=5", "--category=SRS_Standard", "--workers=" + std::string(workers), file});
    EXPECT_EQ(competition.status, 2) << workers;
    EXPECT_NE(competition.err.find("--workers needs a whole number from 1 to 1024"),
              std::string::npos)
        << competition.err;
  }
  const clitest::CliRun alone = RunCli({"prove", file, "--workers", "2"});
  EXPECT_EQ(alone.status, 2);
  EXPECT_NE(alone.err.find("--workers requires --extended"), std::string::npos) << alone.err;
  EXPECT_EQ(RunCli({"prove", file, "--extended", "--repeat", "2"}).status, 2);

  EXPECT_EQ(RunCli({"prove", file, "--extended", "--workers", "1024"}).status, 0);
  const clitest::CliRun first =
      RunCli({"--workers", "2", "--timeout=5", "--category=SRS_Standard", file});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(Lines(first.out)[0], "YES");

  int workers = 0;
  EXPECT_TRUE(ParseWorkers("16", workers));
  EXPECT_EQ(workers, 16);
  EXPECT_FALSE(ParseWorkers("", workers));
  EXPECT_FALSE(ParseWorkers("99999", workers));
  EXPECT_FALSE(ParseWorkers("2.5", workers));
}

TEST(ExtendedBatch, EngineRowsCountTheEnginesProblemAndOthersStayAsTheyWere) {
  ScratchDir dir;
  const std::string proved = dir.Write("a.srs", "ab->ba\n");
  const std::string beyond = dir.Write("b.srs", kLongPlain);
  const std::string malformed = dir.Write("c.xml", "<problem/>");
  BatchRequest request;
  request.jobs = 2;
  const std::vector<std::string> files = {proved, beyond, malformed};
  const std::vector<BatchRow> today = RunBatch(files, request, nullptr);
  request.extended = true;
  request.workers = 1;
  request.timeoutSeconds = 5;
  const std::vector<BatchRow> rows = RunBatch(files, request, nullptr);
  ASSERT_EQ(rows.size(), 3u);

  EXPECT_EQ(rows[0].answer, today[0].answer);
  EXPECT_EQ(rows[0].technique, today[0].technique);
  EXPECT_EQ(rows[0].proof, today[0].proof);
  EXPECT_EQ(rows[0].rules, 1);

  EXPECT_EQ(today[1].answer, "ERROR");
  EXPECT_NE(rows[1].answer, "ERROR") << rows[1].error;
  EXPECT_EQ(rows[1].error, "");
  EXPECT_EQ(rows[1].rules, 1);
  EXPECT_EQ(rows[1].symbols, 2);

  EXPECT_EQ(rows[2].answer, "ERROR");
  EXPECT_EQ(rows[2].error, today[2].error);

  const clitest::CliRun run =
      RunCli({"batch", dir.Path(), "--extended", "--timeout", "10", "--csv", dir.File("rows.csv")});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> csv = Lines(clitest::ReadText(dir.File("rows.csv")));
  ASSERT_EQ(csv.size(), 4u);
  EXPECT_EQ(csv[2].rfind(beyond + ",", 0), 0u) << csv[2];
  EXPECT_EQ(csv[2].find("ERROR"), std::string::npos) << csv[2];
}

// The engine's answers as the command line shows them, from hand-made results.
TEST(EngineAnswers, EachVerdictIsShownInEveryFormat) {
  engine::Problem problem;
  problem.names = {"a", "b"};
  problem.rules = {{{0, 1}, {1, 0, 1}, true}};

  engine::EngineResult no;
  no.verdict = engine::Verdict::No;
  no.proof = {"engine header", "a loop", "  a b", "  -> b a b"}; // the derivation is the proof
  no.technique = "loop";
  no.derivation = {"  a b", "  -> b a b"};
  const ProblemOutcome loop = EngineOutcome(no, problem);
  EXPECT_TRUE(loop.byEngine);
  EXPECT_EQ(loop.result.status, Status::LoopFound);
  EXPECT_EQ(loop.technique, "loop");
  EXPECT_EQ(loop.rules, 1);
  EXPECT_EQ(loop.symbols, 2);

  auto shown = [](const ProblemOutcome& outcome, OutputFormat format) {
    std::ostringstream out;
    std::ostringstream err;
    WriteOutcome(outcome, format, out, err);
    return out.str() + err.str();
  };
  EXPECT_EQ(shown(loop, OutputFormat::Text),
            "loop found\nengine header\na loop\n  a b\n  -> b a b\n");
  EXPECT_EQ(shown(loop, OutputFormat::Termcomp), "NO\nengine header\na loop\n  a b\n  -> b a b\n");
  const nlohmann::json object = nlohmann::json::parse(shown(loop, OutputFormat::Json));
  EXPECT_EQ(object["status"], "loop found");
  EXPECT_EQ(object["proof"], nlohmann::json({"engine header", "a loop", "  a b", "  -> b a b"}));
  EXPECT_EQ(object["derivation"], nlohmann::json({"  a b", "  -> b a b"}));

  engine::EngineResult yes;
  yes.verdict = engine::Verdict::Yes;
  yes.proof = {"engine header", "removed"};
  yes.technique = "matrix interpretation";
  const ProblemOutcome proved = EngineOutcome(yes, problem);
  EXPECT_EQ(shown(proved, OutputFormat::Text), "terminating\nengine header\nremoved\n");
  EXPECT_FALSE(nlohmann::json::parse(shown(proved, OutputFormat::Json)).contains("derivation"));

  const ProblemOutcome open = EngineOutcome(engine::EngineResult{}, problem);
  EXPECT_EQ(shown(open, OutputFormat::Termcomp), "MAYBE\n");

  engine::EngineResult failed;
  failed.verdict = engine::Verdict::Error;
  failed.error = "a certificate failed its check";
  failed.proof = {"never shown"};
  ProblemOutcome error = EngineOutcome(failed, problem);
  EXPECT_EQ(error.result.status, Status::Error);
  EXPECT_TRUE(error.result.proof.empty());
  error.result.error = OutcomeError("p.srs", error); // no file name: it is not about the file
  EXPECT_EQ(shown(error, OutputFormat::Text),
            "error: internal error: a certificate failed its check\n");
  EXPECT_EQ(shown(error, OutputFormat::Termcomp),
            "MAYBE\nerror: internal error: a certificate failed its check\n");
}

TEST(EngineAnswers, TheEngineRunsOnTheRestOfTheTimeAndAGuardedRunReturns) {
  auto problem = std::make_shared<engine::Problem>();
  problem->names = {"a"};
  problem->rules = {{{0, 0}, {0}, true}};
  engine::EngineOptions options;
  options.timeoutSeconds = 1;
  const ProblemOutcome guarded = RunEngine(problem, options, 3);
  EXPECT_TRUE(guarded.byEngine);
  EXPECT_NE(guarded.result.status, Status::Error) << guarded.result.error;
  options.workers = 2;
  const ProblemOutcome direct = RunEngine(problem, options, 0);
  EXPECT_EQ(direct.result.status, guarded.result.status);
  EXPECT_EQ(direct.result.proof, guarded.result.proof);
}

} // namespace
} // namespace selko
