#include "analysis/test_game_concentration.h"

#include <algorithm>

namespace kv {

namespace {

// Spins outside 0..36 (a damaged game) fall into a 38th bucket that takes
// part in no count.
constexpr uint8_t kNoNumber = 37;

// The percentage the progress bar shows at window length L of 4 .. n.
int lengthProgress(int32_t L, int32_t n) { return static_cast<int>(roundRatio(int64_t{L - 3} * 100, n - 3)); }

// Counts of the 37 numbers in the current window (and of damaged spins in a
// bucket of their own).
struct WindowCounts {
    int32_t count[38] = {};

    void build(const uint8_t* spins, int32_t first, int32_t last) {
        std::fill(std::begin(count), std::end(count), 0);
        for (int32_t j = first; j <= last; ++j) ++count[spins[j]];
    }
    int32_t range() const {
        int32_t hi = count[0], lo = count[0];
        for (int k = 1; k < 37; ++k) {
            hi = std::max(hi, count[k]);
            lo = std::min(lo, count[k]);
        }
        return hi - lo;
    }
};

}  // namespace

int32_t concentrationThreshold(double E, int32_t L) {
    // The window fails when E < r / L, evaluated exactly as written; the
    // quotient only grows with r, so the failing ranges are r > threshold.
    const auto fails = [&](int32_t r) { return E < static_cast<double>(r) / static_cast<double>(L); };
    if (fails(0)) return -1;
    if (!fails(L)) return L;
    int32_t ok = 0;   // !fails(ok)
    int32_t bad = L;  // fails(bad)
    while (bad - ok > 1) {
        const int32_t mid = ok + (bad - ok) / 2;
        (fails(mid) ? bad : ok) = mid;
    }
    return ok;
}

std::vector<uint8_t> concentrationMarks(std::span<const int32_t> newestFirst, const RndTestTable& table,
                                        const TestProgress& progress) {
    const int32_t N = static_cast<int32_t>(newestFirst.size());
    std::vector<uint8_t> result(static_cast<size_t>(N), 0);
    if (!table.present() || N < kRndTestFirstLength) return result;
    const int32_t n = std::min(N, kConcentrationMaxLength);

    // 1-based, like the history: spins[i] is SpinHistory[i].
    std::vector<uint8_t> spins(static_cast<size_t>(N) + 2, kNoNumber);
    for (int32_t i = 1; i <= N; ++i) {
        const int32_t v = newestFirst[static_cast<size_t>(i - 1)];
        spins[static_cast<size_t>(i)] = v >= 0 && v <= 36 ? static_cast<uint8_t>(v) : kNoNumber;
    }
    std::vector<uint8_t> marked(static_cast<size_t>(N) + 2, 0);
    // nextMark[i]: the first marked position >= i (N + 1 when none). Marks
    // set while one length is scanned lie behind the scan, so the array only
    // needs rebuilding between lengths, and only after a window failed.
    std::vector<int32_t> nextMark(static_cast<size_t>(N) + 2, N + 1);
    bool marksChanged = false;
    WindowCounts counts;
    const uint8_t* a = spins.data();

    for (int32_t L = kRndTestFirstLength; L <= n; ++L) {
        if (progress) progress(lengthProgress(L, n));
        if (L > kRndTestFirstLength && table.limit(L) == table.limit(L - 1)) continue;
        const int32_t threshold = concentrationThreshold(table.limit(L), L);
        if (threshold >= L) continue;  // no range can exceed the limit
        if (marksChanged) {
            int32_t next = N + 1;
            for (int32_t i = N + 1; i >= 1; --i) {
                if (i <= N && marked[static_cast<size_t>(i)]) next = i;
                nextMark[static_cast<size_t>(i)] = next;
            }
            marksChanged = false;
        }
        const int32_t m = std::max(N - L, 1);
        int32_t s = 1;
        while (s <= m) {
            int32_t e = std::min(s + L - 1, N);
            // A window with a marked spin is given up; the next one starts
            // just after that spin.
            if (nextMark[static_cast<size_t>(s)] <= e) {
                s = nextMark[static_cast<size_t>(s)] + 1;
                continue;
            }
            counts.build(a, s, e);
            for (;;) {
                const int32_t range = counts.range();
                if (range > threshold) {
                    std::fill(marked.begin() + s, marked.begin() + e + 1, uint8_t{1});
                    marksChanged = true;
                    // Every start up to e now sees a marked spin first.
                    s = e + 1;
                    break;
                }
                if (s >= m) {
                    s = m + 1;
                    break;
                }
                // One spin more or less moves the largest count and the
                // smallest by at most one each, so the range grows by at most
                // 2 per step: the next (threshold - range) / 2 windows cannot
                // fail and need no look at hi and lo, only at their counts.
                const int32_t step = std::min(std::max(1, (threshold - range) / 2), m - s);
                const int32_t firstIn = e + 1;
                const int32_t lastIn = e + step;  // <= N, since s + step <= N - L
                const int32_t nextMarked = nextMark[static_cast<size_t>(firstIn)];
                if (nextMarked <= lastIn) {
                    // The windows before the marked spin are fine; those
                    // holding it are given up.
                    s = nextMarked + 1;
                    break;
                }
                for (int32_t j = firstIn; j <= lastIn; ++j, ++s) {
                    --counts.count[a[s]];
                    ++counts.count[a[j]];
                }
                e = lastIn;
            }
        }
    }
    std::copy(marked.begin() + 1, marked.begin() + N + 1, result.begin());
    return result;
}

std::vector<ShadyRun> shadyRuns(std::span<const uint8_t> marks) {
    std::vector<ShadyRun> runs;
    const int32_t N = static_cast<int32_t>(marks.size());
    // From the first spin of the game (index N) to the latest (index 1).
    for (int32_t i = N; i >= 1;) {
        if (!marks[static_cast<size_t>(i - 1)]) {
            --i;
            continue;
        }
        ShadyRun run;
        run.firstOrdinal = N - i + 1;
        while (i >= 1 && marks[static_cast<size_t>(i - 1)]) {
            ++run.length;
            --i;
        }
        runs.push_back(run);
    }
    return runs;
}

std::string shadyLine(const ShadyRun& run) {
    return "From " + std::to_string(run.firstOrdinal) + " position " + std::to_string(run.length) +
           " shady Numbers";
}

ConcentrationResult ConcentrationTest(std::span<const int32_t> newestFirst, const RndTestTable& table,
                                      const TestProgress& progress) {
    ConcentrationResult r;
    if (!table.present()) {
        // Without its limits the test could only guess: it says why instead.
        r.lines = {"The limits table is missing:", table.problem(), "The test did not run"};
        return r;
    }
    r.ran = true;
    const std::vector<uint8_t> marks = concentrationMarks(newestFirst, table, progress);
    r.runs = shadyRuns(marks);
    r.passed = r.runs.empty();
    for (const ShadyRun& run : r.runs) r.lines.push_back(shadyLine(run));
    if (r.passed) {
        r.lines.push_back("This Random is possible");
    } else {
        r.lines.push_back("---------------------------------------");
        r.lines.push_back("WARNING ! ! !");
    }
    r.curve.mode = CurveMode::Disorder;
    r.curve.values = disorderCurve(newestFirst);
    return r;
}

std::vector<int32_t> spinNumbers(const GameState& state) {
    std::vector<int32_t> out(static_cast<size_t>(std::max(state.SpinCount, 0)));
    for (int32_t i = 1; i <= state.SpinCount; ++i) out[static_cast<size_t>(i - 1)] = state.SpinHistory(i);
    return out;
}

ConcentrationResult ConcentrationTest(const GameState& state, const RndTestTable& table,
                                      const TestProgress& progress) {
    return ConcentrationTest(spinNumbers(state), table, progress);
}

}  // namespace kv
