// The XML and ARI readers feeding the engine's problem (their refusals of malformed text are
// tested with the fixed-capacity table in tests/cli), the builder's limits, and the choice of
// reader with the checks before any format.
#include <gtest/gtest.h>

#include "engine/engine_testing.hpp"
#include "engine/readers/ari_reader.hpp"
#include "engine/readers/problem_builder.hpp"
#include "engine/readers/read_problem.hpp"
#include "engine/readers/xml_reader.hpp"

namespace selko::engine {
namespace {

using testing::RuleTexts;

std::string XmlTerm(const std::vector<std::string>& names) {
  std::string term;
  for (const std::string& name : names)
    term += "<funapp><name>" + name + "</name><arg>";
  term += "<var>x</var>";
  for (std::size_t i = 0; i < names.size(); ++i)
    term += "</arg></funapp>";
  return term;
}

std::string XmlRule(const std::vector<std::string>& lhs, const std::vector<std::string>& rhs) {
  return "<rule><lhs>" + XmlTerm(lhs) + "</lhs><rhs>" + XmlTerm(rhs) + "</rhs></rule>";
}

std::string AriTerm(const std::vector<std::string>& names) {
  std::string term;
  for (const std::string& name : names)
    term += "(" + name + " ";
  return term + "x" + std::string(names.size(), ')');
}

TEST(StructuredProblemReaders, XmlAndAriGiveTheSameProblemWithLongSidesAndWeakRules) {
  std::vector<std::string> longSide;
  for (int i = 0; i < 30; ++i)
    longSide.push_back(i % 2 == 0 ? "fst" : "snd");
  const std::string xml = "<?xml version=\"1.0\"?><problem><trs><rules>" +
                          XmlRule(longSide, {"snd"}) + "<relrules>" + XmlRule({"snd", "thd"}, {}) +
                          "</relrules></rules></trs></problem>";
  const std::string ari = "(format TRS)\n(fun fst 1)\n(fun snd 1)\n(fun thd 1)\n(rule " +
                          AriTerm(longSide) + " " + AriTerm({"snd"}) + ")\n(rule " +
                          AriTerm({"snd", "thd"}) + " x :cost 0)\n";
  Problem fromXml;
  Problem fromAri;
  std::string error;
  ASSERT_TRUE(ReadProblem("p.xml", xml, InputFormat::Auto, fromXml, error)) << error;
  ASSERT_TRUE(ReadProblem("p.ari", ari, InputFormat::Auto, fromAri, error)) << error;
  ASSERT_EQ(fromXml.rules.size(), 2u);
  EXPECT_EQ(fromXml.rules[0].lhs.size(), 30u);
  EXPECT_EQ(RuleTexts(fromXml)[1], "snd thd ->=");
  EXPECT_EQ(fromXml.names, (std::vector<std::string>{"fst", "snd", "thd"}));
  EXPECT_EQ(fromXml.rules, fromAri.rules);
  EXPECT_EQ(fromXml.names, fromAri.names);
}

TEST(StructuredProblemReaders, AriSidesNestAsDeepAsTheSideLimitWithoutExhaustingTheStack) {
  std::vector<std::string> side(kMaxProblemSide, "a");
  const std::string head = "(format TRS)\n(fun a 1)\n(fun b 1)\n";
  Problem problem;
  std::string error;
  ASSERT_TRUE(ReadProblem("p.ari", head + "(rule " + AriTerm(side) + " (b x))\n", InputFormat::Ari,
                          problem, error))
      << error.substr(0, 200);
  EXPECT_EQ(problem.rules[0].lhs.size(), kMaxProblemSide);

  side.push_back("a");
  EXPECT_FALSE(ReadProblem("p.ari", head + "(rule " + AriTerm(side) + " (b x))\n", InputFormat::Ari,
                           problem, error));
  EXPECT_EQ(error, "line 4, column 1: rule 1: a side has more than 100000 symbols");
  side.push_back("a");
  EXPECT_FALSE(ReadProblem("p.ari", head + "(rule " + AriTerm(side) + " (b x))\n", InputFormat::Ari,
                           problem, error));
  // "(rule " then "(a " at columns 7, 10, ...: the one that opens a level too many is named.
  auto tooDeep = [](int nesting) {
    return "line 4, column " + std::to_string(7 + 3 * (nesting - 1)) +
           ": parentheses nested too deeply";
  };
  EXPECT_EQ(error, tooDeep(static_cast<int>(kMaxProblemSide) + 2));

  // The fixed-capacity table's reading keeps its own, lower limit.
  struct Counting final : RuleSink {
    bool AddRule(const std::vector<std::string>&, const std::vector<std::string>&, bool,
                 std::string&) override {
      return true;
    }
  } sink;
  EXPECT_FALSE(
      ReadAriRules(head + "(rule " + AriTerm(side) + " (b x))\n", sink, kAriNesting, error));
  EXPECT_EQ(error, tooDeep(kAriNesting));
}

TEST(StructuredProblemReaders, TheBuilderRefusesAbuseNamingTheRule) {
  ProblemBuilder builder;
  std::string error;
  for (std::size_t i = 0; i < kMaxProblemRules; ++i)
    ASSERT_TRUE(builder.AddRule({"a", "b"}, {"b", "a"}, true, error));
  EXPECT_FALSE(builder.AddRule({"a"}, {}, true, error));
  EXPECT_EQ(error, "rule 100001: more than 100000 rules");
  EXPECT_EQ(builder.Take().rules.size(), kMaxProblemRules);

  const std::vector<std::string> longest(kMaxProblemSide + 1, "a");
  EXPECT_TRUE(builder.AddRule({"a"}, {"b"}, true, error));
  EXPECT_FALSE(builder.AddRule({"b"}, longest, false, error));
  EXPECT_EQ(error, "rule 2: a side has more than 100000 symbols");
  EXPECT_EQ(builder.RuleCount(), 1u);
}

TEST(ReadProblem, ChoosesTheReaderByFormatAndRefusesBinaryAndHugeText) {
  struct Case {
    std::string path;
    std::string text;
    InputFormat format;
    std::vector<std::string> rules;
  };
  const std::vector<Case> cases = {
      {"p.srs", "ab->ba\n", InputFormat::Auto, {"a b -> b a"}},
      {"p.srs", "(COMMENT x)\n(RULES ab -> ba)", InputFormat::Auto, {"ab -> ba"}},
      {"p.srs", "(RULES ab -> ba)", InputFormat::Plain, {"( R U L E S -> a b"}},
      {"p.srs", "(format TRS)(fun a 1)(rule (a x) x)", InputFormat::Auto, {"a ->"}},
  };
  for (const Case& c : cases) {
    Problem problem;
    std::string error;
    ASSERT_TRUE(ReadProblem(c.path, c.text, c.format, problem, error)) << c.text << ": " << error;
    EXPECT_EQ(RuleTexts(problem), c.rules) << c.text;
  }
  Problem problem;
  std::string error;
  EXPECT_FALSE(
      ReadProblem("p.srs", std::string("ab->ba\nb\0a", 10), InputFormat::Auto, problem, error));
  EXPECT_EQ(error, "not a text file: a NUL byte at line 2, column 2");
  EXPECT_FALSE(ReadProblem("p.xml", "<problem/>", InputFormat::Auto, problem, error));
  EXPECT_EQ(error, "no <problem><trs> element");
  EXPECT_FALSE(ReadProblem("p.srs", std::string(kMaxInputBytes + 1, 'a'), InputFormat::Plain,
                           problem, error));
  EXPECT_EQ(error, "larger than 64 MiB");
}

} // namespace
} // namespace selko::engine
