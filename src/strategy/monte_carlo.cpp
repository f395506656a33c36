#include "strategy/monte_carlo.h"

#include <algorithm>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "strategy/compiled_strategy.h"
#include "strategy/session_random.h"

namespace kv {

namespace {

using Clock = std::chrono::steady_clock;

// Sessions are handed out a few at a time: few enough that threads finish
// together, enough that the shared counter is rarely touched.
constexpr int64_t kSessionsPerGrab = 16;
// How often the calling thread looks at the cancel flag.
constexpr auto kCancelPoll = std::chrono::milliseconds(10);

// Counts of the balances at one checkpoint, exact: a dense array over the
// range seen while it stays small, a hash map beyond. Adding counts is all
// that combining threads needs, so the order of the sessions does not
// matter, and the memory follows the spread of the balances rather than
// the number of sessions.
class BalanceCounts {
  public:
    void add(int32_t v, int64_t count = 1) {
        if (!sparse_.empty() || !fits(v)) return addSlow(v, count);
        dense_[static_cast<size_t>(int64_t{v} - base_)] += count;
        total_ += count;
    }
    void merge(const BalanceCounts& other) {
        for (size_t i = 0; i < other.dense_.size(); ++i)
            if (other.dense_[i] != 0)
                add(static_cast<int32_t>(other.base_ + static_cast<int64_t>(i)), other.dense_[i]);
        for (const auto& [v, c] : other.sparse_) add(v, c);
    }
    int64_t total() const { return total_; }
    // The values of the given 0-based ranks (ascending) in sorted order.
    template <size_t N>
    std::array<int32_t, N> atRanks(const std::array<int64_t, N>& ranks) const {
        std::vector<std::pair<int32_t, int64_t>> values;
        for (size_t i = 0; i < dense_.size(); ++i)
            if (dense_[i] != 0)
                values.emplace_back(static_cast<int32_t>(base_ + static_cast<int64_t>(i)), dense_[i]);
        values.insert(values.end(), sparse_.begin(), sparse_.end());
        std::sort(values.begin(), values.end());
        std::array<int32_t, N> out{};
        int64_t below = 0;
        size_t next = 0;
        for (const auto& [v, c] : values) {
            below += c;
            while (next < N && ranks[next] < below) out[next++] = v;
        }
        return out;
    }

  private:
    static constexpr int64_t kDenseLimit = int64_t{1} << 20;
    bool fits(int32_t v) const {
        return !dense_.empty() && v >= base_ && v - base_ < static_cast<int64_t>(dense_.size());
    }
    void addSlow(int32_t v, int64_t count) {
        total_ += count;
        if (sparse_.empty()) {
            const int64_t lo = dense_.empty() ? v : std::min<int64_t>(base_, v);
            const int64_t hi =
                dense_.empty() ? v : std::max<int64_t>(base_ + static_cast<int64_t>(dense_.size()) - 1, v);
            if (hi - lo < kDenseLimit) {
                // Grow with room on the side that grew, so that a drifting range moves rarely.
                const int64_t room = std::max<int64_t>(64, (hi - lo) / 2);
                const int64_t newLo = v < base_ || dense_.empty() ? lo - room : lo;
                const int64_t newHi = v >= base_ || dense_.empty() ? hi + room : hi;
                std::vector<int64_t> grown(static_cast<size_t>(newHi - newLo + 1), 0);
                for (size_t i = 0; i < dense_.size(); ++i)
                    grown[static_cast<size_t>(base_ - newLo) + i] = dense_[i];
                dense_ = std::move(grown);
                base_ = newLo;
                dense_[static_cast<size_t>(v - base_)] += count;
                return;
            }
            for (size_t i = 0; i < dense_.size(); ++i)
                if (dense_[i] != 0)
                    sparse_[static_cast<int32_t>(base_ + static_cast<int64_t>(i))] += dense_[i];
            dense_.clear();
            dense_.shrink_to_fit();
        }
        sparse_[v] += count;
    }

    int64_t base_ = 0;
    std::vector<int64_t> dense_;
    std::unordered_map<int32_t, int64_t> sparse_;
    int64_t total_ = 0;
};

struct Sessions {
    MonteCarloEnd end = MonteCarloEnd::Finished;
    std::string message;
    std::vector<SessionRecord> records;  // by session; valid where done
    std::vector<uint8_t> done;
    std::vector<int64_t> checkpointSteps;
    std::vector<BalanceCounts> fan;  // by checkpoint
    int64_t doneCount = 0;
    double seconds = 0;
};

int threadCount(const MonteCarloSettings& s) {
    int t = s.threads > 0 ? s.threads : static_cast<int>(std::thread::hardware_concurrency());
    return static_cast<int>(std::clamp<int64_t>(t, 1, std::max<int64_t>(s.sessions, 1)));
}

std::optional<std::string> badSettings(const MonteCarloSettings& s) {
    if (s.sessions < 1) return "At least one session is needed";
    if (s.sessions > kMaxSessions) return "At most 10,000,000 sessions can be run at once";
    if (s.spins < 0) return "The number of spins cannot be negative";
    if (s.bankroll < 0) return "The bankroll cannot be negative";
    if (s.stopLoss && *s.stopLoss <= 0) return "The stop-loss must be above 0";
    if (s.takeProfit && *s.takeProfit <= 0) return "The take-profit must be above 0";
    return std::nullopt;
}

// Plays every session of `settings` under `rules`; checkpoints only when asked.
Sessions playSessions(const Strategy& strategy, const MonteCarloSettings& settings, const SessionRules& rules,
                      bool withCheckpoints, const MonteCarloControl& control) {
    Sessions out;
    if (auto bad = badSettings(settings)) {
        out.end = MonteCarloEnd::Failed;
        out.message = *bad;
        return out;
    }
    std::string error;
    const std::optional<CompiledStrategy> compiled =
        CompiledStrategy::compile(strategy, settings.limits, settings.spins, error);
    if (!compiled) {
        out.end = MonteCarloEnd::Failed;
        out.message = error;
        return out;
    }
    const int64_t sessions = settings.sessions;
    out.records.resize(static_cast<size_t>(sessions));
    out.done.assign(static_cast<size_t>(sessions), 0);
    if (withCheckpoints) {
        for (int j = 1; j <= kFanCheckpoints; ++j)
            out.checkpointSteps.push_back((int64_t{j} * settings.spins + kFanCheckpoints - 1) /
                                          kFanCheckpoints);
    }

    std::atomic<int64_t> nextSession{0};
    std::atomic<int64_t> doneCount{0};
    std::atomic<bool> halt{false};
    std::mutex mutex;
    std::condition_variable finished;
    int64_t failedSession = std::numeric_limits<int64_t>::max();
    const int threads = threadCount(settings);
    int running = threads;
    std::vector<std::vector<BalanceCounts>> fans(static_cast<size_t>(threads));
    auto work = [&](std::vector<BalanceCounts>& fan) {
        fan.resize(out.checkpointSteps.size());
        CompiledStrategy runner = *compiled;
        std::array<int32_t, kFanCheckpoints> balances{};
        const std::span<int32_t> cps = withCheckpoints ? std::span<int32_t>(balances) : std::span<int32_t>();
        try {
            for (;;) {
                const int64_t first = nextSession.fetch_add(kSessionsPerGrab, std::memory_order_relaxed);
                if (first >= sessions || halt.load(std::memory_order_relaxed)) break;
                const int64_t last = std::min(first + kSessionsPerGrab, sessions);
                for (int64_t k = first; k < last; ++k) {
                    SessionRandom random(settings.seed, static_cast<uint64_t>(k));
                    try {
                        const SessionRecord r = runner.play(random, rules, out.checkpointSteps, cps, &halt);
                        if (r.end == SessionEnd::Cancelled) break;
                        out.records[k] = r;
                        for (size_t j = 0; j < cps.size(); ++j) fan[j].add(cps[j]);
                        out.done[k] = 1;
                        doneCount.fetch_add(1, std::memory_order_relaxed);
                    } catch (const StrategyRunError& e) {
                        // The earliest failing session speaks, whatever the threads.
                        std::lock_guard lock(mutex);
                        if (k < failedSession) {
                            failedSession = k;
                            out.message = e.what();
                        }
                        halt.store(true);
                    }
                }
            }
        } catch (...) {
            std::lock_guard lock(mutex);
            if (out.message.empty()) out.message = "Not enough memory for the sessions";
            failedSession = -1;
            halt.store(true);
        }
        std::lock_guard lock(mutex);
        --running;
        finished.notify_all();
    };

    const auto start = Clock::now();
    std::vector<std::thread> workers;
    for (auto& fan : fans) workers.emplace_back(work, std::ref(fan));
    auto lastProgress = start;
    bool cancelled = false;
    {
        std::unique_lock lock(mutex);
        while (running > 0) {
            finished.wait_for(lock, kCancelPoll);
            if (control.cancel && control.cancel->load(std::memory_order_relaxed) && !cancelled) {
                cancelled = true;
                halt.store(true);
            }
            if (control.progress && Clock::now() - lastProgress >= control.progressInterval && running > 0) {
                lastProgress = Clock::now();
                lock.unlock();
                control.progress({doneCount.load(std::memory_order_relaxed), sessions});
                lock.lock();
            }
        }
    }
    for (std::thread& t : workers) t.join();
    out.fan = std::move(fans[0]);
    for (size_t t = 1; t < fans.size(); ++t)
        for (size_t j = 0; j < out.fan.size(); ++j) out.fan[j].merge(fans[t][j]);
    out.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    out.doneCount = doneCount.load();
    if (control.progress) control.progress({out.doneCount, sessions});

    if (failedSession != std::numeric_limits<int64_t>::max())
        out.end = MonteCarloEnd::Failed;
    else if (out.doneCount < sessions)
        out.end = MonteCarloEnd::Cancelled;
    return out;
}

// Nearest rank of percent p over n sorted values.
size_t rank(int p, size_t n) {
    const size_t r = (static_cast<size_t>(p) * n + 99) / 100;
    return r == 0 ? 0 : std::min(r, n) - 1;
}

// The values at the given percents (ascending), reordering `v`: each
// selection narrows the range for the next.
template <typename T, size_t N>
std::array<T, N> percentiles(std::vector<T>& v, const std::array<int, N>& percents) {
    std::array<T, N> out{};
    if (v.empty()) return out;
    auto from = v.begin();
    for (size_t i = 0; i < N; ++i) {
        const auto at = v.begin() + static_cast<std::ptrdiff_t>(rank(percents[i], v.size()));
        if (at >= from) {
            std::nth_element(from, at, v.end());
            from = at;
        }
        out[i] = *at;
    }
    return out;
}

double z95() {
    static const double z = boost::math::quantile(boost::math::normal(), 0.975);
    return z;
}

Interval wilson(int64_t hits, int64_t n) {
    if (n == 0) return {};
    const double z = z95(), p = static_cast<double>(hits) / n, nn = static_cast<double>(n);
    const double denom = 1 + z * z / nn;
    const double centre = (p + z * z / (2 * nn)) / denom;
    const double half = z / denom * std::sqrt(p * (1 - p) / nn + z * z / (4 * nn * nn));
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

void summarise(Sessions& s, const MonteCarloSettings& settings, MonteCarloResult& r) {
    const auto sessions = static_cast<size_t>(settings.sessions);
    std::vector<size_t> done;
    done.reserve(static_cast<size_t>(s.doneCount));
    for (size_t k = 0; k < sessions; ++k)
        if (s.done[k]) done.push_back(k);
    const size_t n = done.size();
    r.sessionsDone = static_cast<int64_t>(n);
    r.seconds = s.seconds;

    // Sums in session order, in integers where they are exact.
    int64_t sumFinal = 0, sumLength = 0;
    std::vector<int32_t> finals;
    std::vector<int64_t> lengths, drawdowns;
    finals.reserve(n);
    lengths.reserve(n);
    drawdowns.reserve(n);
    for (size_t k : done) {
        const SessionRecord& rec = s.records[k];
        switch (rec.end) {
            case SessionEnd::Ruined:
                ++r.ruined;
                break;
            case SessionEnd::StopLoss:
                ++r.stopLoss;
                break;
            case SessionEnd::TakeProfit:
                ++r.takeProfit;
                break;
            default:
                ++r.completed;
                break;
        }
        sumFinal += rec.finalBalance;
        sumLength += rec.length;
        r.totalStaked += rec.staked;
        finals.push_back(rec.finalBalance);
        if (settings.keepSessions) r.sessionRows.push_back({static_cast<int64_t>(k), rec});
        lengths.push_back(rec.length);
        drawdowns.push_back(rec.maxDrawdown);
    }
    r.steps = sumLength;
    r.stepsPerSecond = s.seconds > 0 ? static_cast<double>(sumLength) / s.seconds : 0;
    if (n == 0) return;

    const double nn = static_cast<double>(n);
    r.ruinProbability = static_cast<double>(r.ruined) / nn;
    r.ruinCi95 = wilson(r.ruined, static_cast<int64_t>(n));
    r.meanFinal = static_cast<double>(sumFinal) / nn;
    double squares = 0;
    for (int32_t f : finals) squares += (f - r.meanFinal) * (f - r.meanFinal);
    r.sdFinal = n > 1 ? std::sqrt(squares / (nn - 1)) : 0;
    const double half = z95() * r.sdFinal / std::sqrt(nn);
    r.meanFinalCi95 = {r.meanFinal - half, r.meanFinal + half};
    r.evPerUnitStaked =
        r.totalStaked > 0 ? static_cast<double>(sumFinal) / static_cast<double>(r.totalStaked) : 0;
    r.meanLength = static_cast<double>(sumLength) / nn;

    const auto p = percentiles(finals, std::array{1, 5, 25, 50, 75, 95, 99});
    r.finalBalance = {p[0], p[1], p[2], p[3], p[4], p[5], p[6]};
    r.medianLength = percentiles(lengths, std::array{50})[0];
    const auto dd = percentiles(drawdowns, std::array{50, 95});
    r.maxDrawdownP50 = dd[0];
    r.maxDrawdownP95 = dd[1];

    r.fan.resize(s.checkpointSteps.size());
    for (size_t j = 0; j < r.fan.size(); ++j) {
        std::array<int64_t, 5> ranks{};
        const std::array percents{5, 25, 50, 75, 95};
        for (size_t i = 0; i < 5; ++i) ranks[i] = static_cast<int64_t>(rank(percents[i], n));
        const auto q = s.fan[j].atRanks(ranks);
        r.fan[j] = {s.checkpointSteps[j], q[0], q[1], q[2], q[3], q[4]};
    }
}

SessionRules rulesOf(const MonteCarloSettings& s) {
    SessionRules rules;
    rules.spins = s.spins;
    rules.bankroll = s.bankroll;
    rules.hasStopLoss = s.stopLoss.has_value();
    rules.stopLoss = s.stopLoss.value_or(0);
    rules.hasTakeProfit = s.takeProfit.has_value();
    rules.takeProfit = s.takeProfit.value_or(0);
    return rules;
}

}  // namespace

MonteCarloResult runMonteCarlo(const Strategy& strategy, const MonteCarloSettings& settings,
                               const MonteCarloControl& control) {
    MonteCarloResult r;
    r.sessionsRequested = settings.sessions;
    Sessions s = playSessions(strategy, settings, rulesOf(settings), true, control);
    r.end = s.end;
    r.message = s.message;
    if (s.end == MonteCarloEnd::Failed) return r;
    summarise(s, settings, r);
    return r;
}

BankrollSearch bankrollForRisk(const Strategy& strategy, const MonteCarloSettings& settings,
                               double targetRisk, const MonteCarloControl& control) {
    BankrollSearch out;
    if (!(targetRisk >= 0 && targetRisk < 1)) {
        out.end = MonteCarloEnd::Failed;
        out.message = "The target risk of ruin must be at least 0 and below 1";
        return out;
    }
    // With a bankroll no session can exhaust, each session tells the
    // smallest bankroll that would have carried it to its end: its bets do
    // not depend on the bankroll, so it is ruined by any smaller one and by
    // no larger one. Every bankroll tried below meets exactly these sessions.
    SessionRules rules = rulesOf(settings);
    rules.bankroll = std::numeric_limits<int64_t>::max() / 4;
    Sessions s = playSessions(strategy, settings, rules, false, control);
    out.end = s.end;
    out.message = s.message;
    if (s.end == MonteCarloEnd::Failed) return out;

    std::vector<int64_t> needed;
    for (size_t k = 0; k < s.done.size(); ++k)
        if (s.done[k]) needed.push_back(s.records[k].bankrollNeeded);
    out.sessionsDone = static_cast<int64_t>(needed.size());
    if (needed.empty()) return out;

    int32_t chip = std::numeric_limits<int32_t>::max();
    for (int c = 0; c < kPayoutClassCount; ++c)
        chip = std::min(chip, settings.limits.min(static_cast<PayoutClass>(c)));
    chip = std::max(chip, 1);
    const auto n = static_cast<double>(needed.size());
    auto riskWith = [&](int64_t bankroll) {
        const auto ruined =
            std::count_if(needed.begin(), needed.end(), [&](int64_t b) { return b > bankroll; });
        return static_cast<double>(ruined) / n;
    };
    // Chips lo fail the target (or lo = 0), chips hi meet it.
    const int64_t most = *std::max_element(needed.begin(), needed.end());
    int64_t lo = 0, hi = std::max<int64_t>(1, (most + chip - 1) / chip);
    if (riskWith(chip) <= targetRisk) hi = 1;
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        (riskWith(mid * chip) <= targetRisk ? hi : lo) = mid;
    }
    out.bankroll = hi * chip;
    out.risk = riskWith(out.bankroll);
    return out;
}

}  // namespace kv
