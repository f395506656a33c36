#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/game_state.h"
#include "strategy/interpreter.h"
#include "strategy/strategy_file.h"
#include "strategy/strategy_test_util.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class StrategyFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kv_stg_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string bytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void write(const fs::path& p, const std::string& content) {
        std::ofstream(p, std::ios::binary) << content;
    }
    fs::path dir_;
};

TEST(StrategyFileName, OnlyAnExactLowerCaseExtensionIsKept) {
    EXPECT_EQ(strategyFileName("/a/b.stg"), "/a/b.stg");
    EXPECT_EQ(strategyFileName("b.STG"), "b.STG.stg");
    EXPECT_EQ(strategyFileName("stg"), "stg.stg");
    EXPECT_EQ(strategyFileName(".stg"), ".stg");
}

TEST_F(StrategyFile, SaveWritesCrLfAndLoadReadsAnyLineEnd) {
    const test::Lines lines = {"' note", "", "BET 1 v The sum of the bet", "", "ALWAYS", "------"};
    const StrategyFileResult saved = saveStrategyLines((dir_ / "mine").string(), lines);
    ASSERT_EQ(saved.status, StrategyFileStatus::Ok);
    EXPECT_EQ(saved.path, dir_ / "mine.stg");
    EXPECT_EQ(bytes(dir_ / "mine.stg"),
              "' note\r\n\r\nBET 1 v The sum of the bet\r\n\r\nALWAYS\r\n------\r\n");
    EXPECT_FALSE(fs::exists(dir_ / "mine.stg.tmp"));
    EXPECT_EQ(loadStrategyLines(dir_ / "mine.stg").lines, lines);

    write(dir_ / "mixed.stg", "a\nb\rc\r\n\r\nd");
    EXPECT_EQ(loadStrategyLines(dir_ / "mixed.stg").lines, (test::Lines{"a", "b", "c", "", "d"}));
    write(dir_ / "crcr.stg", "a\r\r\nb\n\n");
    EXPECT_EQ(loadStrategyLines(dir_ / "crcr.stg").lines, (test::Lines{"a", "", "b", ""}));

    EXPECT_EQ(loadStrategyLines(dir_ / "missing.stg").status, StrategyFileStatus::CannotOpen);
}

TEST_F(StrategyFile, LimitsHoldForBothSaveAndLoad) {
    test::Lines many(kMaxStrategyLines + 1, "' x");
    const StrategyFileResult saved = saveStrategyLines((dir_ / "big.stg").string(), many);
    EXPECT_EQ(saved.status, StrategyFileStatus::Failed);
    EXPECT_FALSE(fs::exists(dir_ / "big.stg"));

    std::string content;
    for (int i = 0; i < kMaxStrategyLines + 5; ++i) content += "' x\r\n";
    write(dir_ / "big.stg", content);
    const StrategyFileResult loaded = loadStrategyLines(dir_ / "big.stg");
    EXPECT_EQ(loaded.status, StrategyFileStatus::Failed);
    EXPECT_TRUE(loaded.lines.empty());
    content.resize(content.size() - 5 * 5);
    write(dir_ / "big.stg", content);
    EXPECT_EQ(loadStrategyLines(dir_ / "big.stg").lines.size(), static_cast<size_t>(kMaxStrategyLines));
}

TEST_F(StrategyFile, ARefusedWriteKeepsThePreviousFile) {
    ASSERT_EQ(saveStrategyLines((dir_ / "keep.stg").string(), {"first"}).status, StrategyFileStatus::Ok);
    fs::create_directory(dir_ / "keep.stg.tmp");  // the temporary file cannot be created
    EXPECT_NE(saveStrategyLines((dir_ / "keep.stg").string(), {"second"}).status, StrategyFileStatus::Ok);
    EXPECT_EQ(bytes(dir_ / "keep.stg"), "first\r\n");
}

TEST_F(StrategyFile, TheTesterReaderReadsAFileOrReportsTheLine) {
    write(dir_ / "bad.stg", "\r\nBET 1 v\r\n\r\nALWAYS\r\n------\r\nBETS PINK // 1 x\r\n");
    const StrategyFileRead bad = loadStrategyFile(dir_ / "bad.stg");
    EXPECT_EQ(bad.status, StrategyFileStatus::Failed);
    EXPECT_EQ(bad.message.rfind("Line 6: ", 0), 0u) << bad.message;

    write(dir_ / "good.stg", "\nBET 3 v\n\nALWAYS\n------\nBETS ODD // 1 x\n");
    const StrategyFileRead good = loadStrategyFile(dir_ / "good.stg");
    ASSERT_EQ(good.status, StrategyFileStatus::Ok) << good.message;
    EXPECT_EQ(good.strategy.op(1).target, "ODD");
}

TEST(ExampleStrategies, ReadBackAsWrittenAndRun) {
    const fs::path folder = fs::path(KV_SOURCE_DIR) / "data" / "strategies";
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".stg") continue;
        ++seen;
        SCOPED_TRACE(entry.path().filename().string());
        const StrategyFileResult file = loadStrategyLines(entry.path());
        ASSERT_EQ(file.status, StrategyFileStatus::Ok);
        StrategyRead read = readStrategyText(file.lines);
        ASSERT_TRUE(read.ok) << read.error.text();
        EXPECT_EQ(StrategyText(read.strategy), file.lines);

        GameState g;
        g.rng.setSeed(7);
        Interpreter run;
        const RunResult r = run.Run(read.strategy, g, false, 2000);
        EXPECT_EQ(r.end, RunEnd::Finished) << r.message;
        EXPECT_GT(run.NextBets().sum(), 0);
    }
    EXPECT_GE(seen, 5);
}

}  // namespace
}  // namespace kv
