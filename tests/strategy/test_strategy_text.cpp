#include <gtest/gtest.h>

#include "strategy/strategy_check.h"
#include "strategy/strategy_test_util.h"
#include "strategy/strategy_text.h"

namespace kv {
namespace {

using test::Lines;
using test::parsed;
using test::strategyLines;

StrategyOperator betOn(const std::string& target, const std::string& name, int32_t window = 0,
                       int32_t category = 0) {
    StrategyOperator op;
    op.kind = OperatorKind::Bet;
    op.target = target;
    op.name = name;
    op.betWindow = window;
    op.betCategory = category;
    return op;
}

StrategyOperator assign(const std::string& target, const std::string& a, Operation o, const std::string& b,
                        const std::string& name) {
    StrategyOperator op;
    op.kind = OperatorKind::Parameter;
    op.target = target;
    op.operand1 = a;
    op.operation = o;
    op.operand2 = b;
    op.name = name;
    return op;
}

StrategyOperator ifOp(const std::string& left, Comparison cmp, const std::string& right,
                      const std::string& name) {
    StrategyOperator op;
    op.kind = OperatorKind::If;
    op.left = left;
    op.comparison = cmp;
    op.right = right;
    op.name = name;
    return op;
}

TEST(StrategyText, OperatorLinesHaveTheirExactForm) {
    Strategy s;
    s.description = {"First line", "", "Third"};
    s.parameters.push_back({"STEP", "", -3, false, 0});
    s.operators.push_back(betOn("RED", "Operator 1"));
    s.operators.push_back(betOn("HOT", "Operator 2", 10, 16));
    s.operators.push_back(assign("BET", "BET", Operation::Multiply, "2", "Operator 3"));
    StrategyOperator cond = ifOp("HOT", Comparison::Equal, "1", "Operator 4");
    cond.leftWindow = 20;
    s.operators.push_back(cond);
    s.operators.push_back(assign("STEP", "7", Operation::None, "ignored", "Reset"));
    for (auto& op : s.operators) op.independent = true;
    s.operators[4].section = StrategySection::Always2;

    const Lines expected = {"' First line",
                            "' Third",
                            "",
                            "BET 1 v The sum of the bet",
                            "STEP -3 n ",
                            "",
                            "ALWAYS",
                            "------",
                            "BETS RED // 1 Operator 1",
                            "BETS HOT (10,5) // 2 Operator 2",
                            "BET = BET * 2 // 3 Operator 3",
                            "IF HOT (20,RED) = 1 THEN // 4 Operator 4",
                            "{",
                            "} ELSE",
                            "{",
                            "}",
                            "",
                            "WIN",
                            "---",
                            "",
                            "LOSE",
                            "----",
                            "",
                            "DRAWN GAME",
                            "----------",
                            "",
                            "ALWAYS 2",
                            "--------",
                            "STEP = 7 // 5 Reset"};
    EXPECT_EQ(StrategyText(s), expected);
}

// A strategy using every construct: nesting, an operator listed in two
// places, dependent operators, selections on both IF sides.
Strategy richStrategy() {
    Strategy s;
    s.description = {"Doubles after a loss", " indented note"};
    s.parameters.push_back({"LIMIT", "Highest bet", 64, true, 64});
    s.parameters.push_back({"N2", "", 0, false, 0});
    StrategyOperator outer = ifOp("NEW", Comparison::NotEqual, "COLD", "Outer");
    outer.leftWindow = 37;
    outer.leftCategory = 46;
    outer.rightWindow = 0;
    outer.rightCategory = 8;
    outer.thenList[1] = 2;
    outer.thenList[2] = 3;
    outer.elseList[5] = 4;
    outer.independent = true;
    outer.section = StrategySection::Lose;
    s.operators.push_back(outer);
    StrategyOperator inner = ifOp("BET", Comparison::Greater, "LIMIT", "Inner");
    inner.thenList[1] = 4;
    inner.elseList[1] = 5;
    s.operators.push_back(inner);
    s.operators.push_back(betOn("COL2", "Bet column"));
    s.operators.push_back(assign("BET", "1", Operation::None, "", "Reset"));
    s.operators.push_back(assign("BET", "BET", Operation::Sqrt, "N2", "Root"));
    s.operators.push_back(betOn("OLD", "Oldest", 0, 9));
    s.operators.back().independent = true;
    s.operators.back().section = StrategySection::Always2;
    s.operators.push_back(assign("N2", "N2", Operation::Mod, "3", "Mod"));
    s.operators.back().independent = true;
    s.operators.back().section = StrategySection::Win;
    return s;
}

TEST(StrategyText, NestedBlocksAreSixSpacesDeeperAndReadBack) {
    const Strategy s = richStrategy();
    const Lines text = StrategyText(s);
    const Lines loseSection = {"LOSE",
                               "----",
                               "IF NEW (37,35) <> COLD (0,DOZ3) THEN // 1 Outer",
                               "{",
                               "      IF BET > LIMIT THEN // 2 Inner",
                               "      {",
                               "            BET = 1 // 4 Reset",
                               "      } ELSE",
                               "      {",
                               "            BET = BET sqrt N2 // 5 Root",
                               "      }",
                               "      BETS COL2 // 3 Bet column",
                               "} ELSE",
                               "{",
                               "      BET = 1 // 4 Reset",
                               "}"};
    const auto at = std::find(text.begin(), text.end(), "LOSE");
    ASSERT_NE(at, text.end());
    EXPECT_EQ(Lines(at, at + static_cast<long>(loseSection.size())), loseSection);

    const StrategyRead back = readStrategyText(text);
    ASSERT_TRUE(back.ok) << back.error.text();
    // Lists come back packed into the first slots, and a dependent
    // operator's section is not part of the text.
    Strategy expected = s;
    expected.operators[0].elseList = {};
    expected.operators[0].elseList[1] = 4;
    EXPECT_EQ(back.strategy, expected);
    EXPECT_EQ(StrategyText(back.strategy), text);
}

TEST(StrategyText, ReaderEdgeCases) {
    // No description: the text starts with the empty line.
    const Strategy s = parsed(strategyLines({"BET 1 v ", "X 5 n"}, {"BET = X // 2 Copy", "BETS RED // 5 Red"},
                                            {}, {}, {}, {"BETS RED // 5 Red again"}));
    EXPECT_TRUE(s.description.empty());
    ASSERT_EQ(s.parameterCount(), 2);
    EXPECT_TRUE(s.parameter(1).visible);
    EXPECT_FALSE(s.parameter(2).visible);
    // Missing numbers become placeholders named by their number.
    ASSERT_EQ(s.operatorCount(), 5);
    for (int k : {1, 3, 4}) {
        EXPECT_EQ(s.op(k).name, std::to_string(k));
        EXPECT_FALSE(s.op(k).independent);
        EXPECT_EQ(s.op(k).kind, OperatorKind::If);
    }
    EXPECT_EQ(s.op(2).operand1, "X");
    // Operator 5 is listed in two sections: one record, the later line wins.
    EXPECT_EQ(s.op(5).name, "Red again");
    EXPECT_EQ(s.op(5).section, StrategySection::Always2);
    EXPECT_TRUE(s.op(5).independent);
}

TEST(StrategyText, SlashesWithoutASpaceBeforeThemStayOutOfTheOperand) {
    // Found by fuzzing: "BASE-1// 1 x" used to keep "//" in the operand, so
    // the rendered line held four slashes and read back as no operator.
    const Strategy s =
        parsed(strategyLines({"BET 1 v", "BASE 5 v"}, {"BET = BASE - 1// 1 Down", "BETS RED// 2 Red"}));
    ASSERT_EQ(s.operatorCount(), 2);
    EXPECT_EQ(s.op(1).operand2, "1");
    EXPECT_EQ(s.op(2).target, "RED");
    const std::vector<std::string> text = StrategyText(s);
    const Strategy back = parsed(text);
    EXPECT_EQ(StrategyText(back), text);
    ASSERT_EQ(back.operatorCount(), 2);
    EXPECT_EQ(back.op(1).operand2, "1");
}

TEST(StrategyText, AnOperatorAtTheTopAndInsideABlockIsOneRecord) {
    const Strategy s =
        parsed(strategyLines({"BET 1 v"}, {"BETS RED // 2 Red", "IF BET > 3 THEN // 1 Big", "{",
                                           "      BETS RED // 2 Red", "} ELSE", "{", "}"}));
    ASSERT_EQ(s.operatorCount(), 2);
    EXPECT_TRUE(s.op(2).independent);
    EXPECT_EQ(s.op(1).thenList[1], 2);
}

TEST(StrategyText, KeywordLikeNamesAndEmptyOperandsSurviveTheRoundTrip) {
    Strategy s;
    s.parameters.push_back({"IF", "", 2, true, 2});
    s.parameters.push_back({"BETS", "", 3, true, 3});
    s.parameters.push_back({"HOTTEST", "", 4, true, 4});
    s.operators.push_back(assign("IF", "BETS", Operation::Add, "1", "a"));
    s.operators.push_back(assign("BETS", "IF", Operation::None, "", "b"));
    s.operators.push_back(ifOp("HOTTEST", Comparison::Less, "IF", "c"));
    s.operators.push_back(assign("BET", "", Operation::Subtract, "", "Empty operands"));
    s.operators.push_back(ifOp("", Comparison::LessOrEqual, "", ""));
    for (auto& op : s.operators) op.independent = true;
    const StrategyRead back = readStrategyText(StrategyText(s));
    ASSERT_TRUE(back.ok) << back.error.text();
    EXPECT_EQ(back.strategy, s);
}

struct Refusal {
    Lines text;
    int32_t line;
    std::string fragment;
};

TEST(StrategyText, TextOutsideTheFormatIsRefusedNamingTheLine) {
    Lines thirtyOne = {"IF BET > 0 THEN // 1 Many", "{"};
    for (int i = 0; i < 31; ++i) thirtyOne.push_back("      BETS RED // 2 Red");
    thirtyOne.insert(thirtyOne.end(), {"} ELSE", "{", "}"});

    const std::vector<Refusal> cases = {
        {strategyLines({"BET 1 v"}, {"BETS RED // 1 Red/black"}), 6, "\"/\""},
        {strategyLines({"BET 1 v"}, {"BETS GREEN // 1 Green"}), 6, "'GREEN'"},
        {strategyLines({"BET 1 v"}, thirtyOne), 38, "more than 30"},
        {strategyLines({"BET"}, {}), 2, "name, a space"},
        {strategyLines({"BET x1 v"}, {}), 2, "'x1' is not a valid integer value"},
        {strategyLines({"BET 1 v"}, {"BETS RED // 1001 Far"}), 6, "1 to 1000"},
        {strategyLines({"BET 1 v"}, {"BETS HOT (5,36) // 1 x"}), 6, "'36'"},
        {strategyLines({"BET 1 v"}, {"BETS HOT 5 // 1 x"}), 6, "(N,CHOICE)"},
        {strategyLines({"BET 1 v"}, {"IF BET => 1 THEN // 1 x", "{", "} ELSE", "{", "}"}), 6, "'=>'"},
        {strategyLines({"BET 1 v"}, {"BET := 1 // 1 x"}), 6, "TARGET = OPERAND"},
        {strategyLines({"BET 1 v"}, {"BETS RED / / 1 x"}), 6, "\"// \""},
        {strategyLines({"BET 1 v"}, {"IF BET > 1 THEN // 1 x", "{", "BETS RED // 2 y", "} ELSE", "{", "}"}),
         8, "not closed"},
        {strategyLines({"BET 1 v"}, {"IF BET > 1 THEN // 1 x", "{", "      BETS RED // 2 y"}), 9,
         "not closed"},
    };
    for (const Refusal& c : cases) {
        const StrategyRead r = readStrategyText(c.text);
        ASSERT_FALSE(r.ok) << c.fragment;
        EXPECT_EQ(r.error.line, c.line) << r.error.text();
        EXPECT_NE(r.error.message.find(c.fragment), std::string::npos) << r.error.text();
    }

    // Lines with fewer than two "/" and other lines with more are no operator lines.
    const Strategy s = parsed(strategyLines({"BET 1 v"}, {"a note / here", "a/b/c/d", "BETS RED // 1 Red"}));
    EXPECT_EQ(s.operatorCount(), 1);
}

TEST(StrategyText, LimitsOnCountsAndLines) {
    Lines params;
    for (int i = 0; i <= kMaxParameters; ++i) params.push_back("P" + std::to_string(i) + " 0 v");
    StrategyRead r = readStrategyText(strategyLines(params, {}));
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.error.line, 2 + kMaxParameters);
    params.pop_back();
    EXPECT_TRUE(readStrategyText(strategyLines(params, {})).ok);

    Lines many = strategyLines({"BET 1 v"}, {});
    many.resize(kMaxStrategyLines + 1, "' beyond");
    r = readStrategyText(many);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.error.line, kMaxStrategyLines + 1);
}

TEST(StrategyText, CyclesAreRefusedNamingTheOperators) {
    // 2 lists 1 in its ELSE block, and that reading of 1 lists 2.
    const Lines text = strategyLines(
        {"BET 1 v"},
        {"IF BET < 9 THEN // 2 Down", "{", "} ELSE", "{", "      IF BET > 1 THEN // 1 Up", "      {",
         "            IF BET < 9 THEN // 2 Down", "            {", "            } ELSE", "            {",
         "            }", "      } ELSE", "      {", "      }", "}"});
    const StrategyRead r = readStrategyText(text);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.error.line, 0);
    EXPECT_NE(r.error.message.find("1 \"Up\" -> 2 \"Down\" -> 1 \"Up\""), std::string::npos)
        << r.error.message;

    // An IF listing itself is a cycle too.
    const StrategyRead self = readStrategyText(
        strategyLines({"BET 1 v"}, {"IF BET > 1 THEN // 1 Me", "{", "      IF BET > 1 THEN // 1 Me",
                                    "      {", "      } ELSE", "      {", "      }", "} ELSE", "{", "}"}));
    ASSERT_FALSE(self.ok);
    EXPECT_NE(self.error.message.find("1 \"Me\" -> 1 \"Me\""), std::string::npos) << self.error.message;
}

TEST(StrategyText, CyclicModelsRenderInBoundedTimeAndFailTheCheck) {
    Strategy s;
    StrategyOperator a = ifOp("BET", Comparison::Equal, "1", "A");
    a.independent = true;
    a.thenList[1] = 2;
    a.thenList[2] = 1;  // itself: skipped by the renderer
    StrategyOperator b = ifOp("BET", Comparison::Equal, "2", "B");
    b.elseList[3] = 1;
    s.operators = {a, b};
    const Lines text = StrategyText(s);
    // A renders B, whose reference back to A is skipped.
    EXPECT_EQ(text.size(), 17u + 10u);
    const auto problem = checkStrategy(s);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->message.find("cycle"), std::string::npos);
    EXPECT_EQ(findReferenceCycle(s), (std::vector<int32_t>{1, 2, 1}));
}

TEST(StrategyText, AStrategyThatWouldRenderTooLongIsRefused) {
    // Each IF lists the next one 30 times: a few lines of text, 30^5 lines rendered.
    Strategy s;
    for (int k = 1; k <= 6; ++k) {
        StrategyOperator op = ifOp("BET", Comparison::Equal, "1", "L" + std::to_string(k));
        if (k < 6)
            for (int slot = 1; slot <= 30; ++slot) op.thenList[slot] = k + 1;
        s.operators.push_back(op);
    }
    s.operators[0].independent = true;
    int64_t lines = 5;
    for (int level = 0; level < 5; ++level) lines = 5 + 30 * lines;
    EXPECT_EQ(renderedLineCount(s), 17 + lines);
    ASSERT_TRUE(checkStrategy(s).has_value());
    EXPECT_EQ(StrategyText(s).size(), static_cast<size_t>(kMaxStrategyLines) + 1);

    // The same tree written compactly: every IF is written once at the top
    // with its full list of 30 (short) entries; the top-level lines, read
    // last, win.
    Lines always;
    for (int k = 1; k <= 6; ++k) {
        always.push_back("IF BET = 1 THEN // " + std::to_string(k) + " L");
        always.push_back("{");
        if (k < 6)
            for (int slot = 0; slot < 30; ++slot)
                always.push_back("      BETS RED // " + std::to_string(k + 1) + " L");
        always.insert(always.end(), {"} ELSE", "{", "}"});
    }
    const StrategyRead big = readStrategyText(strategyLines({"BET 1 v"}, always));
    ASSERT_FALSE(big.ok);
    EXPECT_EQ(big.error.line, 0);
    EXPECT_NE(big.error.message.find("20000"), std::string::npos);
    // Written the other way round, the inner readings (empty blocks) come last.
    always.clear();
    for (int k = 6; k >= 1; --k) {
        always.push_back("IF BET = 1 THEN // " + std::to_string(k) + " L");
        always.push_back("{");
        if (k < 6)
            for (int slot = 0; slot < 30; ++slot)
                always.insert(always.end(), {"      IF BET = 1 THEN // " + std::to_string(k + 1) + " L",
                                             "      {", "      } ELSE", "      {", "      }"});
        always.insert(always.end(), {"} ELSE", "{", "}"});
    }
    EXPECT_TRUE(readStrategyText(strategyLines({"BET 1 v"}, always)).ok);
}

}  // namespace
}  // namespace kv
