#include "analysis/chart_entries.h"

#include <array>

#include "core/roulette.h"

namespace kv {

namespace {

struct EntryList {
    std::array<uint8_t, 7> e{};
    uint8_t size = 0;
};

const std::array<EntryList, 37>& entryTable() {
    static const std::array<EntryList, 37> table = [] {
        std::array<EntryList, 37> t{};
        t[0].e[0] = kEntryNumber0;
        t[0].size = 1;
        for (int n = 1; n <= 36; ++n) {
            EntryList& l = t[n];
            l.e = {static_cast<uint8_t>(kEntryNumber0 + n),
                   static_cast<uint8_t>(kEntryStreet1 + (n - 1) / 3),
                   static_cast<uint8_t>(kEntryColumn1 + (n - 1) % 3),
                   static_cast<uint8_t>(kEntryDozen1 + (n - 1) / 12),
                   static_cast<uint8_t>(isRed(n) ? kEntryRed : kEntryBlack),
                   static_cast<uint8_t>(n % 2 == 1 ? kEntryOdd : kEntryEven),
                   static_cast<uint8_t>(n <= 18 ? kEntryLow : kEntryHigh)};
            l.size = 7;
        }
        return t;
    }();
    return table;
}

}  // namespace

EntryRange chartGroupEntries(ChartGroup g) {
    switch (g) {
        case ChartGroup::Numbers:
            return {1, 37};
        case ChartGroup::Streets:
            return {38, 49};
        case ChartGroup::Columns:
            return {50, 52};
        case ChartGroup::Dozens:
            return {53, 55};
        case ChartGroup::RedBlack:
            return {56, 57};
        case ChartGroup::OddEven:
            return {58, 59};
        case ChartGroup::LowHigh:
            return {60, 61};
    }
    return {};
}

ChartGroup chartGroupOfEntry(int entry) {
    if (entry <= 37) return ChartGroup::Numbers;
    if (entry <= 49) return ChartGroup::Streets;
    if (entry <= 52) return ChartGroup::Columns;
    if (entry <= 55) return ChartGroup::Dozens;
    if (entry <= 57) return ChartGroup::RedBlack;
    if (entry <= 59) return ChartGroup::OddEven;
    return ChartGroup::LowHigh;
}

const char* chartGroupCaption(ChartGroup g) {
    switch (g) {
        case ChartGroup::Numbers:
            return "Numbers";
        case ChartGroup::Streets:
            return "Streets";
        case ChartGroup::Columns:
            return "Col.";
        case ChartGroup::Dozens:
            return "Dozens";
        case ChartGroup::RedBlack:
            return "Red/Black";
        case ChartGroup::OddEven:
            return "Odd/Even";
        case ChartGroup::LowHigh:
            return "Low/High";
    }
    return "";
}

std::span<const uint8_t> chartEntriesOf(int n) {
    if (n < 0 || n > 36) return {};
    const EntryList& l = entryTable()[n];
    return {l.e.data(), l.size};
}

}  // namespace kv
