#pragma once
// The Calculate window's small chart of the weight each of the latest spins
// receives, as plain numbers: the window fills the box, frames it and draws
// the polyline.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/table_geometry.h"

namespace kv {

inline constexpr int kWeightChartWidth = 192;
inline constexpr int kWeightChartHeight = 161;
inline constexpr uint32_t kWeightChartBackground = 0xFFE0E0;  // $BBGGRR: RGB(224, 224, 255)
inline constexpr uint32_t kWeightChartFrame = 0x000000;
inline constexpr uint32_t kWeightChartPen = 0xFF0000;  // blue
inline constexpr int kWeightChartPenWidth = 3;
inline constexpr int kWeightChartMaxPoints = 50;

// The polyline of the chart in the box's coordinates: it starts at (1, 1)
// and then has one point per counted spin, newest first, at
// (round((i - 1) * 200 / N), round(155 - 160 w)) with w = f^(i - 1).
// N is the "Statistic Numbers" value (all spins when 0 or more than
// spinCount), at most 50; f is the "Downturn Factor" value, 1 when the
// field is empty. With no spins only the start point is left. Coordinates
// of a factor above 1 that would leave any screen are held at +-100000.
std::vector<TablePoint> weightChartPoints(std::string_view statisticNumbers, std::string_view downturnFactor,
                                          int32_t spinCount);

// Whether a change of the "Statistic Numbers" or "Errors" field redraws the
// chart: only once the cleaned text has two or more characters.
inline bool fieldChangeRedrawsChart(std::string_view cleanedText) { return cleanedText.size() >= 2; }

}  // namespace kv
