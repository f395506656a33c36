#pragma once
// What the CHART page draws: a colour and a visibility flag for each of the
// 61 entries, and which of the seven groups are switched on. The Graphics
// window keeps one of these, the Colors window edits a copy, the settings
// file stores it.

#include <array>

#include "analysis/chart_entries.h"
#include "analysis/chart_shapes.h"

namespace kv {

struct ChartStyle {
    // Index 1..61 by entry; index 0 unused.
    std::array<WinColor, kChartEntryCount + 1> colour{};
    std::array<bool, kChartEntryCount + 1> shown{};
    // By ChartGroup (check boxes 1..7).
    std::array<bool, kChartGroupCount> groups{};

    bool groupOn(ChartGroup g) const { return groups[static_cast<int>(g)]; }
    bool operator==(const ChartStyle&) const = default;
};

// The style of a first run: every entry shown, distinct colours that read on
// the white chart (the chances in their table colours), and the dozens and
// red/black groups switched on.
ChartStyle defaultChartStyle();

}  // namespace kv
