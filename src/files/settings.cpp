#include "files/settings.h"

#include "core/roulette.h"

namespace kv {

namespace {

// Outer sizes of the windows as they are built; positions cascade from the
// top left so that a first start shows nothing stacked exactly on another.
struct Size {
    int32_t width;
    int32_t height;
};
constexpr std::array<Size, kWindowCount> kFactorySizes = {{
    {260, 330},  // Properties
    {600, 300},  // Balance
    {543, 584},  // Statistic
    {200, 120},  // Random Properties
    {614, 301},  // Test Game
    {220, 120},  // Generate Spins
    {271, 282},  // Wheel Sectors
    {200, 130},  // Cut Game
    {560, 300},  // Calculate
    {685, 428},  // Graphics
    {464, 275},  // Colors
    {600, 560},  // Constructor of Strategics
    {640, 540},  // Test Strategy
    {123, 68},   // Hide
    {347, 225},  // Minimize
    {300, 150},  // About
    {370, 212},  // Input Online Casino Numbers (horizontal pad)
    {517, 306},  // Minimize 2
}};

// Distinct line colours ($BBGGRR) for the groups after the 37 numbers.
constexpr std::array<int32_t, 24> kGroupColors = {
    0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00,
    0x000080, 0x008000, 0x800000, 0x008080, 0x800080, 0x808000,  // streets 1..12
    0x0080FF, 0x80FF00, 0xFF0080,                                // columns
    0x4040C0, 0x40C040, 0xC04040,                                // dozens
    0x0000FF, 0x000000,                                          // red, black
    0x008080, 0x808080,                                          // odd, even
    0x804000, 0x004080,                                          // low, high
};

}  // namespace

Settings::Settings() {
    MainWindow = {0, 0, 1030, 557, false};
    for (int i = 0; i < kWindowCount; ++i) {
        Windows[i] = {60 + 20 * i, 60 + 20 * i, kFactorySizes[i].width, kFactorySizes[i].height, false};
    }
    for (int n = 0; n < kNumberCount; ++n) {
        ChartColors[n] = static_cast<int32_t>(numberColor(n));
    }
    for (int k = kNumberCount; k < kChartEntryCount; ++k) {
        ChartColors[k] = kGroupColors[k - kNumberCount];
    }
    ChartShown.fill(true);
    // A first start offers the example strategies shipped in the program folder.
    StrategyList = {"martingale_red.stg", "dalembert_odd.stg", "cold_colour.stg", "hot_dozen.stg",
                    "hot_five.stg"};
    ChartChecks = {0, 0, 0, 0, 1, 0, 0};
    CalcSliderLabels.fill("0.01");
    CalcSliders.fill(1);
}

}  // namespace kv
