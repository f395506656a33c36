#pragma once
// Exact tail of the range of 37 counts for L fair spins.
//
// The counts of a multinomial(L; 1/37, ..., 1/37) are 37 independent
// Poisson(L/37) variables conditioned on their sum being L. So
//   G(a, b) = P(every count in [a, b])
//           = P(Poisson counts all in [a, b], sum L) / P(Poisson(L) = L),
// and the numerator is the value at L of the 37-fold convolution of the
// Poisson probabilities truncated to [a, b]. The convolution is taken by
// FFT after an exponential tilt that moves its mean onto L, where the FFT's
// absolute error is small against the value (the tilt is undone exactly).
// With the support [37a, 37b] shorter than the transform, nothing aliases.
//
//   P(range <= w) = sum over a of G(a, a + w) - G(a + 1, a + w)
//   (the smallest count is a and every count lies in [a, a + w]).

#include <cstdint>
#include <map>
#include <utility>

namespace gen {

class ExactRange {
  public:
    explicit ExactRange(int32_t L);
    // P(all 37 counts in [a, b]).
    double G(int32_t a, int32_t b);
    // P(hi - lo <= w).
    double cdf(int32_t w);
    // P(hi - lo >= r) = 1 - cdf(r - 1).
    double tail(int32_t r) { return r <= 0 ? 1.0 : 1.0 - cdf(r - 1); }

  private:
    int32_t L_;
    double lambda_;
    double logPoissonAtMean_;  // log P(Poisson(L) = L)
    std::map<std::pair<int32_t, int32_t>, double> cache_;
};

// The same P(hi - lo >= r) by brute force over all compositions, for tiny L
// (a check of the convolution).
double bruteForceRangeTail(int32_t L, int32_t r);

}  // namespace gen
