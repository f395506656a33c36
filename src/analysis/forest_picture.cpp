#include "analysis/forest_picture.h"

#include <algorithm>
#include <cmath>

#include "analysis/forest_digit_font.h"
#include "core/roulette.h"

namespace kv {

namespace {

constexpr WinColor kBackground = winRgb(128, 255, 128);
constexpr WinColor kBlack = winRgb(0, 0, 0);
constexpr WinColor kWhite = winRgb(255, 255, 255);
constexpr WinColor kHot = winRgb(0, 0, 255);
constexpr WinColor kCold = winRgb(255, 0, 0);
constexpr WinColor kYellow = winRgb(255, 255, 0);
constexpr WinColor kPink = winRgb(255, 160, 255);
constexpr WinColor kCyan = winRgb(0, 255, 255);
constexpr WinColor kLabelGreen = winRgb(0, 128, 0);

int roundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

constexpr int kChancesLeft[6] = {33, 75, 159, 201, 285, 327};
constexpr int kDozensLeft[6] = {33, 75, 117, 201, 243, 285};
const char* const kChancesLabel[6] = {"  Red   ", " Black  ", "  Odd   ", "  Even  ", "  Low   ", "  High  "};
const char* const kDozensLabel[6] = {" Doz 1  ", " Doz 2  ", " Doz 3  ", " Col 1  ", " Col 2  ", " Col 3  "};

void barSpan(ForestMode mode, int i, int& left, int& right) {
    switch (mode) {
        case ForestMode::Numbers:
            left = 30 + 14 * i;
            right = 42 + 14 * i;
            return;
        case ForestMode::Streets:
            left = 33 + 42 * i;
            right = 25 + 42 * (i + 1);
            return;
        case ForestMode::Chances:
            left = kChancesLeft[i];
            right = left + 34;
            return;
        case ForestMode::DozensColumns:
            left = kDozensLeft[i];
            right = left + 34;
            return;
    }
}

WinColor numberLabelColour(int n) {
    if (n == 0) return winRgb(0, 255, 0);
    return isRed(n) ? winRgb(255, 0, 0) : kBlack;
}

std::string numberLabel(int n) { return n < 10 ? " " + std::to_string(n) + " " : std::to_string(n); }

}  // namespace

int forestCategoryCount(ForestMode mode) {
    switch (mode) {
        case ForestMode::Numbers:
            return 37;
        case ForestMode::Streets:
            return 12;
        case ForestMode::Chances:
        case ForestMode::DozensColumns:
            return 6;
    }
    return 0;
}

int forestEntry(ForestMode mode, int i) {
    switch (mode) {
        case ForestMode::Numbers:
            return kEntryNumber0 + i;
        case ForestMode::Streets:
            return kEntryStreet1 + i;
        case ForestMode::Chances:
            return kEntryRed + i;
        case ForestMode::DozensColumns:
            return i < 3 ? kEntryDozen1 + i : kEntryColumn1 + (i - 3);
    }
    return 0;
}

int forestBaffleMax(ForestMode mode) {
    switch (mode) {
        case ForestMode::Numbers:
            return 36;
        case ForestMode::Streets:
            return 11;
        default:
            return 0;
    }
}

int32_t hotThreshold(const std::vector<int32_t>& counts, int baffle) {
    std::vector<int32_t> v = counts;
    int32_t t = 0;
    for (int k = 0; k < baffle && !v.empty(); ++k) {
        auto it = std::max_element(v.begin(), v.end());  // the first on equal values
        t = *it;
        *it = 0;
    }
    for (int32_t c : v) t = std::max(t, c);
    return t;
}

int32_t lastThreshold(const std::vector<int32_t>& lasts, int baffle) {
    // Take the smallest value K + 1 times; a taken value is out of the race
    // (a flag rather than a large stand-in value, which real last values of
    // a long game could exceed).
    std::vector<bool> taken(lasts.size(), false);
    int32_t t2 = 0;
    for (int k = 0; k <= baffle; ++k) {
        int best = -1;
        for (size_t i = 0; i < lasts.size(); ++i)
            if (!taken[i] && (best < 0 || lasts[i] < lasts[static_cast<size_t>(best)]))
                best = static_cast<int>(i);
        if (best < 0) break;
        taken[static_cast<size_t>(best)] = true;
        t2 = lasts[static_cast<size_t>(best)];
    }
    return t2;
}

ForestPicture drawForest(const SpinTally& tally, const ForestRequest& rq) {
    ForestPicture out;
    const int32_t m = std::clamp(rq.amount, 0, tally.spinCount());
    if (m <= 0) return out;
    const ForestMode mode = rq.mode;
    const int cats = forestCategoryCount(mode);
    const int baffle = std::clamp(rq.baffle, 0, forestBaffleMax(mode));
    const int w = rq.width;
    const int h = rq.height;

    const EntryCounts counts = tally.countLatest(m);
    const EntryCounts lasts = tally.lastLatest(m);
    std::vector<int32_t> count(static_cast<size_t>(cats)), last(static_cast<size_t>(cats));
    for (int i = 0; i < cats; ++i) {
        count[static_cast<size_t>(i)] = counts[forestEntry(mode, i)];
        last[static_cast<size_t>(i)] = lasts[forestEntry(mode, i)];
    }

    const int32_t largest = *std::max_element(count.begin(), count.end());
    out.scale = largest > 0 ? static_cast<double>(h - 50) / largest : 1.0;
    const bool thresholds = mode == ForestMode::Numbers || mode == ForestMode::Streets;
    if (thresholds) {
        out.hotThreshold = hotThreshold(count, baffle);
        out.lastThreshold = lastThreshold(last, baffle);
    }

    for (int i = 0; i < cats; ++i) {
        ForestBar b;
        b.entry = forestEntry(mode, i);
        barSpan(mode, i, b.left, b.right);
        b.count = count[static_cast<size_t>(i)];
        b.last = last[static_cast<size_t>(i)];
        b.top = h - 45 - roundHalfEven(b.count * out.scale);
        if (thresholds) {
            b.hot = b.count >= out.hotThreshold;
            b.lastOnPink = b.last < out.lastThreshold;
        } else if (mode == ForestMode::Chances) {
            const size_t partner = static_cast<size_t>(i ^ 1);
            b.hot = b.count > count[partner];
            b.lastOnPink = b.last < last[partner];
        } else {
            const size_t g = static_cast<size_t>(i / 3 * 3);
            const double countAvg = (count[g] + count[g + 1] + count[g + 2]) / 3.0;
            const double lastAvg = (static_cast<double>(last[g]) + last[g + 1] + last[g + 2]) / 3.0;
            b.hot = b.count > roundHalfEven(countAvg);
            b.lastOnPink = b.last <= roundHalfEven(lastAvg);
        }
        out.bars.push_back(b);
    }

    Picture& p = out.shapes;
    p.push_back(ShapeRect{{0, 0, w, h}, kBackground, kBlack});
    const int digitsOffset = mode == ForestMode::Numbers ? 1 : 12;
    for (const ForestBar& b : out.bars) {
        const WinColor c = b.hot ? kHot : kCold;
        p.push_back(ShapeRect{{b.left, b.top, b.right, h - 40}, c, c});
        p.push_back(ShapePixels{upwardNumberPixels(b.count, b.left + digitsOffset, h - 50), kWhite});
    }
    if (thresholds) {
        const int y = h - 42 - roundHalfEven(out.hotThreshold * out.scale);
        p.push_back(ShapeLine{{0, y}, {w, y}, kBlack, 1});
    }

    // Labels under the bars.
    switch (mode) {
        case ForestMode::Numbers:
            for (int n = 0; n <= 36; ++n)
                p.push_back(
                    ShapeText{30 + 14 * n, h - 40, numberLabel(n), kYellow, numberLabelColour(n), 0, false});
            break;
        case ForestMode::Streets:
            for (int n = 1; n <= 36; ++n)
                p.push_back(ShapeText{30 + 14 * (n - 1), h - 40, numberLabel(n), kYellow,
                                      numberLabelColour(n), 0, false});
            break;
        case ForestMode::Chances:
            for (int i = 0; i < 6; ++i) {
                const WinColor bg = i == 0 ? winRgb(255, 0, 0) : i == 1 ? kBlack : kLabelGreen;
                p.push_back(ShapeText{kChancesLeft[i], h - 40, kChancesLabel[i], kYellow, bg, 0, false});
            }
            break;
        case ForestMode::DozensColumns:
            for (int i = 0; i < 6; ++i)
                p.push_back(
                    ShapeText{kDozensLeft[i], h - 40, kDozensLabel[i], kYellow, kLabelGreen, 0, false});
            break;
    }

    // "Last falling out".
    for (int i = 0; i < cats; ++i) {
        const ForestBar& b = out.bars[static_cast<size_t>(i)];
        int x = b.left + 12;
        int y = h - 21;
        if (mode == ForestMode::Numbers) {
            x = 30 + 14 * i;
            y = i % 2 == 0 ? h - 15 : h - 27;
        } else if (mode == ForestMode::Streets) {
            x = 45 + 42 * i;
        }
        p.push_back(ShapeText{x, y, b.last < 0 ? std::string("X") : std::to_string(b.last), kBlack,
                              b.lastOnPink ? kPink : kCyan, 0, false});
    }

    if (mode == ForestMode::Numbers) {
        for (int n = 0; n <= 36; ++n) {
            const ForestBar& b = out.bars[static_cast<size_t>(n)];
            std::string* memo = nullptr;
            if (b.hot && !b.lastOnPink) memo = &out.memo1;
            if (!b.hot && b.lastOnPink) memo = &out.memo2;
            if (!memo) continue;
            if (!memo->empty()) *memo += ", ";
            *memo += std::to_string(n);
        }
    }
    return out;
}

}  // namespace kv
