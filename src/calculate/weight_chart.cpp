#include "calculate/weight_chart.h"

#include <algorithm>

#include "calculate/field_real.h"
#include "core/wheel.h"

namespace kv {

namespace {

int chartCoordinate(double v) { return roundHalfEven(std::clamp(v, -100000.0, 100000.0)); }

}  // namespace

std::vector<TablePoint> weightChartPoints(std::string_view statisticNumbers, std::string_view downturnFactor,
                                          int32_t spinCount) {
    int32_t n = FieldInteger(statisticNumbers);
    if (n == 0 || n > spinCount) n = spinCount;
    n = std::clamp(n, 0, kWeightChartMaxPoints);
    const double f = downturnFactor.empty() ? 1.0 : ParseFieldReal(downturnFactor);
    std::vector<TablePoint> points{{1, 1}};
    if (n == 0) return points;  // no spins: there is no step to take
    const double step = 200.0 / n;
    double w = 1.0;
    for (int i = 1; i <= n; ++i) {
        points.push_back({chartCoordinate((i - 1) * step), chartCoordinate(155.0 - 160.0 * w)});
        w *= f;
    }
    return points;
}

}  // namespace kv
