#include "analysis/statistic_table.h"

#include <algorithm>

#include "core/game_state.h"
#include "core/roulette.h"

namespace kv {

namespace {

constexpr WinColor kBackground = winRgb(128, 255, 128);
constexpr WinColor kBlack = winRgb(0, 0, 0);
constexpr WinColor kYellow = winRgb(255, 255, 0);
constexpr WinColor kRed = winRgb(255, 0, 0);
constexpr int kRuleX[] = {53, 78, 143, 196, 276, 317, 427};

}  // namespace

StatisticLayout statisticLayout(int windowHeight, int32_t spinCount) {
    StatisticLayout l;
    const int h = windowHeight - 65;
    l.paintHeight = std::max(h, 0);
    l.rows = std::max(h / kStatisticRowHeight, 0);
    l.scrollMax = static_cast<int32_t>(std::max<int64_t>(int64_t{spinCount} - l.rows + 1, 1));
    return l;
}

int32_t statisticOrdinal(int32_t position, int row, int32_t spinCount) {
    const int64_t k = int64_t{position} + row - 1;
    return (k >= 1 && k <= spinCount) ? static_cast<int32_t>(k) : 0;
}

std::string statisticOrdinalText(int32_t k) {
    const std::string digits = std::to_string(k);
    if (k < 10) return "  " + digits + ".";
    if (k < 100) return " " + digits + ".";
    return digits + ".";
}

Picture sectorPictogram(Sector s, int y0) {
    Picture p;
    const PictureRect tall{434, y0 + 5, 479, y0 + 40};
    switch (s) {
        case Sector::ZeroSpiel:
            p.push_back(ShapePie{tall, {488, y0 + 10}, {424, y0 + 10}, kRed, kBlack});
            p.push_back(ShapePie{tall, {463, y0 + 8}, {449, y0 + 8}, winRgb(96, 255, 96), kBlack});
            break;
        case Sector::BigSeries:
            p.push_back(ShapePie{tall, {488, y0 + 10}, {424, y0 + 10}, kRed, kBlack});
            break;
        case Sector::Orphelins: {
            const PictureRect box{434, y0 + 5, 479, y0 + 28};
            p.push_back(ShapePie{box, {424, y0 + 5}, {424, y0 + 28}, winRgb(255, 160, 0), kBlack});
            p.push_back(ShapePie{box, {488, y0 + 28}, {488, y0 + 5}, winRgb(255, 160, 0), kBlack});
            break;
        }
        case Sector::SmallSeries:
            p.push_back(ShapePie{
                {434, y0 - 5, 479, y0 + 25}, {424, y0 + 20}, {488, y0 + 20}, winRgb(255, 255, 0), kBlack});
            break;
    }
    return p;
}

Picture statisticRow(int row, int32_t k, int n, const SectorBounds& bounds) {
    Picture p;
    const int y0 = (row - 1) * kStatisticRowHeight;
    p.push_back(ShapeText{5, y0 + 10, statisticOrdinalText(k), winRgb(96, 0, 0), kBackground, 10, false});
    const std::string nText = n <= 9 ? " " + std::to_string(n) + " " : std::to_string(n);
    const WinColor nBack = n == 0 ? winRgb(0, 255, 0) : (isRed(n) ? kRed : kBlack);
    p.push_back(ShapeText{56, y0 + 5, nText, kYellow, nBack, 15, false});
    if (n >= 1 && n <= 36) {
        // The number's font size stays for the two chance columns.
        if (n % 2 == 1)
            p.push_back(ShapeText{86, y0 + 5, " ODD ", winRgb(0, 0, 160), kBackground, 15, false});
        else
            p.push_back(ShapeText{86, y0 + 5, "EVEN", winRgb(160, 160, 0), kBackground, 15, false});
        if (n <= 18)
            p.push_back(ShapeText{146, y0 + 5, " 1-18", winRgb(160, 0, 0), kBackground, 15, false});
        else
            p.push_back(ShapeText{146, y0 + 5, "19-36", winRgb(0, 160, 0), kBackground, 15, false});

        const int dozen = (n - 1) / 12;
        for (int d = 0; d < 3; ++d)
            p.push_back(ShapeRect{{201 + 24 * d, y0 + 10, 224 + 24 * d, y0 + 23}, winRgb(0, 160, 0), kBlack});
        p.push_back(
            ShapeRect{{201 + 24 * dozen, y0 + 10, 224 + 24 * dozen, y0 + 23}, winRgb(0, 255, 255), kBlack});

        p.push_back(ShapeLine{{281, y0 + 16}, {311, y0 + 16}, kBlack, 3});
        const int column = (n - 1) % 3;
        p.push_back(
            ShapeText{281 + 10 * column, y0 + 7, std::to_string(column + 1), kRed, kBackground, 12, true});

        const int street = (n - 1) / 3;
        for (int j = 0; j < 12; ++j) {
            p.push_back(ShapeRect{{326 + 8 * j, y0 + 12, 332 + 8 * j, y0 + 21},
                                  j == street ? winRgb(255, 0, 255) : kBackground,
                                  kBlack});
            if (j == 3 || j == 7) {
                for (int x : {332 + 8 * j, 333 + 8 * j})
                    p.push_back(ShapeLine{{x, y0 + 23}, {x, y0 + 8}, winRgb(0, 0, 255), 1});
            }
        }
    }
    const int clamped = std::clamp(n, 0, 36);
    for (Shape& s : sectorPictogram(bounds.sectorOfNumber(clamped), y0)) p.push_back(std::move(s));
    return p;
}

Picture statisticPage(const GameState& s, const SectorBounds& bounds, int paintWidth, int paintHeight,
                      int32_t position, int rows) {
    Picture p;
    p.push_back(ShapeRect{{0, 0, paintWidth - 1, paintHeight - 1}, kBackground, kBlack});
    for (int x : kRuleX) p.push_back(ShapeLine{{x, 1}, {x, paintHeight - 2}, winRgb(80, 80, 80), 1});
    const int32_t n = s.SpinCount;
    for (int r = 1; r <= rows; ++r) {
        const int32_t k = statisticOrdinal(position, r, n);
        if (k == 0) continue;
        for (Shape& sh : statisticRow(r, k, s.SpinHistory(n - k + 1), bounds)) p.push_back(std::move(sh));
    }
    return p;
}

}  // namespace kv
