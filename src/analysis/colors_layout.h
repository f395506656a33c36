#pragma once
// Where the Colors window's 61 check boxes, labels and buttons sit (client
// coordinates of the 464 x 275 window) and what they say.

#include <string>

#include "analysis/chart_shapes.h"

namespace kv {

struct ColorsPlace {
    int x = 0;
    int y = 0;
    std::string caption;
};

// Check box k (1..61), which belongs to chart entry k: "0", "1".."36",
// "s1".."s12", "c1".."c3", "d1".."d3", "Red", "Black", "Odd", "Even", "Low",
// "Hight".
ColorsPlace colorsBoxPlace(int k);
// Bold labels 1..4: "Numbers", "Streets", "Col.", "Dozens".
ColorsPlace colorsLabelPlace(int i);
// Buttons 1..4: "OK", "Cancel", "Random", "Check All".
ColorsPlace colorsButtonPlace(int i);

}  // namespace kv
