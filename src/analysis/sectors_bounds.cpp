#include "analysis/sectors_bounds.h"

#include "core/roulette.h"

namespace kv {

const char* sectorName(Sector s) {
    switch (s) {
        case Sector::ZeroSpiel:
            return "0-Spiel";
        case Sector::BigSeries:
            return "Big Series";
        case Sector::Orphelins:
            return "Orphelins";
        case Sector::SmallSeries:
            return "Small Series";
    }
    return "";
}

SectorBounds::SectorBounds() { reset(); }

void SectorBounds::reset() {
    for (int k = 1; k <= 6; ++k)
        setBoundary(k, WheelPosition(kDefaultNumbers[static_cast<size_t>(k - 1)]) - 1);
}

void SectorBounds::setBoundary(int k, int32_t p) {
    p_[static_cast<size_t>(k - 1)] = p;
    b_[static_cast<size_t>(k - 1)] = NumberAtWheelPosition(p + 1);
}

bool SectorBounds::validNumbers(const std::array<int32_t, 6>& b) {
    std::array<int32_t, 6> p{};
    for (size_t i = 0; i < 6; ++i) {
        if (b[i] < 0 || b[i] > 36) return false;
        p[i] = WheelPosition(b[i]) - 1;
    }
    // Arcs 2..6 run in wheel order inside 2..36 with at least one pocket
    // each, and arc 1 keeps positions 37 and 1.
    return p[1] >= 1 && p[1] < p[2] && p[2] < p[3] && p[3] < p[4] && p[4] < p[5] && p[5] < p[0] && p[0] <= 36;
}

SectorBounds SectorBounds::fromNumbers(const std::array<int32_t, 6>& b) {
    SectorBounds s;
    if (!validNumbers(b)) return s;
    for (int k = 1; k <= 6; ++k) s.setBoundary(k, WheelPosition(b[static_cast<size_t>(k - 1)]) - 1);
    return s;
}

Sector SectorBounds::sectorOfPosition(int q) const {
    const int32_t p1 = P(1), p2 = P(2), p3 = P(3), p4 = P(4), p5 = P(5), p6 = P(6);
    if (q >= p1 + 1 || q < p2 + 1) return Sector::ZeroSpiel;
    if ((p2 + 1 <= q && q < p3 + 1) || (p6 + 1 <= q && q < p1 + 1)) return Sector::BigSeries;
    if ((p3 + 1 <= q && q < p4 + 1) || (p5 + 1 <= q && q < p6 + 1)) return Sector::Orphelins;
    return Sector::SmallSeries;
}

Sector SectorBounds::sectorOfNumber(int n) const { return sectorOfPosition(WheelPosition(n)); }

bool SectorBounds::moveBoundaryAt(int q) {
    for (int k = 1; k <= 6; ++k) {
        const int32_t pk = P(k);
        // The neighbours that bound boundary k's moves.
        const int32_t forwardLimit = k == 1 ? 37 : (k == 6 ? P(1) : P(k + 1));
        const int32_t backLimit = k == 1 ? P(6) + 1 : (k == 2 ? 1 : P(k - 1) + 1);
        if (q == pk + 1 && q < forwardLimit) {
            setBoundary(k, pk + 1);
            return true;
        }
        if (q == pk && q > backLimit) {
            setBoundary(k, pk - 1);
            return true;
        }
    }
    return false;
}

std::vector<int> SectorBounds::betPositions(Sector s) const {
    std::vector<int> q;
    auto run = [&q](int from, int to) {
        for (int i = from; i <= to; ++i) q.push_back(i);
    };
    switch (s) {
        case Sector::ZeroSpiel:
            run(P(1) + 1, 37);
            run(1, P(2));
            break;
        case Sector::BigSeries:
            run(1, P(3));
            run(P(6) + 1, 37);
            break;
        case Sector::Orphelins:
            run(P(3) + 1, P(4));
            run(P(5) + 1, P(6));
            break;
        case Sector::SmallSeries:
            run(P(4) + 1, P(5));
            break;
    }
    return q;
}

}  // namespace kv
