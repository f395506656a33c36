#pragma once
// The settings of the betting advisor, as the Calculate window shows them
// and the settings file keeps them between runs.
//
// The record holds what the controls hold: the three field texts exactly as
// typed (they are read with ParseFieldReal at every run), the slider
// positions with the texts of their value labels, and the check boxes. It
// has two groups: the live group follows every change of the window; the
// closing group is written only when the window closes (and, for "Errors",
// on every click of its up-down) and is what the settings file stores in its
// older section.
//
// Categories are numbered k = 1..6 in the window's order; index 0 of every
// per-category array is unused.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The six bet categories of the advisor, in the window's order.
inline constexpr int kRedBlack = 1;
inline constexpr int kOddEven = 2;
inline constexpr int kLowHigh = 3;
inline constexpr int kDozens = 4;
inline constexpr int kColumns = 5;
inline constexpr int kNumbers = 6;
inline constexpr int kAdviceCategories = 6;

// Captions of the category check boxes ("Red/Black" .. "Numbers"), k = 1..6.
const char* adviceCategoryCaption(int k);

// "Confidence of the bet" sliders: Confidence = position / 100.
inline constexpr int32_t kConfidenceMin = 1;
inline constexpr int32_t kConfidenceMax = 99;
inline constexpr int32_t kConfidenceInitial = 1;   // as the window is built
inline constexpr int32_t kConfidenceDefault = 30;  // the defaults button
// "Downturn Factor" up-down: its position / 100 becomes the field text.
inline constexpr int32_t kDownturnUpDownMin = 0;
inline constexpr int32_t kDownturnUpDownMax = 100;
inline constexpr int32_t kDownturnUpDownDefault = 75;
// "Errors" up-down.
inline constexpr int32_t kErrorsUpDownMin = 0;
inline constexpr int32_t kErrorsUpDownMax = 32000;
inline constexpr int32_t kErrorsUpDownDefault = 2;

// Initial field texts (the window as built and the defaults button).
inline constexpr std::string_view kStatisticNumbersDefault = "0";
inline constexpr std::string_view kDownturnFactorDefault = "0,75";
inline constexpr std::string_view kErrorsDefault = "2";

// Hints of the controls.
inline constexpr std::string_view kConfidenceHint = "Confidence of the bet";
inline constexpr std::string_view kBetAlwaysHint = "Bet Always";
inline constexpr std::string_view kStatisticNumbersHint =
    "Amount of spins including in statistics. Zero - all spins";
inline constexpr std::string_view kDownturnFactorHint =
    "0 - calculation only on last spin; 1 - all spins are equally important";
inline constexpr std::string_view kErrorsHint = "How many it is necessary losses for change of strategy";

struct CalculateSettings {
    // Live group: follows the window.
    std::string statisticNumbers{kStatisticNumbersDefault};
    std::string downturnFactor{kDownturnFactorDefault};
    std::string errors{kErrorsDefault};
    std::array<int32_t, 7> confidencePosition{0, 1, 1, 1, 1, 1, 1};
    std::array<std::string, 7> confidenceText{"", "0.01", "0.01", "0.01", "0.01", "0.01", "0.01"};
    std::array<bool, 7> category{};   // the category takes part
    std::array<bool, 7> betAlways{};  // its threshold is ignored
    bool randomPlay = false;

    // Closing group: copied when the window closes.
    std::array<bool, 7> closingCategory{};
    std::string closingStatisticNumbers{kStatisticNumbersDefault};
    std::string closingDownturnFactor{kDownturnFactorDefault};
    std::string closingErrors{kErrorsDefault};

    bool operator==(const CalculateSettings&) const = default;
};

// Confidence of category k: its slider position / 100 (0.01 .. 0.99).
double Confidence(const CalculateSettings& s, int k);

// Moves slider k (clamped to 1..99) and updates its value label text, as the
// slider's change handler does.
void setConfidencePosition(CalculateSettings& s, int k, int32_t position, char decimalSeparator = '.');

// The defaults button: fields "0", "0,75", "2"; the five outside categories
// on and Numbers off; every "Bet Always" on; "Random Play" off; every slider
// at 30. The closing group is left alone.
void restoreDefaults(CalculateSettings& s, char decimalSeparator = '.');

// The window closes: the category states and the three field texts go to
// the closing group.
void copyToClosingGroup(CalculateSettings& s);

// The "Errors" up-down was clicked: the field (which the up-down drives)
// and the closing group both get its position as text.
void setErrorsFromUpDown(CalculateSettings& s, int32_t position);

// "Downturn Factor" text for an up-down position (75 gives "0.75").
std::string downturnTextFromUpDown(int32_t position, char decimalSeparator = '.');

// Up-down position for a stored field text, within the up-down's range.
int32_t upDownPositionFromText(std::string_view text, int32_t min, int32_t max);

// Which controls of category k are enabled: the "Bet Always" box while the
// category is on; the slider and its value label while the category is on
// and "Bet Always" is off.
struct CategoryControls {
    bool betAlways = false;
    bool slider = false;  // and the value label
    bool operator==(const CategoryControls&) const = default;
};
CategoryControls enableRule(const CalculateSettings& s, int k);

}  // namespace kv
