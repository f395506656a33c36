#include "exact_range.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace gen {

namespace {

using cd = std::complex<double>;

// Iterative radix-2 FFT, forward (e^{-2 pi i jk / M}), with the twiddle
// factors of each size computed once.
const std::vector<cd>& twiddles(size_t n) {
    static std::map<size_t, std::vector<cd>> tables;
    auto& t = tables[n];
    if (t.empty()) {
        t.resize(n);
        for (size_t k = 0; k < n; ++k) {
            const double ang = -2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n);
            t[k] = cd(std::cos(ang), std::sin(ang));
        }
    }
    return t;
}

void fft(std::vector<cd>& x) {
    const size_t n = x.size();
    const std::vector<cd>& tw = twiddles(n);
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(x[i], x[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const size_t step = n / len;
        for (size_t i = 0; i < n; i += len)
            for (size_t k = 0; k < len / 2; ++k) {
                const cd u = x[i + k];
                const cd v = x[i + k + len / 2] * tw[k * step];
                x[i + k] = u + v;
                x[i + k + len / 2] = u - v;
            }
    }
}

cd pow37(cd z) {
    const cd z2 = z * z, z4 = z2 * z2, z8 = z4 * z4, z16 = z8 * z8, z32 = z16 * z16;
    return z32 * z4 * z;
}

double logSumExp(const std::vector<double>& v) {
    double m = -INFINITY;
    for (double x : v) m = std::max(m, x);
    double s = 0;
    for (double x : v) s += std::exp(x - m);
    return m + std::log(s);
}

// log P(Poisson(L) = L) = -L + L ln L - ln L!, by Stirling's series for
// accuracy at large L.
double logPoissonAtMean(int32_t L) {
    if (L == 0) return 0;
    if (L < 20) return -L + L * std::log(static_cast<double>(L)) - std::lgamma(L + 1.0);
    const double x = L;
    // ln L! = L ln L - L + 0.5 ln(2 pi L) + 1/(12L) - 1/(360L^3) + 1/(1260L^5)
    return -(0.5 * std::log(2 * std::numbers::pi * x) + 1 / (12 * x) - 1 / (360 * x * x * x) +
             1 / (1260 * std::pow(x, 5)));
}

}  // namespace

ExactRange::ExactRange(int32_t L) : L_(L), lambda_(L / 37.0), logPoissonAtMean_(logPoissonAtMean(L)) {}

double ExactRange::G(int32_t a, int32_t b) {
    if (a < 0) a = 0;
    if (b < a || 37LL * a > L_ || 37LL * b < L_) return 0;
    const auto key = std::make_pair(a, b);
    if (auto it = cache_.find(key); it != cache_.end()) return it->second;
    const int32_t w = b - a;
    // log of the Poisson(lambda) probabilities on [a, b]
    std::vector<double> lp(static_cast<size_t>(w) + 1);
    const double logLambda = L_ > 0 ? std::log(lambda_) : 0;
    for (int32_t j = 0; j <= w; ++j) {
        const int32_t k = a + j;
        lp[static_cast<size_t>(j)] = -lambda_ + k * logLambda - std::lgamma(k + 1.0);
    }
    double result;
    if (37LL * a == L_ || 37LL * b == L_) {
        // Only the configuration with every count at that end remains.
        const double one = 37LL * a == L_ ? lp.front() : lp.back();
        result = std::exp(37 * one - logPoissonAtMean_);
    } else {
        // Tilt: u_j proportional to exp(lp_j + theta * j), mean near L/37 - a.
        const double target = L_ / 37.0 - a;
        double theta = 0, lo = -50, hi = 50;
        std::vector<double> v(lp.size());
        double Z = 0;
        for (int it = 0; it < 200; ++it) {
            for (size_t j = 0; j < v.size(); ++j) v[j] = lp[j] + theta * static_cast<double>(j);
            Z = logSumExp(v);
            double mean = 0, m2 = 0;
            for (size_t j = 0; j < v.size(); ++j) {
                const double p = std::exp(v[j] - Z);
                mean += p * j;
                m2 += p * j * j;
            }
            const double var = m2 - mean * mean;
            if (std::abs(mean - target) < 1e-9) break;
            (mean < target ? lo : hi) = theta;
            double next = theta - (mean - target) / std::max(var, 1e-300);
            if (!(next > lo && next < hi)) next = (lo + hi) / 2;
            theta = next;
        }
        for (size_t j = 0; j < v.size(); ++j) v[j] = lp[j] + theta * static_cast<double>(j);
        Z = logSumExp(v);
        const int64_t t = L_ - 37LL * a;  // where the sum of the shifted counts must land
        // The tilted probability at t is at most 1: a term whose factor is
        // negligible needs no transform.
        const double logFactor = 37 * Z - theta * static_cast<double>(t) - logPoissonAtMean_;
        if (logFactor < std::log(1e-19)) {
            cache_[key] = 0;
            return 0;
        }
        std::vector<double> u(v.size());
        double mean = 0;
        for (size_t j = 0; j < v.size(); ++j) {
            u[j] = std::exp(v[j] - Z);
            mean += u[j] * static_cast<double>(j);
        }
        // Transform length: the full support 37w + 1 never aliases, but the
        // tilted sum sits at t with a narrow spread, so a shorter transform
        // suffices when a Chernoff bound shows that the probabilities M away
        // from t (which fold onto t) are below 1e-17 of a typical value.
        size_t full = 1;
        while (full < static_cast<size_t>(37) * static_cast<size_t>(w) + 1) full <<= 1;
        size_t M = 256;
        while (M < full) {
            double logBound = 0;  // log of the bound on P(|S - t| >= M)
            double best = -INFINITY;
            for (const double sign : {1.0, -1.0}) {
                double side = 0;
                for (double eta = 1.0 / 1024; eta <= 4; eta *= 1.5) {
                    double m = 0;
                    double e = std::exp(-sign * eta * mean), step = std::exp(sign * eta);
                    for (size_t j = 0; j < u.size(); ++j) {
                        m += u[j] * e;
                        e *= step;
                    }
                    side = std::min(side, 37 * std::log(m) - eta * static_cast<double>(M));
                }
                best = std::max(best, side);
            }
            logBound = best + std::log(2.0);
            // A typical value of the tilted probability at t is 1 / (3 sd).
            double var = 0;
            for (size_t j = 0; j < u.size(); ++j) var += u[j] * (j - mean) * (j - mean);
            const double typical = 1 / (3 * std::sqrt(37 * var) + 1);
            if (logBound < std::log(1e-17 * typical)) break;
            M <<= 1;
        }
        std::vector<cd> x(M, cd(0, 0));
        for (size_t j = 0; j < u.size(); ++j) x[j % M] += cd(u[j], 0);
        fft(x);
        // Only the coefficient at t is needed: one inverse-transform sum.
        // The input is real, so the halves above M/2 mirror those below.
        const std::vector<cd>& tw = twiddles(M);
        double sum = 0;
        for (size_t k = 0; k <= M / 2; ++k) {
            const size_t idx = static_cast<size_t>((static_cast<int64_t>(k) * t) % static_cast<int64_t>(M));
            const double term = (pow37(x[k]) * std::conj(tw[idx])).real();
            sum += (k == 0 || k == M / 2) ? term : 2 * term;
        }
        const double coefficient = sum / static_cast<double>(M);
        // exp(37 Z - theta t) undoes the tilt.
        result = coefficient * std::exp(logFactor);
    }
    cache_[key] = result;
    return result;
}

double ExactRange::cdf(int32_t w) {
    if (w < 0) return 0;
    double s = 0;
    const int32_t aMax = L_ / 37;  // the smallest count is at most the mean
    for (int32_t a = std::max(0, (L_ + 36) / 37 - w); a <= aMax; ++a) s += G(a, a + w) - G(a + 1, a + w);
    return s;
}

namespace {
void enumerate(int32_t left, int32_t slots, int32_t hi, int32_t lo, double logw, int32_t r, double& acc,
               const std::vector<double>& lfact) {
    if (slots == 1) {
        const int32_t c = left;
        const int32_t h = std::max(hi, c), l = std::min(lo, c);
        if (h - l >= r) acc += std::exp(logw - lfact[static_cast<size_t>(c)]);
        return;
    }
    for (int32_t c = 0; c <= left; ++c)
        enumerate(left - c, slots - 1, std::max(hi, c), std::min(lo, c), logw - lfact[static_cast<size_t>(c)],
                  r, acc, lfact);
}
}  // namespace

double bruteForceRangeTail(int32_t L, int32_t r) {
    std::vector<double> lfact(static_cast<size_t>(L) + 1);
    for (int32_t i = 0; i <= L; ++i) lfact[static_cast<size_t>(i)] = std::lgamma(i + 1.0);
    double acc = 0;
    // multinomial: L! / prod c_i! / 37^L
    enumerate(L, 37, -1, L + 1, lfact[static_cast<size_t>(L)] - L * std::log(37.0), r, acc, lfact);
    return acc;
}

}  // namespace gen
