#pragma once
// The 61 chart entries: the categories of numbers that the CHART page draws
// and that the FOREST page counts (numbers, streets, columns, dozens and the
// even chances), numbered 1..61, and the seven groups they form.

#include <cstdint>
#include <span>

// kChartEntryCount (61): the settings record keeps a colour and a flag per
// entry, so the count is defined once, there.
#include "files/settings.h"

namespace kv {

static_assert(kChartEntryCount == 61);
inline constexpr int kChartGroupCount = 7;

// Entry n + 1 is the number n (0..36).
inline constexpr int kEntryNumber0 = 1;
// Entry 37 + s is street s (1..12, numbers 3s - 2 .. 3s).
inline constexpr int kEntryStreet1 = 38;
// Entry 49 + c is column c (column 1 = 1, 4, ..., 34).
inline constexpr int kEntryColumn1 = 50;
// Entry 52 + d is dozen d.
inline constexpr int kEntryDozen1 = 53;
inline constexpr int kEntryRed = 56;
inline constexpr int kEntryBlack = 57;
inline constexpr int kEntryOdd = 58;
inline constexpr int kEntryEven = 59;
inline constexpr int kEntryLow = 60;
inline constexpr int kEntryHigh = 61;

// The groups in the order of the CHART page's check boxes 1..7.
enum class ChartGroup { Numbers = 0, Streets, Columns, Dozens, RedBlack, OddEven, LowHigh };

struct EntryRange {
    int first = 0;
    int last = 0;
};
EntryRange chartGroupEntries(ChartGroup g);
ChartGroup chartGroupOfEntry(int entry);
// Check box captions: "Numbers", "Streets", "Col.", "Dozens", "Red/Black", "Odd/Even", "Low/High".
const char* chartGroupCaption(ChartGroup g);

// The entries a spin of n counts for, ascending. The zero counts for entry 1
// only; a value outside 0..36 counts for none.
std::span<const uint8_t> chartEntriesOf(int n);

}  // namespace kv
