#include "calculate/number_groups.h"

#include <initializer_list>
#include <utility>

namespace kv {

namespace {

class GroupScan {
  public:
    GroupScan(std::array<bool, 37>& marked, const std::array<long double, 37>& W, long double M1,
              long double M2, bool inverted)
        : marked_(marked), W_(W), M1_(M1), M2_(M2), inverted_(inverted) {}

    // Takes the group when all its numbers are still marked.
    void offer(std::initializer_list<int> numbers, int baseChips, TablePoint point) {
        long double sum = 0.0L;
        for (const int n : numbers) {
            if (!marked_[static_cast<size_t>(n)]) return;
            sum += W_[static_cast<size_t>(n)];
        }
        for (const int n : numbers) marked_[static_cast<size_t>(n)] = false;
        const long double G = sum / static_cast<long double>(numbers.size());
        const bool extra = inverted_ ? G > M2_ : G < M1_;
        const int chips = baseChips + (extra ? 1 : 0);
        for (int i = 0; i < chips; ++i) clicks.push_back(point);
    }

    std::vector<TablePoint> clicks;

  private:
    std::array<bool, 37>& marked_;
    const std::array<long double, 37>& W_;
    long double M1_;
    long double M2_;
    bool inverted_;
};

// Points on the lines of number column k (1..12) and on the boundary
// between columns k and k+1.
constexpr int columnX(int k) { return 410 + 45 * (k - 1); }
constexpr int boundaryX(int k) { return 435 + 45 * (k - 1); }

}  // namespace

std::vector<TablePoint> PlaceNumberGroups(std::array<bool, 37> marked, const std::array<long double, 37>& W,
                                          long double M1, long double M2, bool inverted) {
    GroupScan scan(marked, W, M1, M2, inverted);
    for (int k = 1; k <= 11; ++k)  // six-lines
        scan.offer({3 * k - 2, 3 * k - 1, 3 * k, 3 * k + 1, 3 * k + 2, 3 * k + 3}, 3, {boundaryX(k), 266});
    for (int k = 1; k <= 11; ++k)  // upper corners
        scan.offer({3 * k - 1, 3 * k, 3 * k + 2, 3 * k + 3}, 2, {boundaryX(k), 100});
    for (int k = 1; k <= 11; ++k)  // lower corners
        scan.offer({3 * k - 2, 3 * k - 1, 3 * k + 1, 3 * k + 2}, 2, {boundaryX(k), 183});
    scan.offer({0, 1, 2}, 2, {385, 170});
    scan.offer({0, 2, 3}, 2, {385, 87});
    for (int k = 1; k <= 12; ++k)  // streets
        scan.offer({3 * k - 2, 3 * k - 1, 3 * k}, 2, {columnX(k), 266});
    scan.offer({0, 1}, 1, {385, 218});
    scan.offer({0, 2}, 1, {385, 135});
    scan.offer({0, 3}, 1, {385, 52});
    for (int k = 1; k <= 12; ++k) scan.offer({3 * k - 1, 3 * k}, 1, {columnX(k), 100});
    for (int k = 1; k <= 12; ++k) scan.offer({3 * k - 2, 3 * k - 1}, 1, {columnX(k), 183});
    for (int k = 1; k <= 11; ++k) scan.offer({3 * k, 3 * k + 3}, 1, {boundaryX(k), 52});
    for (int k = 1; k <= 11; ++k) scan.offer({3 * k - 1, 3 * k + 2}, 1, {boundaryX(k), 135});
    for (int k = 1; k <= 11; ++k) scan.offer({3 * k - 2, 3 * k + 1}, 1, {boundaryX(k), 218});
    // Whatever is left goes straight up, one chip each, no extra.
    for (int x = 0; x <= 36; ++x)
        if (marked[static_cast<size_t>(x)]) scan.clicks.push_back(numberPoint(x));
    return std::move(scan.clicks);
}

}  // namespace kv
