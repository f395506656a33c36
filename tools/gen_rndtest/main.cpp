// gen_rndtest: computes the concentration limits of rndtest.dat and measures
// how often the whole first honesty test fails a fair history. The method,
// the seeds, the run times and the measured rates are in docs/rndtest.md.
//
//   gen_rndtest check
//       exact tail against brute force (tiny L) and Monte Carlo (a few L)
//   gen_rndtest simulate N K SEED OUT
//       K fair histories of N spins; for each the largest range hi - lo of
//       every window length over the windows the test scans (uint16 each)
//   gen_rndtest choose SIMS N
//       per history the smallest window p-value; the family-wise false
//       alarm rate for a grid of per-window tails
//   gen_rndtest table ALPHA LFROM LTO OUT
//       exact limit count c(L) for the per-window tail ALPHA
//   gen_rndtest write OUT PART...
//       rndtest.dat from the parts, checked by reading it back
//   gen_rndtest fwer SIMS N RNDTEST
//       false alarm rate of a table over stored simulations
//   gen_rndtest verify RNDTEST N K SEED
//       the program's own ConcentrationTest over K fresh fair histories

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "analysis/rndtest_table.h"
#include "analysis/test_game_concentration.h"
#include "exact_range.h"
#include "strategy/session_random.h"

namespace {

// The Monte Carlo sessions' generator (xoshiro256** seeded through
// SplitMix64; session 0 of a seed is the plain SplitMix64 seeding), with
// numbers by plain rejection as the published verification runs drew them.
class Rng {
  public:
    explicit Rng(uint64_t seed) : random_(seed, 0) {}
    // Uniform 0..36 by rejection.
    int32_t spin() {
        constexpr uint32_t limit = 0xFFFFFFFFu - (0xFFFFFFFFu % 37u) - 1u;  // 37 * k - 1
        for (;;) {
            const uint32_t x = static_cast<uint32_t>(random_.next() >> 32);
            if (x <= limit) return static_cast<int32_t>(x % 37u);
        }
    }

  private:
    kv::SessionRandom random_;
};

double seconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

std::vector<int32_t> fairHistory(Rng& rng, int32_t N) {
    std::vector<int32_t> h(static_cast<size_t>(N));
    for (auto& v : h) v = rng.spin();
    return h;
}

// For L = 4 .. min(N, 10000): the largest hi - lo over the windows of
// length L that the test scans (starts 1 .. max(N - L, 1)). Before the first
// failing window nothing is marked, so a table fails the history exactly
// when some L has a largest range above its limit count.
std::vector<uint16_t> largestRanges(const std::vector<int32_t>& h) {
    const int32_t N = static_cast<int32_t>(h.size());
    const int32_t n = std::min(N, 10000);
    std::vector<uint16_t> out;
    std::vector<int32_t> hist(static_cast<size_t>(n) + 2);
    const int32_t* a = h.data() - 1;  // 1-based
    for (int32_t L = 4; L <= n; ++L) {
        int32_t cnt[37] = {};
        for (int32_t j = 1; j <= L; ++j) ++cnt[a[j]];
        std::fill(hist.begin(), hist.begin() + L + 1, 0);
        int32_t hi = 0, lo = L;
        for (int k = 0; k < 37; ++k) {
            ++hist[static_cast<size_t>(cnt[k])];
            hi = std::max(hi, cnt[k]);
            lo = std::min(lo, cnt[k]);
        }
        int32_t best = hi - lo;
        const int32_t m = std::max(N - L, 1);
        for (int32_t s = 1; s < m; ++s) {
            const int32_t out_ = a[s], in = a[s + L];
            if (out_ == in) continue;
            int32_t c = cnt[out_]--;
            --hist[static_cast<size_t>(c)];
            ++hist[static_cast<size_t>(c - 1)];
            if (c == hi && hist[static_cast<size_t>(c)] == 0) hi = c - 1;
            if (c - 1 < lo) lo = c - 1;
            c = cnt[in]++;
            --hist[static_cast<size_t>(c)];
            ++hist[static_cast<size_t>(c + 1)];
            if (c + 1 > hi) hi = c + 1;
            if (c == lo && hist[static_cast<size_t>(c)] == 0) lo = c + 1;
            best = std::max(best, hi - lo);
        }
        out.push_back(static_cast<uint16_t>(best));
    }
    return out;
}

// Poisson-iid approximation of P(range >= r) (no conditioning on the sum);
// used only to screen and to start the exact search.
double approxTail(int32_t L, int32_t r) {
    const double lam = L / 37.0;
    const int32_t K = L + 200;
    std::vector<double> F(static_cast<size_t>(K) + 1);
    double p = std::exp(-lam), c = 0;
    for (int32_t k = 0; k <= K; ++k) {
        if (k > 0) p *= lam / k;
        c += p;
        F[static_cast<size_t>(k)] = c;
    }
    auto Fc = [&](int32_t k) { return k < 0 ? 0.0 : k > K ? 1.0 : F[static_cast<size_t>(k)]; };
    double s = 0;
    const int32_t w = r - 1;
    for (int32_t a = 0; a <= K; ++a)
        s += std::pow(Fc(a + w) - Fc(a - 1), 37) - std::pow(Fc(a + w) - Fc(a), 37);
    return 1 - s;
}

std::vector<std::vector<uint16_t>> readSims(const std::string& file, int32_t N) {
    const size_t per = static_cast<size_t>(std::min(N, 10000) - 3);
    std::ifstream in(file, std::ios::binary);
    std::vector<std::vector<uint16_t>> sims;
    std::vector<uint16_t> row(per);
    while (in.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(per * 2)))
        sims.push_back(row);
    return sims;
}

// c(L) from a written table, exactly as the program compares.
std::vector<int32_t> tableCounts(const kv::RndTestTable& t) {
    std::vector<int32_t> c(10003, 0);
    for (int32_t L = 4; L <= 10002; ++L)
        c[static_cast<size_t>(L)] = kv::concentrationThreshold(t.limit(L), L);
    return c;
}

int check() {
    std::printf("exact against brute force (all compositions):\n");
    for (int32_t L : {4, 5, 6, 7})
        for (int32_t r = 2; r <= L; ++r) {
            gen::ExactRange e(L);
            std::printf("  L=%d r=%d exact %.10g brute %.10g\n", L, r, e.tail(r),
                        gen::bruteForceRangeTail(L, r));
        }
    std::printf("exact against Monte Carlo (seed 7):\n");
    Rng rng(7);
    for (const auto& [L, S] : {std::pair<int32_t, int64_t>{37, 2000000}, {200, 1000000}, {1000, 200000}}) {
        gen::ExactRange e(L);
        std::vector<int32_t> hits(static_cast<size_t>(L) + 2, 0);
        for (int64_t s = 0; s < S; ++s) {
            int32_t cnt[37] = {};
            for (int32_t j = 0; j < L; ++j) ++cnt[rng.spin()];
            const auto [lo, hi] = std::minmax_element(cnt, cnt + 37);
            ++hits[static_cast<size_t>(*hi - *lo)];
        }
        int64_t tail = 0;
        for (int32_t r = L; r >= 0; --r) {
            tail += hits[static_cast<size_t>(r)];
            const double mc = static_cast<double>(tail) / S;
            if (mc > 1e-5 && mc < 0.2)
                std::printf("  L=%d r=%d exact %.6g MC %.6g (+- %.2g, %lld samples)\n", L, r, e.tail(r), mc,
                            std::sqrt(mc * (1 - mc) / S), static_cast<long long>(S));
        }
    }
    return 0;
}

int simulate(int32_t N, int32_t K, uint64_t seed, const std::string& out) {
    const auto t0 = std::chrono::steady_clock::now();
    Rng rng(seed);
    std::ofstream f(out, std::ios::binary);
    for (int32_t k = 0; k < K; ++k) {
        const std::vector<uint16_t> r = largestRanges(fairHistory(rng, N));
        f.write(reinterpret_cast<const char*>(r.data()), static_cast<std::streamsize>(r.size() * 2));
    }
    std::printf("simulate N=%d K=%d seed=%llu: %.1f s\n", N, K, static_cast<unsigned long long>(seed),
                seconds(t0));
    return 0;
}

int choose(const std::string& simFile, int32_t N) {
    const auto t0 = std::chrono::steady_clock::now();
    const auto sims = readSims(simFile, N);
    // p(L, r) exactly for L <= 2500 (cheap there, and where the quick
    // approximation is poor); the Poisson approximation above, which is
    // within about 20 % of the exact tail from L = 1000 on.
    std::map<int32_t, gen::ExactRange> exact;
    std::map<std::pair<int32_t, int32_t>, double> memo;
    auto pvalue = [&](int32_t L, int32_t r) {
        auto key = std::make_pair(L, r);
        if (auto it = memo.find(key); it != memo.end()) return it->second;
        double p = approxTail(L, r);
        if (L <= 2500 && p < 1e-3) p = exact.try_emplace(L, L).first->second.tail(r);
        memo[key] = p;
        return p;
    };
    std::vector<double> minP;
    for (const auto& row : sims) {
        double best = 1;
        // Screen with a cheap bound first: only ranges well above the
        // typical ones can give small p-values.
        for (size_t i = 0; i < row.size(); ++i) {
            const int32_t L = static_cast<int32_t>(i) + 4;
            const double sd = std::sqrt(L * 36.0) / 37.0;
            if (row[i] < 4.5 * sd && L > 40) continue;
            best = std::min(best, pvalue(L, row[i]));
        }
        minP.push_back(best);
    }
    std::sort(minP.begin(), minP.end());
    std::printf("choose N=%d histories=%zu (%.1f s)\n", N, minP.size(), seconds(t0));
    for (double e = -6; e >= -10.01; e -= 0.25) {
        const double alpha = std::pow(10.0, e);
        const auto fails = std::upper_bound(minP.begin(), minP.end(), alpha) - minP.begin();
        std::printf("  alpha %.3g: %ld fail (%.2f %%)\n", alpha, static_cast<long>(fails),
                    100.0 * static_cast<double>(fails) / static_cast<double>(minP.size()));
    }
    return 0;
}

int table(double alpha, int32_t from, int32_t to, const std::string& out) {
    const auto t0 = std::chrono::steady_clock::now();
    std::ofstream f(out);
    int32_t c = 1;
    while (c < from && approxTail(from, c + 1) > alpha) ++c;  // a start near the answer
    for (int32_t L = from; L <= to; ++L) {
        gen::ExactRange e(L);
        // c = the smallest count with P(range > c) <= alpha, i.e. a window
        // fails when its range r has P(range >= r) <= alpha. It moves by at
        // most one from one length to the next; search from the last one.
        c = std::min(c, L);
        while (c < L && e.tail(c + 1) > alpha) ++c;
        while (c > 0 && e.tail(c) <= alpha) --c;
        f << L << ' ' << c << ' ' << e.tail(c) << ' ' << (c < L ? e.tail(c + 1) : 0.0) << '\n';
    }
    std::printf("table alpha=%g L=%d..%d: %.1f s\n", alpha, from, to, seconds(t0));
    return 0;
}

std::string limitText(int32_t L, int32_t c) {
    // 1.1 * value * L lands half-way between c and c + 1: the program's
    // comparison E[L] < r / L then fails exactly the ranges above c, far from
    // any rounding of the decimal text, of the factor or of the quotient.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12f", (c + 0.5) / (1.1 * L));
    return buf;
}

int write(const std::string& out, const std::vector<std::string>& parts) {
    std::vector<int32_t> c(10003, -1);
    for (const auto& p : parts) {
        std::ifstream in(p);
        int32_t L, count;
        double t1, t2;
        while (in >> L >> count >> t1 >> t2) c[static_cast<size_t>(L)] = count;
    }
    std::string content;
    for (int32_t L = 4; L <= 10002; ++L) {
        if (c[static_cast<size_t>(L)] < 0) {
            std::fprintf(stderr, "no count for L=%d\n", L);
            return 1;
        }
        content += limitText(L, c[static_cast<size_t>(L)]) + "\r\n";
    }
    // Read back with the program's own reader and comparison.
    const kv::RndTestTable t = kv::RndTestTable::parse(content);
    if (!t.present()) {
        std::fprintf(stderr, "read back failed: %s\n", t.problem().c_str());
        return 1;
    }
    const std::vector<int32_t> back = tableCounts(t);
    for (int32_t L = 4; L <= 10002; ++L) {
        if (back[static_cast<size_t>(L)] != c[static_cast<size_t>(L)]) {
            std::fprintf(stderr, "L=%d reads back as %d, not %d\n", L, back[static_cast<size_t>(L)],
                         c[static_cast<size_t>(L)]);
            return 1;
        }
        // The ranges next to the threshold are far from a tie.
        const double E = t.limit(L);
        const double cc = c[static_cast<size_t>(L)];
        if (std::abs(E * L - (cc + 0.5)) > 1e-6) {
            std::fprintf(stderr, "L=%d is not half-way\n", L);
            return 1;
        }
        if (L > 4 && t.limit(L) == t.limit(L - 1)) {
            std::fprintf(stderr, "L=%d equals L-1: the test would skip it\n", L);
            return 1;
        }
    }
    const std::string tmp = out + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary);
        f << content;
        if (!f) return 1;
    }
    std::filesystem::rename(tmp, out);
    std::printf("wrote %s, read back exactly\n", out.c_str());
    return 0;
}

int fwer(const std::string& simFile, int32_t N, const std::string& file) {
    const auto sims = readSims(simFile, N);
    const std::vector<int32_t> c = tableCounts(kv::RndTestTable::read(file));
    int64_t fails = 0;
    std::map<int32_t, int32_t> byLength;
    for (const auto& row : sims) {
        bool fail = false;
        for (size_t i = 0; i < row.size(); ++i)
            if (row[i] > c[i + 4]) {
                if (!fail) ++byLength[static_cast<int32_t>(i) + 4];
                fail = true;
            }
        fails += fail ? 1 : 0;
    }
    std::printf("fwer N=%d: %lld of %zu fail (%.2f %%)\n", N, static_cast<long long>(fails), sims.size(),
                100.0 * static_cast<double>(fails) / static_cast<double>(sims.size()));
    for (const auto& [L, k] : byLength) std::printf("  first failing L %d: %d\n", L, k);
    return 0;
}

int verify(const std::string& file, int32_t N, int32_t K, uint64_t seed) {
    const auto t0 = std::chrono::steady_clock::now();
    const kv::RndTestTable t = kv::RndTestTable::read(file);
    if (!t.present()) {
        std::fprintf(stderr, "%s\n", t.problem().c_str());
        return 1;
    }
    Rng rng(seed);
    int32_t fails = 0;
    for (int32_t k = 0; k < K; ++k) fails += kv::ConcentrationTest(fairHistory(rng, N), t).passed ? 0 : 1;
    std::printf("verify N=%d K=%d seed=%llu: %d fail (%.2f %%), %.1f s\n", N, K,
                static_cast<unsigned long long>(seed), fails, 100.0 * fails / K, seconds(t0));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() == 1 && a[0] == "check") return check();
    if (a.size() == 5 && a[0] == "simulate")
        return simulate(std::stoi(a[1]), std::stoi(a[2]), std::stoull(a[3]), a[4]);
    if (a.size() == 3 && a[0] == "choose") return choose(a[1], std::stoi(a[2]));
    if (a.size() == 5 && a[0] == "table")
        return table(std::stod(a[1]), std::stoi(a[2]), std::stoi(a[3]), a[4]);
    if (a.size() >= 3 && a[0] == "write")
        return write(a[1], std::vector<std::string>(a.begin() + 2, a.end()));
    if (a.size() == 4 && a[0] == "fwer") return fwer(a[1], std::stoi(a[2]), a[3]);
    if (a.size() == 5 && a[0] == "verify")
        return verify(a[1], std::stoi(a[2]), std::stoi(a[3]), std::stoull(a[4]));
    std::fprintf(stderr, "usage: see the comment at the top of tools/gen_rndtest/main.cpp\n");
    return 2;
}
