#include "calculate/advisor.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "calculate/field_real.h"
#include "core/roulette.h"

namespace kv {

namespace {

using ClassTable = std::array<int8_t, 37>;

// How far apart, relative to the window's total, a slid sum and a fresh one
// can be: a few thousand roundings of an 64-bit mantissa, with room to spare.
constexpr long double kRoundingMargin = 1e-12L;

// Outcome of every number per category: 1..3 for k = 1..5 (0 for zero,
// which belongs to no class), the number itself for k = 6.
const std::array<ClassTable, 7>& classTables() {
    static const std::array<ClassTable, 7> tables = [] {
        std::array<ClassTable, 7> t{};
        for (int x = 1; x <= 36; ++x) {
            t[kRedBlack][x] = isRed(x) ? 1 : 2;
            t[kOddEven][x] = x % 2 == 1 ? 1 : 2;
            t[kLowHigh][x] = x <= 18 ? 1 : 2;
            t[kDozens][x] = static_cast<int8_t>((x - 1) / 12 + 1);
            t[kColumns][x] = static_cast<int8_t>(x % 3 == 1 ? 1 : (x % 3 == 2 ? 2 : 3));
        }
        for (int x = 0; x <= 36; ++x) t[kNumbers][x] = static_cast<int8_t>(x);
        return t;
    }();
    return tables;
}

}  // namespace

AdvisorParams advisorParams(const CalculateSettings& s) {
    AdvisorParams p;
    p.errors = FieldInteger(s.errors);
    p.statisticNumbers = FieldInteger(s.statisticNumbers);
    p.downturn = ParseFieldReal(s.downturnFactor);
    for (int k = 1; k <= kAdviceCategories; ++k) {
        p.confidence[k] =
            static_cast<long double>(std::clamp(s.confidencePosition[k], kConfidenceMin, kConfidenceMax)) /
            100.0L;
        p.betAlways[k] = s.betAlways[k];
        p.enabled[k] = s.category[k];
    }
    return p;
}

std::vector<int32_t> spinHistoryOf(const GameState& s) {
    std::vector<int32_t> h;
    h.reserve(static_cast<size_t>(std::max(s.SpinCount, 0)));
    for (int32_t pos = 1; pos <= s.SpinCount; ++pos) h.push_back(s.SpinHistory(pos));
    return h;
}

int outcomeClass(int k, int x) {
    if (k < kRedBlack || k > kColumns || x < 0 || x > 36) return 0;
    return classTables()[k][x];
}

Advisor::Advisor(const AdvisorParams& params, std::span<const int32_t> history) : params_(params) {
    // A negative or NaN factor cannot come from a field; treat it as 0
    // rather than take its roots.
    if (!(params_.downturn >= 0)) params_.downturn = 0;
    history_.reserve(history.size());
    for (const int32_t x : history) history_.push_back(static_cast<int8_t>(x >= 0 && x <= 36 ? x : -1));
    const int32_t count = SpinCount();
    window_ = (params_.statisticNumbers <= 0 || params_.statisticNumbers > count) ? count
                                                                                  : params_.statisticNumbers;
    rootF2_ = std::sqrt(params_.downturn);
    rootF16_ = std::sqrt(std::sqrt(std::sqrt(std::sqrt(params_.downturn))));
}

template <typename Sums>
void Advisor::sumWindow(int32_t start, long double decay, const ClassTable& table, Sums& sums) const {
    if (start < 1) return;
    const int64_t last = std::min<int64_t>(static_cast<int64_t>(start) + window_ - 1, SpinCount());
    long double w = 1.0L;
    for (int64_t pos = start; pos <= last; ++pos) {
        const int8_t x = history_[static_cast<size_t>(pos - 1)];
        if (x >= 0) sums[static_cast<size_t>(table[static_cast<size_t>(x)])] += w;
        w *= decay;
        // Once the weight has decayed to nothing the older spins add nothing.
        if (w == 0.0L) break;
    }
}

int Advisor::EvenChanceAdvice(int k, int32_t start, bool force) {
    evenAdvice_ = 0;
    if (k < kRedBlack || k > kLowHigh) return 0;
    const long double f = params_.downturn;
    const long double T = params_.confidence[k] * (1.0L + f + f * f + f * f * f);
    classSums_.fill(0.0L);
    sumWindow(start, f, classTables()[k], classSums_);
    const long double s1 = classSums_[1];
    const long double s2 = classSums_[2];
    int advice = 0;
    if (params_.betAlways[k] || force) {
        advice = s2 > s1 ? 1 : (s1 > s2 ? 2 : 0);
    } else if (s2 > s1 && s2 - s1 >= T) {
        advice = 1;
    } else if (s1 > s2 && s1 - s2 >= T) {
        advice = 2;
    }
    evenAdvice_ = advice;
    return advice;
}

void Advisor::ThirdsAdvice(int k, int32_t start, bool force) {
    for (int j = 0; j <= 3; ++j) flags_[j] = 0;
    if (k != kDozens && k != kColumns) return;
    const long double T = params_.confidence[k] * (1.0L + rootF2_);
    classSums_.fill(0.0L);
    sumWindow(start, rootF2_, classTables()[k], classSums_);
    const long double A = (classSums_[1] + classSums_[2] + classSums_[3]) / 3.0L;
    for (int j = 1; j <= 3; ++j) {
        const long double sj = classSums_[j];
        if (params_.betAlways[k] || force) {
            flags_[j] = sj < A ? 1 : 2;
        } else if (sj < A && A - sj >= T) {
            flags_[j] = 1;
        } else if (sj > A && sj - A >= T) {
            flags_[j] = 2;
        }
    }
}

void Advisor::NumberAdvice(int32_t start, bool force) {
    flags_.fill(0);
    weights_.fill(0.0L);
    const long double T = params_.confidence[kNumbers] * (1.0L + rootF16_);
    sumWindow(start, rootF16_, classTables()[kNumbers], weights_);
    long double total = 0.0L;
    for (const long double w : weights_) total += w;
    const long double A = total / 37.0L;
    long double sum1 = 0.0L;
    long double sum2 = 0.0L;
    int n1 = 0;
    int n2 = 0;
    for (int x = 0; x <= 36; ++x) {
        const long double wx = weights_[x];
        if (params_.betAlways[kNumbers] || force) {
            flags_[x] = wx < A ? 1 : 2;
        } else if (wx < A && A - wx >= T) {
            flags_[x] = 1;
        } else if (wx > A && wx - A >= T) {
            flags_[x] = 2;
        }
        if (flags_[x] == 1) {
            sum1 += wx;
            ++n1;
        } else if (flags_[x] == 2) {
            sum2 += wx;
            ++n2;
        }
    }
    m1_ = n1 > 0 ? sum1 / n1 : 1.0L;
    m2_ = n2 > 0 ? sum2 / n2 : 1.0L;
}

// The tested advices are judged from windows that slide one position at a
// time, each sum updated from the previous one instead of summed afresh, so
// a miss count costs one window plus one step per tested advice, whatever E
// and N are. The sums slide in the direction that keeps rounding errors
// shrinking: towards the newer spins when weights fall with age (f <= 1),
// towards the older ones, scaled so that the oldest spin weighs 1, when they
// grow (f > 1). Sums are kept divided by a common scale, so that ageing
// every weight by one factor is one multiplication. A positive scale changes
// no advice given with force: each compares sums of the same window. An
// outcome with no spin left in the window sums to exactly 0, as a fresh sum
// would.
template <typename Sums, typename Judge>
void Advisor::slideTestedWindows(int32_t tested, long double decay, const ClassTable& table,
                                 Judge&& judge) const {
    const int64_t count = SpinCount();
    const int64_t n = window_;
    Sums sums{};
    Members<std::tuple_size_v<Sums>> members{};
    long double scale = 1.0L;  // the window's sums are scale x sums
    long double total = 0.0L;  // of sums, every outcome
    int64_t spins = 0;         // in the window, with an outcome
    auto outcomeAt = [&](int64_t pos) -> int {
        const int8_t x = history_[static_cast<size_t>(pos - 1)];
        return x < 0 ? -1 : table[static_cast<size_t>(x)];
    };
    auto add = [&](int64_t pos, long double weight) {
        if (const int c = outcomeAt(pos); c >= 0) {
            sums[static_cast<size_t>(c)] += weight / scale;
            total += weight / scale;
            ++members[static_cast<size_t>(c)];
            ++spins;
        }
    };
    auto remove = [&](int64_t pos, long double weight) {
        if (const int c = outcomeAt(pos); c >= 0) {
            sums[static_cast<size_t>(c)] -= weight / scale;
            total -= weight / scale;
            if (--members[static_cast<size_t>(c)] == 0) sums[static_cast<size_t>(c)] = 0.0L;
            if (--spins == 0) total = 0.0L;
        }
    };
    // Every weight of the window times m.
    auto age = [&](long double m) {
        scale *= m;
        if (scale >= 0x1p-8000L) return;
        // Before the scale underflows: fold it into the sums.
        for (long double& v : sums) v *= scale;
        total *= scale;
        scale = 1.0L;
    };
    auto power = [](long double base, int64_t e) {
        long double w = 1.0L;
        for (int64_t j = 0; j < e && w != 0.0L; ++j) w *= base;
        return w;
    };
    auto last = [&](int64_t start) { return std::min(start + n - 1, count); };

    if (decay <= 1.0L) {
        // Newest spin weighs 1. From the oldest tested start to the newest:
        // the window's oldest spin leaves, every weight takes one more
        // factor, and the new start joins with weight 1.
        const long double leaving = power(decay, n - 1);
        int64_t start = static_cast<int64_t>(tested) + 1;
        long double w = 1.0L;
        for (int64_t pos = start; pos <= last(start); ++pos, w *= decay) add(pos, w);
        judge(static_cast<int32_t>(start - 1), sums, total, members);
        for (--start; start >= 2; --start) {
            if (start + n <= count) remove(start + n, leaving);
            age(decay);
            add(start, 1.0L);
            judge(static_cast<int32_t>(start - 1), sums, total, members);
        }
        return;
    }
    // Oldest spin weighs 1, each newer one 1/decay of the next older. From
    // the newest tested start to the oldest: the start leaves; when the
    // window reaches one spin further back, every weight takes one more
    // factor and that spin joins with weight 1.
    const long double factor = 1.0L / decay;
    int64_t start = 2;
    long double w = 1.0L;
    for (int64_t pos = last(start); pos >= start; --pos, w *= factor) add(pos, w);
    judge(static_cast<int32_t>(start - 1), sums, total, members);
    const long double uncutLeaving = power(factor, n - 1);
    long double cutLeaving = -1.0L;  // weight of the start once the window ends at the oldest spin
    for (; start <= tested; ++start) {
        if (start + n <= count) {
            remove(start, uncutLeaving);
            age(factor);
            add(start + n, 1.0L);
        } else {
            cutLeaving = cutLeaving < 0 ? power(factor, count - start) : cutLeaving * decay;
            remove(start, cutLeaving);
        }
        judge(static_cast<int32_t>(start), sums, total, members);
    }
}

int32_t Advisor::missCount(int k) {
    int32_t misses = 0;
    if (k < kRedBlack || k > kNumbers) return 0;
    // Advice i is tested against the spin at position i from the window
    // just older than it, so only i + 1 <= SpinCount can be tested,
    // whatever E says.
    const int32_t tested = std::clamp(std::min(params_.errors, SpinCount() - 1), 0, SpinCount());
    if (tested == 0) return 0;
    const ClassTable& table = classTables()[static_cast<size_t>(k)];
    auto spinAt = [&](int32_t i) { return static_cast<int>(history_[static_cast<size_t>(i - 1)]); };
    // Slid sums differ from fresh ones by rounding only. Where that could
    // tip a comparison (a tie, or nearly one) the window is summed afresh,
    // so the count is the one the advices given then would have made.
    // Outcomes without a spin in the window sum to exactly 0, so a tie
    // between them is a true one. With a factor of 1 (or 0) every sum is a
    // whole number (or one weight) held exactly, slid or not.
    auto tooClose = [](long double a, long double b, long double scale, long double decay) {
        if (decay == 1.0L || decay == 0.0L) return false;
        return std::fabs(a - b) <= kRoundingMargin * scale;
    };
    if (k <= kLowHigh) {
        slideTestedWindows<std::array<long double, 4>>(
            tested, params_.downturn, table,
            [&](int32_t i, const std::array<long double, 4>& s, long double total, const Members<4>& m) {
                int advice = s[2] > s[1] ? 1 : (s[1] > s[2] ? 2 : 0);
                if ((m[1] != 0 || m[2] != 0) && tooClose(s[1], s[2], total, params_.downturn))
                    advice = EvenChanceAdvice(k, i + 1, true);
                if (advice != 0 && outcomeClass(k, spinAt(i)) != advice) ++misses;
            });
    } else if (k <= kColumns) {
        slideTestedWindows<std::array<long double, 4>>(
            tested, rootF2_, table,
            [&](int32_t i, const std::array<long double, 4>& s, long double, const Members<4>& m) {
                const int c = outcomeClass(k, spinAt(i));
                if (c == 0) return;  // a zero is never a miss
                const long double total = s[1] + s[2] + s[3];
                const long double sc = s[static_cast<size_t>(c)];
                bool often = !(sc < total / 3.0L);
                if (m[1] + m[2] + m[3] != 0 && tooClose(3.0L * sc, total, total, rootF2_)) {
                    ThirdsAdvice(k, i + 1, true);
                    often = flags_[static_cast<size_t>(c)] == 2;
                }
                if (often) ++misses;
            });
    } else {
        slideTestedWindows<std::array<long double, 37>>(
            tested, rootF16_, table,
            [&](int32_t i, const std::array<long double, 37>& W, long double total, const Members<37>&) {
                const int x = spinAt(i);
                if (x < 0) return;
                const long double wx = W[static_cast<size_t>(x)];
                bool often = !(wx < total / 37.0L);
                if (tooClose(37.0L * wx, total, total, rootF16_)) {
                    NumberAdvice(i + 1, true);
                    often = flags_[static_cast<size_t>(x)] == 2;
                }
                if (often) ++misses;
            });
    }
    return misses;
}

}  // namespace kv
