#include "analysis/colors_choice.h"

namespace kv {

namespace {
bool validEntry(int k) { return k >= 1 && k <= kChartEntryCount; }
}  // namespace

void ColorsChoice::loadFrom(const ChartStyle& graphics) {
    colour_ = graphics.colour;
    shown_ = graphics.shown;
}

void ColorsChoice::reloadTicks(const ChartStyle& graphics) { shown_ = graphics.shown; }

bool ColorsChoice::setTicked(int k, bool ticked) {
    if (!validEntry(k)) return false;
    shown_[static_cast<size_t>(k)] = ticked;
    return ticked;
}

void ColorsChoice::colourChosen(int k, WinColor colour) {
    if (validEntry(k)) colour_[static_cast<size_t>(k)] = colour & 0xFFFFFF;
}

void ColorsChoice::randomize(Generator& g) {
    g.Randomize();
    randomColours(g);
}

void ColorsChoice::randomColours(Generator& g) {
    for (int k = 1; k <= kChartEntryCount; ++k)
        colour_[static_cast<size_t>(k)] = static_cast<WinColor>(g.Random(16777104));
}

void ColorsChoice::tickAll() {
    for (int k = 1; k <= kChartEntryCount; ++k) shown_[static_cast<size_t>(k)] = true;
}

ChartStyle ColorsChoice::acceptedStyle(const ChartStyle& graphics) const {
    ChartStyle s = graphics;
    s.colour = colour_;
    s.shown = shown_;
    return s;
}

}  // namespace kv
