#include <gtest/gtest.h>

#include "calculate/calculate_settings.h"
#include "calculate/field_real.h"
#include "calculate/weight_chart.h"

namespace kv {
namespace {

TEST(CalculateSettings, DefaultsButton) {
    CalculateSettings s;
    s.errors = "9";
    s.closingErrors = "7";
    restoreDefaults(s);
    EXPECT_EQ(s.errors, "2");
    for (int k = 1; k <= kAdviceCategories; ++k) EXPECT_EQ(s.category[k], k != kNumbers) << k;
    EXPECT_EQ(s.closingErrors, "7");  // the closing group is the window's closing business
}

TEST(CalculateSettings, SliderKeepsItsRangeAndLabelReadsBack) {
    CalculateSettings s;
    setConfidencePosition(s, 2, 100);
    EXPECT_EQ(s.confidencePosition[2], 99);
    EXPECT_EQ(s.confidenceText[2], "0.99");
    setConfidencePosition(s, 3, 0);
    EXPECT_EQ(s.confidencePosition[3], 1);
    for (int p = kConfidenceMin; p <= kConfidenceMax; ++p) {
        setConfidencePosition(s, 4, p, ',');
        EXPECT_EQ(ParseFieldReal(s.confidenceText[4]), Confidence(s, 4)) << s.confidenceText[4];
    }
}

TEST(CalculateSettings, EnableRule) {
    CalculateSettings s;
    // Off: slider, label and "Bet Always" all disabled, whatever "Bet Always" holds.
    s.betAlways[1] = true;
    EXPECT_EQ(enableRule(s, 1), (CategoryControls{false, false}));
    // On: "Bet Always" box enabled; the slider only while "Bet Always" is off.
    s.category[1] = true;
    EXPECT_EQ(enableRule(s, 1), (CategoryControls{true, false}));
    s.betAlways[1] = false;
    EXPECT_EQ(enableRule(s, 1), (CategoryControls{true, true}));
    EXPECT_EQ(enableRule(s, 2), (CategoryControls{false, false}));
}

TEST(CalculateSettings, ClosingGroupAndUpDowns) {
    CalculateSettings s;
    s.category[kDozens] = true;
    s.statisticNumbers = "40";
    s.downturnFactor = "0.5";
    s.errors = "3";
    copyToClosingGroup(s);
    EXPECT_TRUE(s.closingCategory[kDozens]);
    EXPECT_FALSE(s.closingCategory[kRedBlack]);
    EXPECT_EQ(s.closingStatisticNumbers, "40");
    EXPECT_EQ(s.closingErrors, "3");

    setErrorsFromUpDown(s, 5);
    EXPECT_EQ(s.errors, "5");
    EXPECT_EQ(s.closingErrors, "5");
    setErrorsFromUpDown(s, 40000);
    EXPECT_EQ(s.errors, "32000");

    EXPECT_EQ(upDownPositionFromText("99999", kErrorsUpDownMin, kErrorsUpDownMax), 32000);
    EXPECT_EQ(upDownPositionFromText("", kErrorsUpDownMin, kErrorsUpDownMax), 0);

    // The "Downturn Factor" up-down at 75 writes 0.75 in either notation,
    // and it reads back as 0.75.
    EXPECT_EQ(downturnTextFromUpDown(75), "0.75");
    EXPECT_EQ(downturnTextFromUpDown(75, ','), "0,75");
    EXPECT_EQ(ParseFieldReal(downturnTextFromUpDown(75, ',')), 0.75);
}

TEST(WeightChart, FiftyPointsAtMost) {
    // 120 spins, all counted: 50 points 4 pixels apart.
    const auto pts = weightChartPoints("0", "0,75", 120);
    ASSERT_EQ(pts.size(), 51u);
    EXPECT_EQ(pts[0], (TablePoint{1, 1}));
    for (size_t i = 1; i < pts.size(); ++i) EXPECT_EQ(pts[i].x, 4 * static_cast<int>(i - 1));
    EXPECT_EQ(pts[1].y, -5);  // the latest spin weighs 1
    EXPECT_EQ(pts[2].y, 35);  // 155 - 160 x 0.75
    EXPECT_EQ(pts[50].y, 155);
}

TEST(WeightChart, CountsAndFactors) {
    // Fewer spins than asked: all spins. Step 200 / 3.
    auto pts = weightChartPoints("10", "1", 3);
    ASSERT_EQ(pts.size(), 4u);
    EXPECT_EQ(pts[2].x, 67);
    for (size_t i = 1; i < pts.size(); ++i) EXPECT_EQ(pts[i].y, -5);
    // An empty factor field counts as 1; "0" leaves only the latest spin.
    pts = weightChartPoints("4", "", 100);
    ASSERT_EQ(pts.size(), 5u);
    EXPECT_EQ(pts[4].y, -5);
    pts = weightChartPoints("4", "0", 100);
    EXPECT_EQ(pts[1].y, -5);
    // No spins: nothing but the start.
    EXPECT_EQ(weightChartPoints("0", "0,75", 0).size(), 1u);
    // A factor far above 1 keeps its points finite.
    pts = weightChartPoints("50", "1000", 100);
    EXPECT_EQ(pts.back().y, -100000);
}

}  // namespace
}  // namespace kv
