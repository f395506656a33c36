#pragma once
// The settings record: everything info.ini carries besides the game itself
// (money, limits, wheel, history and OnlineQueue live in GameState). Each
// window copies its part out of this record when it is created and puts its
// values back before the file is written. A default-constructed Settings
// holds the factory values of a first start.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The secondary windows in the order in which info.ini stores their
// positions, sizes and shown flags. The main window is kept apart.
enum class WindowId : int {
    Properties = 0,
    Balance,
    Statistic,
    RandomProperties,
    TestGame,
    GenerateSpins,
    WheelSectors,
    CutGame,
    Calculate,
    Graphics,
    Colors,
    Constructor,  // "Constructor of Strategics"
    TestStrategy,
    Hide,
    Minimize,
    About,
    InputOnline,  // "Input Online Casino Numbers"
    Minimize2,
};
inline constexpr int kWindowCount = 18;
// "Minimize 2" has no shown flag in the file.
inline constexpr int kShownFlagCount = 17;
inline constexpr int kChartEntryCount = 61;
inline constexpr int kChartCheckCount = 7;
inline constexpr int kCalcCategoryCount = 6;
inline constexpr int kSectorBoundCount = 6;

// Outer window geometry (frame and caption included) and whether the window
// was open at the last exit.
struct WindowGeometry {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool shown = false;
    bool operator==(const WindowGeometry&) const = default;
};

struct Settings {
    Settings();  // factory values

    // Main menu.
    bool OnlineGame = false;  // "Online Casino Game" chosen, else "Local Game"
    bool Sound = true;

    // Wheel Sectors window: B1..B6.
    std::array<int32_t, kSectorBoundCount> SectorBounds{32, 7, 9, 33, 6, 25};

    // Calculate, closing group (written when the window closes).
    std::array<bool, kCalcCategoryCount> CalcClosingCategories{};
    std::string CalcClosingStatisticNumbers = "0";
    std::string CalcClosingDownturnFactor = "0,75";
    std::string CalcClosingErrors = "2";

    // Graphics CHART page: colour ($BBGGRR) and visibility of entries 1..61,
    // stored 0-based (index 0 is entry 1).
    std::array<int32_t, kChartEntryCount> ChartColors{};
    std::array<bool, kChartEntryCount> ChartShown{};

    // Test Strategy window: bare file names of the strategy list.
    std::vector<std::string> StrategyList;

    // A stored flag that nothing uses; kept so that it is written back as read.
    bool NoEffectFlag = false;

    // Test Strategy window: the spin amount text. The file stores it
    // three times; the two copies are read and not used.
    std::string TestStrategySpins = "0";

    WindowGeometry MainWindow;
    std::array<WindowGeometry, kWindowCount> Windows{};
    WindowGeometry& window(WindowId id) { return Windows[static_cast<int>(id)]; }
    const WindowGeometry& window(WindowId id) const { return Windows[static_cast<int>(id)]; }

    // Graphics window.
    int32_t GraphicsPage = 0;  // 0 FOREST, 1 CHART
    std::string GraphicsSpins = "0";
    int32_t ForestMode = 1;  // 1 Numbers, 2 Streets, 3 R/B O/E L/H, 4 Dozens / Col.
    std::array<int32_t, kChartCheckCount> ChartChecks{};  // 0/1, the seven chart group boxes
    int32_t NumbersBaffle = 1;
    int32_t StreetsBaffle = 1;

    // Calculate, live group.
    std::string CalcStatisticNumbers = "0";
    std::string CalcDownturnFactor = "0,75";
    std::string CalcErrors = "2";
    std::array<std::string, kCalcCategoryCount> CalcSliderLabels{};
    std::array<int32_t, kCalcCategoryCount> CalcCategories{};  // 0/1
    std::array<int32_t, kCalcCategoryCount> CalcBetAlways{};   // 0/1
    int32_t CalcRandomPlay = 0;                                // 0/1
    std::array<int32_t, kCalcCategoryCount> CalcSliders{};     // 1..99

    // Input Online Casino Numbers window.
    int32_t PadOrientation = 2;  // 1 vertical, 2 horizontal
    int32_t PadMode = 1;         // 1 "Future", 0 "Real time"

    bool operator==(const Settings&) const = default;
};

}  // namespace kv
