#pragma once
// The Colors window's working copy (ColorsWindow): for each of the 61 chart
// entries a colour and whether its line is shown, with the rules of the
// window's check boxes and buttons. Only OK hands the choice to the
// Graphics window.

#include <array>
#include <cstddef>
#include <optional>

#include "analysis/chart_style.h"
#include "core/generator.h"

namespace kv {

class ColorsChoice {
  public:
    // loadFrom: colours and flags from the Graphics window.
    void loadFrom(const ChartStyle& graphics);
    // reloadTicks: the ticks are reloaded from the Graphics window; the
    // working colours stay (also colours chosen before a Cancel).
    void reloadTicks(const ChartStyle& graphics);

    // The user changed box k (1..61) to `ticked`. True when the window must
    // now open the colour chooser (a box ticked by the user); it then calls
    // colourChosen() if the user confirms. Clearing a box never asks.
    bool setTicked(int k, bool ticked);
    void colourChosen(int k, WinColor colour);

    // "Random": seeds the generator from the clock, then randomColours().
    void randomize(Generator& g);
    // Every colour := Random(16777104) taken as a colour; ticks unchanged.
    void randomColours(Generator& g);
    // "Check All": all 61 ticked, no colour chooser.
    void tickAll();
    // "OK": the style for the Graphics window (its groups kept).
    ChartStyle acceptedStyle(const ChartStyle& graphics) const;

    // Box k's background colour and tick.
    WinColor colour(int k) const { return colour_[static_cast<size_t>(k)]; }
    bool shown(int k) const { return shown_[static_cast<size_t>(k)]; }

  private:
    std::array<WinColor, kChartEntryCount + 1> colour_{};
    std::array<bool, kChartEntryCount + 1> shown_{};
};

}  // namespace kv
