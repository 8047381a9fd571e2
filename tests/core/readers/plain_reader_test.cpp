// The plain-format reader.
#include "support/prover_testing.hpp"

namespace selko {
namespace {

using testing::MakeProver;
using testing::ReadPlainLines;
using testing::TableRules;

struct PlainCase {
  std::vector<std::string> input;
  std::vector<std::string> rules; // as TableRules writes them
  int plainMode;
};

TEST(PlainReader, ReadsEveryShapeOfRuleLine) {
  const std::vector<PlainCase> cases = {
      {{"ab->ba"}, {"a b -> b a"}, 1},
      {{"ab -> ba"}, {"a b -> b a"}, 1},
      {{"ab ->= ba"}, {"a b ->= b a"}, 0},
      {{"a -> e"}, {"a ->"}, 1},
      {{"a ->"}, {"a ->"}, 1},
      {{"a -> bea"}, {"a -> b"}, 1},
      {{"a -> b c"}, {"a -> b"}, 1},
      {{"a -> b-c"}, {"a -> b - c"}, 1},
      {{"e -> a"}, {"e -> a"}, 1},
      {{"-> a"}, {"-> a"}, 1},
      {{"a -> A"}, {"a -> A"}, 1},
      {{"a b"}, {"a -> b"}, 1},
      {{"a>b"}, {"a -> b"}, 1},
      {{"a = b"}, {"a ->= b"}, 0},
      {{"->e"}, {"->"}, 1},
      {{"abc"}, {"a b c ->"}, 1},
      {{""}, {}, 1},
      {{}, {}, 1},
      {{"ab -> ba", " comment", "cd -> dc"}, {"a b -> b a"}, 1},
      {{"ab->ba", "ba->=ab", "", "cd->dc"}, {"a b -> b a", "b a ->= a b"}, 0},
  };
  for (const PlainCase& c : cases) {
    auto p = MakeProver();
    ReadPlainLines(*p, c.input);
    const std::string where = c.input.empty() ? "(no lines)" : c.input.front();
    EXPECT_TRUE(p->InputError.empty()) << where;
    EXPECT_EQ(TableRules(p->WorkTable), c.rules) << where;
    EXPECT_EQ(p->PlainMode, c.plainMode) << where;
  }
}

TEST(PlainReader, NumbersSymbolsInOrderOfFirstOccurrence) {
  auto p = MakeProver();
  ReadPlainLines(*p, {"ba->c", "dc->a"});
  EXPECT_EQ(p->WorkTable.symbolCount, 4);
  EXPECT_EQ(p->WorkTable.names[1], "b");
  EXPECT_EQ(p->WorkTable.names[2], "a");
  EXPECT_EQ(p->WorkTable.names[3], "c");
  EXPECT_EQ(p->WorkTable.names[4], "d");
}

TEST(PlainReader, RefusesInputBeyondTheCapacitiesNamingTheLine) {
  auto p = MakeProver();
  ReadPlainLines(*p, {"ab->ba", "a->b", "aaaaaaaaaaaaaaaaaaaa->b"});
  EXPECT_EQ(p->InputError, "line 3: a side has more than 19 symbols");

  ReadPlainLines(*p, {"a->bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"});
  EXPECT_EQ(p->InputError, "line 1: a side has more than 19 symbols");

  ReadPlainLines(*p, {"aaaaaaaaaaaaaaaaaaa->bbbbbbbbbbbbbbbbbbb"});
  EXPECT_TRUE(p->InputError.empty());

  std::vector<std::string> many(1001, "ab->ba");
  ReadPlainLines(*p, many);
  EXPECT_EQ(p->InputError, "line 1001: more than 1000 rules");
  many.pop_back();
  ReadPlainLines(*p, many);
  EXPECT_TRUE(p->InputError.empty());
  EXPECT_EQ(p->WorkTable.ruleCount, 1000);

  std::vector<std::string> symbols;
  for (int c = 0; c < 101; ++c) {
    const char s = static_cast<char>(c < 50 ? 'A' + c : 0x80 + c);
    symbols.push_back(std::string(1, s == ' ' ? '!' : s) + "->x");
  }
  ReadPlainLines(*p, symbols);
  EXPECT_EQ(p->InputError, "line 100: more than 100 distinct symbols");
}

} // namespace
} // namespace selko
