// The Monte Carlo window's own file (montecarlo.ini), the reading of its
// fields into a run, and the histogram of the final balances it draws.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "strategy/monte_carlo_report.h"
#include "strategy/monte_carlo_settings.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(MonteCarloSettingsFile, FieldsComeBackAsTheyWereLeft) {
    const fs::path dir = fs::path(testing::TempDir()) / "kv_montecarlo_ini";
    fs::create_directories(dir);
    const fs::path file = dir / kMonteCarloSettingsFileName;

    MonteCarloFields f;
    f.strategy = "/home/p/my = best.stg";  // an "=" of its own stays in the value
    f.spins = "12x";                       // a half-typed value is kept, not judged
    f.bankroll = "";
    f.takeProfit = "400";
    f.seed = "18446744073709551615";
    f.targetRisk = "0,5";
    ASSERT_TRUE(writeMonteCarloFields(file, f).ok());
    EXPECT_EQ(readMonteCarloFields(file), f);

    // Lines end in LF or CR as well; unknown keys are skipped and missing
    // ones keep their defaults.
    std::ofstream(file, std::ios::binary) << "sessions=77\nfuture_key=1\rjunk\nthreads=2";
    MonteCarloFields expected;
    expected.sessions = "77";
    expected.threads = "2";
    EXPECT_EQ(readMonteCarloFields(file), expected);
    EXPECT_EQ(readMonteCarloFields(dir / "missing.ini"), std::nullopt);
}

TEST(MonteCarloSettingsFile, FieldsBecomeTheRunTheyDescribe) {
    const struct {
        std::string MonteCarloFields::*field;
        const char* value;
        std::string error;
    } cases[] = {
        {&MonteCarloFields::sessions, "1e3", "Sessions: '1e3' is not a valid integer value"},
        {&MonteCarloFields::stopLoss, "-", "Stop-loss: '-' is not a valid integer value"},
        {&MonteCarloFields::seed, "-1", "Seed: '-1' is not a valid integer value"},
        {&MonteCarloFields::targetRisk, "1 %", "Target risk: '1 %' is not a valid number"},
    };
    TableLimits limits;
    for (const auto& c : cases) {
        MonteCarloFields f;
        f.*c.field = c.value;
        EXPECT_EQ(monteCarloRequest(f, limits).error, c.error);
    }
    limits.v[0] = 7;
    MonteCarloFields f;
    f.stopLoss = " 300 ";
    f.targetRisk = "1,5";
    const MonteCarloRequest r = monteCarloRequest(f, limits);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.settings.stopLoss, 300);
    EXPECT_DOUBLE_EQ(r.targetRisk.value_or(0), 0.015);
    EXPECT_TRUE(r.settings.keepSessions);  // the window exports and draws every session
}

TEST(MonteCarloReport, EveryFinalBalanceFallsInTheBinThatCoversIt) {
    std::vector<SessionRow> rows;
    for (int32_t b : {-1000, -995, -5, 0, 0, 35, 36, 999}) rows.push_back({0, {SessionEnd::Completed, b}});
    for (int maxBins : {1, 7, 40, 5000}) {
        const BalanceHistogram h = finalBalanceHistogram(rows, maxBins);
        ASSERT_GE(h.counts.size(), 1u);
        EXPECT_LE(h.counts.size(), static_cast<size_t>(maxBins));
        EXPECT_EQ(h.low, -1000);
        std::vector<int64_t> counted(h.counts.size(), 0);
        for (const SessionRow& r : rows) {
            const int64_t bin = (r.record.finalBalance - h.low) / h.width;
            ASSERT_LT(bin, static_cast<int64_t>(h.counts.size()));
            ++counted[static_cast<size_t>(bin)];
        }
        EXPECT_EQ(counted, h.counts) << maxBins;
    }
}

}  // namespace
}  // namespace kv
