// The TPDB-format reader, alone and through a whole run.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>

#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::MakeProver;
using testing::ReadPlainLines;
using testing::TableRules;

void ReadTpdbLines(Prover& prover, const std::vector<std::string>& lines) {
  prover.Input = &lines;
  prover.ReadTpdb();
  prover.Input = nullptr;
}

struct TpdbCase {
  std::vector<std::string> input;
  std::vector<std::string> rules; // as TableRules writes them
  int plainMode;
};

TEST(TpdbReader, ReadsEveryAcceptedShape) {
  const std::vector<TpdbCase> cases = {
      {{"(RULES a b -> b a, b c ->= c b)"}, {"a b -> b a", "b c ->= c b"}, 0},
      {{"(RULES", "a b -> b a,", "b -> a", ")"}, {"a b -> b a", "b -> a"}, 1},
      {{"(RULES ab c -> c ab)"}, {"ab c -> c ab"}, 1},
      {{"(RULES -> a)"}, {"-> a"}, 1},
      {{"(RULES a -> , b -> a)"}, {"a ->", "b -> a"}, 1},
      {{"(RULES a -> b,,)"}, {"a -> b"}, 1},
      {{"(RULES", "a b", "-> c)"}, {"a b -> c"}, 1},
      {{"(RULES", "a b", "c -> d)"}, {"a bc -> d"}, 1},
      // A name right after the arrow keeps its first character.
      {{"(RULES a ->b, b ->=a)"}, {"a -> b", "b ->= a"}, 0},
      {{"(RULES a ->)"}, {"a ->"}, 1},
      {{"(RULES a -> e)"}, {"a -> e"}, 1},
      {{"(RULES ->)"}, {"->"}, 1},
      {{"(RULES)"}, {}, 1},
      {{"(VAR x)", "(RULES", "", "f g -> g f", ")", "(COMMENT - no rules here -> x"},
       {"f g -> g f"},
       1},
      {{"(RULES a->b)"}, {"a -> b"}, 1},
      {{"(RULES", "a", "", "b -> c)"}, {"a b -> c"}, 1}, // an empty line reads as one blank
  };
  for (const TpdbCase& c : cases) {
    auto p = MakeProver();
    ReadTpdbLines(*p, c.input);
    const std::string where = c.input.front();
    EXPECT_EQ(p->InputError, "") << where;
    EXPECT_EQ(TableRules(p->WorkTable), c.rules) << where;
    EXPECT_EQ(p->PlainMode, c.plainMode) << where;
  }
}

TEST(TpdbReader, NumbersNamesInOrderOfFirstOccurrenceAndClearsTheLog) {
  auto p = MakeProver();
  p->LogCount = 17;
  ReadTpdbLines(*p, {"(RULES a b -> b a, b c ->= c b)"});
  EXPECT_EQ(p->LogCount, 0);
  EXPECT_EQ(p->WorkTable.symbolCount, 3);
  EXPECT_EQ(p->WorkTable.names[1], "a");
  EXPECT_EQ(p->WorkTable.names[2], "b");
  EXPECT_EQ(p->WorkTable.names[3], "c");
  EXPECT_EQ(p->WorkTable.strict[1], 1);
  EXPECT_EQ(p->WorkTable.strict[2], 0);

  // A second reading starts afresh.
  ReadTpdbLines(*p, {"(RULES x -> y)"});
  EXPECT_EQ(p->WorkTable.symbolCount, 2);
  EXPECT_EQ(p->PlainMode, 1);
  EXPECT_EQ(TableRules(p->WorkTable), (std::vector<std::string>{"x -> y"}));
}

struct Malformed {
  std::vector<std::string> input;
  std::string error;
};

TEST(TpdbReader, EndsMalformedTextWithAMessageNamingTheLine) {
  const std::string noS = "no capital S before the end of the text";
  const std::string noClose = "no closing ')' before the end of the text";
  const std::string noArrow = "a rule without an arrow";
  const std::string dashInRhs = "a '-' inside a right-hand side";
  const std::string badArrow = "a '-' that is not followed by '>'";
  const std::vector<Malformed> cases = {
      {{}, "line 1: " + noS},
      {{""}, "line 1: " + noS},
      {{"(rules a -> b)"}, "line 1: " + noS},
      {{"(RULE", "a -> b", ")"}, "line 3: " + noS},
      {{"(RULES"}, "line 1: " + noClose},
      {{"(RULES a -> b"}, "line 1: " + noClose},
      {{"(RULES a -> b,", "c -> d", ""}, "line 3: " + noClose},
      {{"(RULES a b"}, "line 1: " + noClose},
      {{"(RULES a -"}, "line 1: " + noClose},
      {{"(RULES a ->"}, "line 1: " + noClose},
      {{"(RULES a ->="}, "line 1: " + noClose},
      {{"(RULES a -> b c"}, "line 1: " + noClose},
      {{"(RULES a -> b,"}, "line 1: " + noClose},
      {{"(RULES a b)"}, "line 1: " + noArrow},
      {{"(RULES a -> b,", "c d,", "e -> f)"}, "line 2: " + noArrow},
      {{"(RULES a -> b, c)"}, "line 1: " + noArrow},
      {{"(RULES a -> b - c)"}, "line 1: " + dashInRhs},
      {{"(RULES a -> b -> c)"}, "line 1: " + dashInRhs},
      {{"(RULES a ->-b)"}, "line 1: " + dashInRhs},
      {{"(RULES", "a -> b", "-> c)"}, "line 3: " + dashInRhs},
      {{"(RULES a -x b)"}, "line 1: " + badArrow},
      {{"(RULES a - > b)"}, "line 1: " + badArrow},
      {{"(RULES", "a -", "x b)"}, "line 3: " + badArrow},
  };
  for (const Malformed& c : cases) {
    auto p = MakeProver();
    ReadTpdbLines(*p, c.input);
    EXPECT_EQ(p->InputError, c.error) << (c.input.empty() ? "(no lines)" : c.input.front());
  }
}

TEST(TpdbReader, RefusesInputBeyondTheCapacitiesNamingTheLine) {
  auto p = MakeProver();
  std::vector<std::string> text = {"(RULES"};
  for (int k = 1; k <= 1000; ++k)
    text.push_back("a -> b,");
  text.push_back(")");
  ReadTpdbLines(*p, text);
  EXPECT_EQ(p->InputError, "");
  EXPECT_EQ(p->WorkTable.ruleCount, 1000);
  text.insert(text.end() - 1, "a -> b");
  ReadTpdbLines(*p, text);
  EXPECT_EQ(p->InputError, "line 1002: more than 1000 rules");

  const std::string nineteen = "a a a a a a a a a a a a a a a a a a a";
  ReadTpdbLines(*p, {"(RULES " + nineteen + " -> " + nineteen + ")"});
  EXPECT_EQ(p->InputError, "");
  ReadTpdbLines(*p, {"(RULES", nineteen + " a -> b)"});
  EXPECT_EQ(p->InputError, "line 2: a side has more than 19 symbols");
  ReadTpdbLines(*p, {"(RULES a -> b,", "a -> " + nineteen + " b)"});
  EXPECT_EQ(p->InputError, "line 2: a side has more than 19 symbols");

  text = {"(RULES"};
  for (int k = 1; k <= 101; ++k)
    text.push_back("n" + std::to_string(k) + " -> n1,");
  text.push_back(")");
  ReadTpdbLines(*p, text);
  EXPECT_EQ(p->InputError, "line 102: more than 100 distinct symbols");
  text.erase(text.end() - 2);
  ReadTpdbLines(*p, text);
  EXPECT_EQ(p->InputError, "");
  EXPECT_EQ(p->WorkTable.symbolCount, 100);
}

TEST(TpdbReader, RunReadsTheTpdbTextAndEndsLikeAPlainRunOfTheSameSystem) {
  RunOptions tpdb;
  tpdb.tpdbFormat = true;
  const RunOptions plain;
  struct Pair {
    std::vector<std::string> tpdbText;
    std::vector<std::string> plainText;
    std::vector<std::string> header;
  };
  const std::vector<Pair> pairs = {
      {{"(RULES ab c -> c ab)"},
       {"ac->ca"},
       {"SELKO 1.4 is applied to the string rewriting system", "ab c  -> c ab "}},
      {{"(RULES", "a b -> b a,", "b ->= b b", ")"},
       {"ab->ba", "b->=bb"},
       {"SELKO 1.4 is applied to the string rewriting system", "a b  -> b a ", "b  ->= b b "}},
      {{"(RULES a -> b, b -> c)"},
       {"a->b", "b->c"},
       {"SELKO 1.4 is applied to the string rewriting system", "a  -> b ", "b  -> c "}},
  };
  for (const Pair& pair : pairs) {
    auto p = MakeProver();
    const RunResult byTpdb = p->Run(pair.tpdbText, tpdb);
    ASSERT_NE(byTpdb.status, Status::Error) << byTpdb.error;
    ASSERT_GE(p->LogCount, static_cast<int>(pair.header.size()));
    for (std::size_t i = 0; i < pair.header.size(); ++i) {
      EXPECT_EQ(p->ProofLog[i + 1], pair.header[i]);
    }
    if (!byTpdb.proof.empty()) {
      EXPECT_TRUE(std::equal(pair.header.begin(), pair.header.end(), byTpdb.proof.begin()));
    }
    auto q = MakeProver();
    EXPECT_EQ(q->Run(pair.plainText, plain).status, byTpdb.status) << pair.plainText.front();
  }

  // With the same names both readers give the same run, proof text included.
  for (const auto& [tpdbText, plainText] :
       std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>>{
           {{"(RULES a b -> b a)"}, {"ab->ba"}},
           {{"(RULES", "a a -> b,", "b ->= a", ")"}, {"aa->b", "b->=a"}},
           {{"(RULES a b -> b b a)"}, {"ab->bba"}},
       }) {
    auto p = MakeProver();
    auto q = MakeProver();
    const RunResult byTpdb = p->Run(tpdbText, tpdb);
    const RunResult byPlain = q->Run(plainText, plain);
    EXPECT_EQ(byTpdb.status, byPlain.status) << plainText.front();
    EXPECT_TRUE(testing::SameLines(byTpdb.proof, byPlain.proof)) << plainText.front();
  }
}

TEST(TpdbReader, RunEndsWithTheReadersMessage) {
  RunOptions tpdb;
  tpdb.tpdbFormat = true;
  auto p = MakeProver();
  const RunResult result = p->Run({"(RULES a b -> b a,", "a b)"}, tpdb);
  EXPECT_EQ(result.status, Status::Error);
  EXPECT_EQ(result.error, "line 2: a rule without an arrow");
  EXPECT_TRUE(result.proof.empty());
}

TEST(TpdbReader, RandomTextsAreReadOrRefusedWithALineNumber) {
  const std::string alphabet = "(RULES ab-->=,)  ";
  std::mt19937 random(7);
  auto p = MakeProver();
  int read = 0;
  for (int n = 0; n < 20000; ++n) {
    std::vector<std::string> text;
    const int lines = static_cast<int>(random() % 4);
    for (int k = 0; k < lines; ++k) {
      std::string line = (k == 0 && random() % 2 == 0) ? "(RULES " : "";
      for (int m = static_cast<int>(random() % 12); m > 0; --m)
        line += alphabet[random() % alphabet.size()];
      text.push_back(line);
    }
    ReadTpdbLines(*p, text);
    if (p->InputError.empty()) {
      ++read;
      for (int r = 1; r <= p->WorkTable.ruleCount; ++r) {
        EXPECT_LT(WordLength(p->WorkTable.lhs[r]), kWordBytes);
        EXPECT_LE(p->WorkTable.strict[r], 1);
      }
      continue;
    }
    const std::string& e = p->InputError;
    ASSERT_EQ(e.rfind("line ", 0), 0u) << e;
    const int line = std::stoi(e.substr(5));
    EXPECT_GE(line, 1) << e;
    EXPECT_LE(line, std::max(lines, 1)) << e;
  }
  EXPECT_GT(read, 100);
}

// Reads every TPDB file of the benchmark corpus (when it is there): each is read or refused with
// a message, and what is read has the shape of the same problem in the plain format.
TEST(TpdbReader, ReadsTheCorpus) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(__FILE__).parent_path() / ".." / ".." / "..";
  fs::path corpus;
  for (const fs::path& c :
       {root / ".." / "shared" / "corpus", root / ".." / ".." / "shared" / "corpus"}) {
    if (fs::is_directory(c / "tpdb")) corpus = c;
  }
  if (corpus.empty()) GTEST_SKIP() << "no corpus next to the sources";

  auto lines = [](const fs::path& file) {
    std::vector<std::string> out;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      out.push_back(line);
    }
    return out;
  };
  // Rule shapes, with symbols numbered by first occurrence (as both readers number them).
  auto shape = [](const RuleTable& t) {
    std::vector<std::string> out;
    for (int r = 1; r <= t.ruleCount; ++r) {
      std::string s;
      for (int k = 0; k < WordLength(t.lhs[r]); ++k)
        s += std::to_string(t.lhs[r][k]) + " ";
      s += t.strict[r] != 0 ? "->" : "->=";
      for (int k = 0; k < WordLength(t.rhs[r]); ++k)
        s += " " + std::to_string(t.rhs[r][k]);
      out.push_back(s);
    }
    return out;
  };

  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(corpus / "tpdb"))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  int read = 0;
  int compared = 0;
  std::map<std::string, int> refused;
  auto p = MakeProver();
  auto q = MakeProver();
  for (const fs::path& file : files) {
    ReadTpdbLines(*p, lines(file));
    if (!p->InputError.empty()) {
      const std::string& e = p->InputError;
      const std::size_t colon = e.find(": ");
      ++refused[colon == std::string::npos ? e : e.substr(colon + 2)];
      continue;
    }
    ++read;
    const fs::path plainFile = corpus / "plain" / file.filename();
    if (!fs::exists(plainFile)) continue;
    ReadPlainLines(*q, lines(plainFile));
    if (!q->InputError.empty()) continue;
    ++compared;
    EXPECT_EQ(shape(p->WorkTable), shape(q->WorkTable)) << file.filename();
    EXPECT_EQ(p->PlainMode, q->PlainMode) << file.filename();
  }
  std::cout << "[ corpus   ] " << files.size() << " TPDB files: " << read << " read (" << compared
            << " match the plain version)";
  for (const auto& [reason, count] : refused)
    std::cout << ", " << count << " refused: " << reason;
  std::cout << "\n";
  EXPECT_GT(read, 0);
}

} // namespace
} // namespace selko
