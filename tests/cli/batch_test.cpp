// Batch runs: finding problem files, shards, running on several threads, summaries, the CSV,
// JSON and HTML files, and reading CSV files back for a merge.
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/batch_command.hpp"
#include "cli/batch_progress.hpp"
#include "cli/html_report.hpp"
#include "cli_testing.hpp"

namespace selko {
namespace {

using clitest::ScratchDir;

TEST(BatchFiles, CollectsProblemFilesRecursivelySortedWithoutRepeats) {
  ScratchDir dir;
  clitest::fs::create_directories(dir.File("b/deep"));
  clitest::fs::create_directories(dir.File(".hidden"));
  for (const char* name : {"a.srs", "b/deep/c.xml", "b/d.ari", "b/e.trs", "b/notes.txt",
                           ".hidden/f.srs", "b/.g.srs"}) {
    dir.Write(name, "ab->ba\n");
  }
  std::vector<std::string> files;
  std::string error;
  ASSERT_TRUE(
      CollectProblemFiles({dir.Path(), dir.File("b/notes.txt"), dir.File("a.srs")}, files, error));
  EXPECT_EQ(files, (std::vector<std::string>{dir.File("a.srs"), dir.File("b/d.ari"),
                                             dir.File("b/deep/c.xml"), dir.File("b/e.trs"),
                                             dir.File("b/notes.txt")}));
  EXPECT_FALSE(CollectProblemFiles({dir.File("missing")}, files, error));
  EXPECT_EQ(error, "cannot find " + dir.File("missing"));
}

TEST(BatchFiles, ShardsAreDeterministicDisjointAndCoverEverything) {
  const std::vector<std::string> files = {"a", "b", "c", "d", "e", "f", "g"};
  EXPECT_EQ(ShardOf(files, 1, 3), (std::vector<std::string>{"a", "d", "g"}));
  EXPECT_EQ(ShardOf(files, 2, 3), (std::vector<std::string>{"b", "e"}));
  EXPECT_EQ(ShardOf(files, 3, 3), (std::vector<std::string>{"c", "f"}));
  EXPECT_EQ(ShardOf(files, 1, 1), files);
  int index = 0;
  int count = 0;
  EXPECT_TRUE(ParseShard("2/5", index, count));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(count, 5);
  for (const char* bad : {"0/3", "4/3", "1/0", "1", "/3", "1/", "a/b", "-1/3", "1/3/4"}) {
    EXPECT_FALSE(ParseShard(bad, index, count)) << bad;
  }
}

TEST(BatchRun, RowsComeBackInFileOrderAndAreTheSameWhateverTheNumberOfJobs) {
  ScratchDir dir;
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i) {
    files.push_back(dir.Write("p" + std::to_string(10 + i) + ".srs", "ab->ba\nba->ab\n"));
  }
  files.push_back(dir.Write("refused.xml", "<?xml version=\"1.0\"?><problem/>"));
  files.push_back(dir.File("missing.srs"));
  BatchRequest request;
  int calls = 0;
  std::mutex mutex;
  auto count = [&](const BatchRow&) {
    std::lock_guard<std::mutex> lock(mutex);
    ++calls;
  };
  request.jobs = 1;
  const std::vector<BatchRow> one = RunBatch(files, request, count);
  request.jobs = 3;
  const std::vector<BatchRow> three = RunBatch(files, request, count);
  EXPECT_EQ(calls, 28);
  ASSERT_EQ(one.size(), files.size());
  ASSERT_EQ(three.size(), files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(one[i].path, files[i]);
    EXPECT_EQ(three[i].path, files[i]);
    EXPECT_EQ(one[i].answer, three[i].answer);
    EXPECT_EQ(one[i].proof, three[i].proof);
    EXPECT_EQ(one[i].error, three[i].error);
  }
  EXPECT_EQ(one[0].rules, 2);
  EXPECT_EQ(one[0].symbols, 2);
  EXPECT_EQ(one[12].answer, "ERROR");
  EXPECT_EQ(one[12].error, "no <problem><trs> element");
  EXPECT_EQ(one[13].answer, "ERROR");
  EXPECT_EQ(one[13].error.rfind("cannot open " + files[13], 0), 0u);
}

TEST(BatchRows, TheTechniqueOfTheLastProofStep) {
  EXPECT_EQ(LastTechnique({}), "");
  EXPECT_EQ(LastTechnique({"SELKO 1.4 is applied to the string rewriting system", "a b  -> b a ",
                           "", "Choose polynomial interpretation:",
                           "a: lambda x.10x,  rest "
                           "lambda x.x+1",
                           "remove: a b  -> b a ", "Terminating since no rules remain."}),
            "polynomial interpretation");
  EXPECT_EQ(LastTechnique({"Apply labelling with the following interpretation in {0,1}:",
                           "Terminating by recursive path order with precedence:"}),
            "recursive path order");
  EXPECT_EQ(LastTechnique({"Choose polynomial interpretation  a: lambda x.x+1,  rest identity",
                           "Terminating due to RFC match bound 2,"}),
            "match bound");
  EXPECT_EQ(LastTechnique({"a b  -> b a b ", "Non-terminating; looping derivation starting "
                                             "in: ab"}),
            "loop");
}

std::vector<BatchRow> SampleRows() {
  std::vector<BatchRow> rows(5);
  rows[0] = {"d1/a.srs", "YES", 30, 2, 2, "polynomial interpretation", "", {"proof of a"}};
  rows[1] = {"d1/b.srs", "NO", 10, 1, 2, "loop", "", {"proof <b> & \"c\""}};
  rows[2] = {"d2/c.srs", "MAYBE", 50, 3, 3, "", "", {}};
  rows[3] = {"d2/d,e.srs", "ERROR", 1, 0, 0, "", "line 1, column 2: a \"quoted\"\nmessage", {}};
  rows[4] = {"d2/f.srs", "YES", 20, 4, 1, "match bound", "", {"proof of f"}};
  return rows;
}

TEST(BatchRows, SummaryCountsAnswersPerDirectoryWithTotalMedianAndSlowest) {
  const std::vector<BatchRow> rows = SampleRows();
  const BatchSummary summary = Summarise(rows, 65);
  EXPECT_EQ(summary.counts.yes, 2);
  EXPECT_EQ(summary.counts.no, 1);
  EXPECT_EQ(summary.counts.maybe, 1);
  EXPECT_EQ(summary.counts.error, 1);
  EXPECT_DOUBLE_EQ(summary.totalMs, 111);
  EXPECT_DOUBLE_EQ(summary.medianMs, 20);
  ASSERT_EQ(summary.slowest.size(), 5u);
  EXPECT_EQ(summary.slowest[0]->path, "d2/c.srs");
  std::ostringstream text;
  WriteSummary(summary, text);
  EXPECT_EQ(text.str(), "Problems: 5\n"
                        "  YES          2\n"
                        "  NO           1\n"
                        "  MAYBE        1\n"
                        "  error        1\n"
                        "Time: total 111 ms, median 20 ms, elapsed 65 ms\n"
                        "\n"
                        "directory     YES      NO   MAYBE   error   total\n"
                        "d1              1       1       0       0       2\n"
                        "d2              1       0       1       1       3\n"
                        "\n"
                        "Slowest problems:\n"
                        "       50 ms  MAYBE   d2/c.srs\n"
                        "       30 ms  YES     d1/a.srs\n"
                        "       20 ms  YES     d2/f.srs\n"
                        "       10 ms  NO      d1/b.srs\n"
                        "        1 ms  ERROR   d2/d,e.srs\n");
  std::vector<double> even = {4, 1, 3, 2};
  std::vector<BatchRow> four(4);
  for (std::size_t i = 0; i < 4; ++i)
    four[i].ms = even[i];
  EXPECT_DOUBLE_EQ(Summarise(four, 0).medianMs, 2.5);
  EXPECT_EQ(ShowDuration(12345), "12.3 s");
  EXPECT_EQ(ShowDuration(245000), "4 min 05 s");
}

TEST(BatchRows, CsvRoundTripsEveryFieldAndJsonHoldsOneObjectPerRow) {
  const std::vector<BatchRow> rows = SampleRows();
  std::ostringstream csv;
  WriteCsv(rows, csv);
  EXPECT_EQ(csv.str().substr(0, csv.str().find('\n')),
            "path,answer,time_ms,rules,symbols,technique,error");
  EXPECT_NE(csv.str().find("\"d2/d,e.srs\",ERROR,1.0,0,0,,\"line 1, column 2: a \"\"quoted\"\""
                           "\nmessage\"\n"),
            std::string::npos);
  std::vector<BatchRow> back;
  std::string error;
  ASSERT_TRUE(ReadCsv(csv.str(), back, error)) << error;
  ASSERT_EQ(back.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(back[i].path, rows[i].path);
    EXPECT_EQ(back[i].answer, rows[i].answer);
    EXPECT_DOUBLE_EQ(back[i].ms, rows[i].ms);
    EXPECT_EQ(back[i].rules, rows[i].rules);
    EXPECT_EQ(back[i].symbols, rows[i].symbols);
    EXPECT_EQ(back[i].technique, rows[i].technique);
    EXPECT_EQ(back[i].error, rows[i].error);
  }
  EXPECT_FALSE(ReadCsv("name,answer\nx,YES\n", back, error));
  EXPECT_EQ(error.rfind("not a batch CSV", 0), 0u);
  EXPECT_FALSE(
      ReadCsv("path,answer,time_ms,rules,symbols,technique,error\nx,YES,1\n", back, error));
  EXPECT_EQ(error, "record 2 has 3 fields, not 7");
  EXPECT_FALSE(ReadCsv("path,answer,time_ms,rules,symbols,technique,error\n\"x,YES", back, error));

  std::ostringstream json;
  WriteJson(rows, json);
  const nlohmann::json parsed = nlohmann::json::parse(json.str());
  ASSERT_EQ(parsed.size(), rows.size());
  EXPECT_EQ(parsed[1]["path"], "d1/b.srs");
  EXPECT_EQ(parsed[1]["answer"], "NO");
  EXPECT_EQ(parsed[1]["time_ms"], 10.0);
  EXPECT_EQ(parsed[1]["technique"], "loop");
  EXPECT_EQ(parsed[3]["error"], "line 1, column 2: a \"quoted\"\nmessage");
}

TEST(BatchReport, OnePageWithSummaryCactusPlotSortableTableAndLinkedProofs) {
  const std::vector<BatchRow> rows = SampleRows();
  std::ostringstream page;
  WriteHtmlReport(rows, Summarise(rows, 65), "Run <1>", page);
  const std::string html = page.str();
  for (const char* part :
       {"<!DOCTYPE html>", "<title>Run &lt;1&gt;</title>", "<svg", "id=\"cactus\"",
        "class=\"series\"", "YES and NO (3)", "id=\"problems\"", "addEventListener('click'",
        "<a href=\"#proof-1\">d1/a.srs</a>", "<a href=\"file://d2/c.srs\">d2/c.srs</a>",
        "<section id=\"proof-2\">", "proof &lt;b&gt; &amp; &quot;c&quot;", "</html>"}) {
    EXPECT_NE(html.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(html.find("src="), std::string::npos); // nothing loaded from elsewhere
  EXPECT_EQ(html.find("<link"), std::string::npos);
  // The solved curve: the origin, then the three solved problems by time (10, 20, 30 ms on an
  // axis up to 50 ms; five problems across).
  const std::string svg = CactusPlotSvg(rows);
  EXPECT_NE(svg.find("points=\"70.0,350.0 196.0,284.0 322.0,218.0 448.0,152.0\""),
            std::string::npos)
      << svg;
}

TEST(BatchProgress, ShowsDoneTotalAnswersAndTimes) {
  std::FILE* sink = std::tmpfile();
  BatchProgress bar(sink, true, 4);
  bar.Done("YES");
  bar.Done("ERROR");
  const std::string line = bar.Line();
  EXPECT_EQ(line.rfind("[###############...............] 2/4  YES 1  NO 0  MAYBE 0  error 1  "
                       "elapsed 0:00  remaining 0:00",
                       0),
            0u)
      << line;
  BatchProgress lines(sink, false, 4);
  for (int i = 0; i < 4; ++i)
    lines.Done("MAYBE");
  EXPECT_EQ(lines.Line(), "progress: 4/4  YES 0  NO 0  MAYBE 4  error 0  elapsed 0:00");
  std::fclose(sink);
}

} // namespace
} // namespace selko
