#pragma once
// SectorBounds: the six boundaries that divide the wheel into the sectors
// "0-Spiel", "Big Series", "Orphelins" and "Small Series", with the
// membership test, the one-pocket boundary moves and the bet orders.
//
// Wheel positions are 1-based places in WheelOrder (counter-clockwise from
// the zero). Boundary k is kept both as the number Bk that opens arc k and
// as Pk = WheelPosition(Bk) - 1; arc k holds positions Pk + 1 .. P(k+1), arc
// 1 wrapping past 37. Arcs 1..6 are 0-Spiel, Big Series, Orphelins, Small
// Series, Orphelins, Big Series.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

enum class Sector { ZeroSpiel = 0, BigSeries, Orphelins, SmallSeries };
inline constexpr int kSectorCount = 4;

// "0-Spiel", "Big Series", "Orphelins", "Small Series".
const char* sectorName(Sector s);

class SectorBounds {
  public:
    // The default boundaries B = 32, 7, 9, 33, 6, 25.
    SectorBounds();

    static constexpr std::array<int32_t, 6> kDefaultNumbers{32, 7, 9, 33, 6, 25};

    // Boundaries as the settings store them (B1..B6). Numbers that cannot
    // form six arcs in wheel order (a number outside 0..36, arcs out of
    // order or empty, positions 37 and 1 outside 0-Spiel) give the defaults,
    // so a damaged settings file cannot leave an arc without pockets.
    static SectorBounds fromNumbers(const std::array<int32_t, 6>& b);
    static bool validNumbers(const std::array<int32_t, 6>& b);

    // Bk and Pk for k = 1..6.
    int32_t B(int k) const { return b_[static_cast<size_t>(k - 1)]; }
    int32_t P(int k) const { return p_[static_cast<size_t>(k - 1)]; }
    std::array<int32_t, 6> numbers() const { return b_; }

    // The sector of wheel position q (1..37) and of number n (0..36).
    Sector sectorOfPosition(int q) const;
    Sector sectorOfNumber(int n) const;

    // A click on the boundary ring beside position q: the first matching
    // rule of 1 forward, 1 back, 2 forward, ... 6 back moves one boundary
    // by one pocket. Returns whether a boundary moved. Every arc keeps at
    // least one pocket; positions 37 and 1 stay in 0-Spiel.
    bool moveBoundaryAt(int q);

    // Back to the defaults.
    void reset();

    // Wheel positions bet by a click on sector s, in their order:
    // 0-Spiel P1+1..37, 1..P2; Big Series 1..P3, P6+1..37 (with the 0-Spiel);
    // Orphelins P3+1..P4, P5+1..P6; Small Series P4+1..P5.
    std::vector<int> betPositions(Sector s) const;

    bool operator==(const SectorBounds&) const = default;

  private:
    void setBoundary(int k, int32_t p);

    std::array<int32_t, 6> b_{};
    std::array<int32_t, 6> p_{};
};

}  // namespace kv
