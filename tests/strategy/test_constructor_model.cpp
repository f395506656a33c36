#include <gtest/gtest.h>

#include <limits>

#include "strategy/constructor_model.h"
#include "strategy/strategy_test_util.h"
#include "strategy/strategy_text.h"

namespace kv {
namespace {

StrategyOperator namedIf(const std::string& name) {
    StrategyOperator op;
    op.name = name;
    op.kind = OperatorKind::If;
    op.left = "BET";
    op.right = "1";
    return op;
}

Strategy withOperators(int count) {
    Strategy s;
    for (int k = 1; k <= count; ++k) s.operators.push_back(namedIf("Operator " + std::to_string(k)));
    return s;
}

TEST(ConstructorNames, ParameterNamesAreFilteredAndKeywordsAndDuplicatesRefused) {
    EXPECT_EQ(filterParameterName("step 2"), "STEP2");
    EXPECT_EQ(filterParameterName("a-b_c!9"), "ABC9");
    EXPECT_EQ(filterParameterName("\xE0\xE1"), "");  // Cyrillic letters are upper-cased, then dropped

    Strategy s;
    EXPECT_TRUE(canAddParameter(s, "STEP2"));
    EXPECT_FALSE(canAddParameter(s, ""));  // an empty name could not be read back
    for (const char* reserved : {"BET", "RED", "BLACK", "ODD", "EVEN", "LOW", "HIGH", "DOZ1", "DOZ2", "DOZ3",
                                 "COL1", "COL2", "COL3", "OLD", "NEW", "COLD", "HOT"}) {
        EXPECT_FALSE(canAddParameter(s, filterParameterName(reserved))) << reserved;
    }
    EXPECT_FALSE(isReservedParameterName("HOTEL"));

    s.parameters.push_back({"STEP2", "", 0, true, 0});
    EXPECT_FALSE(canAddParameter(s, "STEP2"));
    while (s.parameterCount() < kMaxParameters)
        s.parameters.push_back({"P" + std::to_string(s.parameterCount()), "", 0, true, 0});
    EXPECT_FALSE(canAddParameter(s, "ANOTHER"));
}

TEST(ConstructorNames, ParseSignedDecimalReadsDigitsAroundTheFirstSeparator) {
    EXPECT_DOUBLE_EQ(ParseSignedDecimal("12"), 12.0);
    EXPECT_DOUBLE_EQ(ParseSignedDecimal("-1,5"), -1.5);
    EXPECT_DOUBLE_EQ(ParseSignedDecimal("1.2.3"), 1.23);
    EXPECT_DOUBLE_EQ(ParseSignedDecimal(",5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseSignedDecimal("-"), 0.0);
    EXPECT_DOUBLE_EQ(ParseSignedDecimal("x-7"), 7.0);  // the minus counts only in front

    // Rounded half to even, and held within 32 bits.
    EXPECT_EQ(initiationFromText("2.5"), 2);
    EXPECT_EQ(initiationFromText("3.5"), 4);
    EXPECT_EQ(initiationFromText("99999999999999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(initiationFromText(std::string(400, '9')), std::numeric_limits<int32_t>::max());
}

TEST(ConstructorNames, OperatorNamesTakeTheTypedTextOrTheSmallestFreeNumber) {
    Strategy s = withOperators(0);
    EXPECT_EQ(newOperatorName(s, "Double"), "Double");
    EXPECT_EQ(newOperatorName(s, ""), "Operator 1");
    s.operators.push_back(namedIf("Operator 1"));
    s.operators.push_back(namedIf("Operator 3"));
    EXPECT_EQ(newOperatorName(s, "Operator 1"), "Operator 2");
    s.operators.push_back(namedIf("Operator 2"));
    EXPECT_EQ(newOperatorName(s, "Operator 3"), "Operator 4");

    EXPECT_TRUE(isWritableOperatorName("Up and down"));
    EXPECT_FALSE(isWritableOperatorName("Up/down"));

    EXPECT_EQ(operandToken(" 1 2 "), "12");
    EXPECT_EQ(operandToken("a/b"), "ab");
    EXPECT_EQ(operandToken(""), "0");
}

TEST(ConstructorEdits, DeletingAnOperatorRenumbersTheListsThatFollowIt) {
    Strategy s = withOperators(5);
    s.op(1).thenList[1] = 2;
    s.op(1).thenList[2] = 4;
    s.op(1).elseList[3] = 5;
    s.op(3).thenList[1] = 5;
    s.op(5).elseList[30] = 4;
    deleteOperator(s, 2);
    ASSERT_EQ(s.operatorCount(), 4);
    EXPECT_EQ(s.op(2).name, "Operator 3");
    EXPECT_EQ(s.op(1).thenList[1], 0);  // the deleted operator's slot is emptied
    EXPECT_EQ(s.op(1).thenList[2], 3);  // "Operator 4" is now number 3
    EXPECT_EQ(s.op(1).elseList[3], 4);
    EXPECT_EQ(s.op(4).elseList[30], 3);
    // The text still lists the same operators by name.
    const auto text = StrategyText(s);
    const auto r = readStrategyText(text);
    ASSERT_TRUE(r.ok) << r.error.text();

    deleteOperator(s, 9);  // nothing there
    EXPECT_EQ(s.operatorCount(), 4);
}

TEST(ConstructorEdits, DeletingAndClearingKeepBet) {
    Strategy s = withOperators(2);
    s.parameter(1).initiation = 7;
    s.parameters.push_back({"A", "", 1, true, 1});
    s.parameters.push_back({"B", "", 2, false, 2});
    s.description = {"kept"};
    deleteParameter(s, 1);
    EXPECT_EQ(s.parameterCount(), 3);
    deleteParameter(s, 2);
    ASSERT_EQ(s.parameterCount(), 2);
    EXPECT_EQ(s.parameter(2).name, "B");

    clearOperatorsAndParameters(s);
    EXPECT_EQ(s.operatorCount(), 0);
    ASSERT_EQ(s.parameterCount(), 1);
    EXPECT_EQ(s.parameter(1).name, "BET");
    EXPECT_EQ(s.parameter(1).initiation, 7);
    EXPECT_EQ(s.description, std::vector<std::string>{"kept"});
}

TEST(ConstructorEdits, AssignmentsThatWouldMakeACycleAreRefusedAndChangeNothing) {
    Strategy s = withOperators(3);
    EXPECT_EQ(assignListSlot(s, 1, ListKind::Then, 1, 2), "");
    EXPECT_EQ(assignListSlot(s, 2, ListKind::Else, 5, 3), "");
    EXPECT_EQ(s.op(1).thenList[1], 2);
    EXPECT_EQ(s.op(2).elseList[5], 3);

    // 3 -> 1 would close 1 -> 2 -> 3 -> 1.
    const Strategy before = s;
    const std::string why = assignListSlot(s, 3, ListKind::Then, 4, 1);
    EXPECT_NE(why.find("endless cycle"), std::string::npos) << why;
    EXPECT_NE(why.find("\"Operator 1\""), std::string::npos) << why;
    EXPECT_EQ(s, before);
    // Directly: 2 -> 1 while 1 lists 2.
    EXPECT_NE(assignListSlot(s, 2, ListKind::Then, 1, 1), "");
    EXPECT_EQ(s, before);

    // Its own number is stored as an empty slot: an IF never lists itself.
    s.op(1).thenList[7] = 3;
    EXPECT_EQ(assignListSlot(s, 1, ListKind::Then, 7, 1), "");
    EXPECT_EQ(s.op(1).thenList[7], 0);

    // A non-IF with old lists may not turn back into an IF that closes a cycle.
    Strategy t = withOperators(2);
    t.op(1).thenList[1] = 2;
    t.op(1).kind = OperatorKind::Bet;
    ASSERT_EQ(assignListSlot(t, 2, ListKind::Then, 1, 1), "");
    StrategyOperator edited = t.op(1);
    edited.kind = OperatorKind::If;
    edited.name = "ignored";
    EXPECT_NE(storeOperatorFields(t, 1, edited), "");
    EXPECT_EQ(t.op(1).kind, OperatorKind::Bet);
    // Other fields are stored; the name and the lists never are.
    edited.kind = OperatorKind::Bet;
    edited.target = "RED";
    edited.thenList = {};
    EXPECT_EQ(storeOperatorFields(t, 1, edited), "");
    EXPECT_EQ(t.op(1).target, "RED");
    EXPECT_EQ(t.op(1).name, "Operator 1");
    EXPECT_EQ(t.op(1).thenList[1], 2);
}

TEST(ConstructorEdits, AssignmentsThatWouldOverflowTheTextAreRefused) {
    // 1 lists 2 thirty times, 2 lists 3 thirty times: every line of 3's
    // block is written 900 times.
    Strategy s = withOperators(4);
    s.op(1).independent = true;
    for (int level = 1; level <= 2; ++level)
        for (int slot = 1; slot <= kListSlots; ++slot)
            ASSERT_EQ(assignListSlot(s, level, ListKind::Then, slot, level + 1), "");
    std::string why;
    int slot = 1;
    for (; slot <= kListSlots && why.empty(); ++slot) why = assignListSlot(s, 3, ListKind::Then, slot, 4);
    EXPECT_NE(why.find("20000 lines"), std::string::npos) << why;
    // Each IF 4 adds 900 x 5 lines to 4655 + 17: three fit, the fourth is refused.
    EXPECT_EQ(slot - 1, 4);
    EXPECT_EQ(s.op(3).thenList[3], 4);
    EXPECT_EQ(s.op(3).thenList[4], 0);
    EXPECT_LE(StrategyText(s).size(), static_cast<size_t>(kMaxStrategyLines));
}

}  // namespace
}  // namespace kv
