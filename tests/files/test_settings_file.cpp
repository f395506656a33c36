#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "files/files_test_util.h"
#include "files/settings_file.h"

using namespace kv;
using kvtest::readAll;
using kvtest::TempDir;
using kvtest::writeAll;

namespace {

void appendLE(std::string& out, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

int32_t leAt(const std::string& s, size_t off) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<unsigned char>(s[off + i])) << (8 * i);
    return static_cast<int32_t>(u);
}

// Where the binary part starts by the format's own rule: after the first
// 4-byte unit of the file that is "####".
size_t naiveBinaryStart(const std::string& file) {
    for (size_t u = 0; u + 4 <= file.size(); u += 4) {
        if (std::memcmp(file.data() + u, "####", 4) == 0) return u + 4;
    }
    return std::string::npos;
}

// The text lines of a file written by hand from the line table, with the
// strategy list and queue given; every other value is plain.
std::vector<std::string> handLines(const std::vector<std::string>& strategies, const std::vector<int>& queue,
                                   int spinCount) {
    std::vector<std::string> l;
    const int limits[14] = {5, 300, 2, 250, 1, 150, 1, 100, 1, 75, 1, 50, 1, 25};
    for (int v : limits) l.push_back(std::to_string(v));  // 1..14
    // 15, online, sound, rotate mode, Balance, Credit
    for (const char* v : {"500", "true", "false", "QR", "-480", "470"}) l.push_back(v);
    l.push_back(std::to_string(spinCount));                                  // 21
    for (const char* v : {"3", "1", "4", "8", "5", "2"}) l.push_back(v);     // 22..27
    for (const char* v : {"32", "7", "9", "33", "6", "25"}) l.push_back(v);  // 28..33
    for (int i = 0; i < 6; ++i) l.push_back(i % 2 ? "true" : "false");       // 34..39
    for (const char* v : {"10", "0,5", "3"}) l.push_back(v);                 // 40..42
    for (int i = 1; i <= 61; ++i) {                                          // 43..164
        l.push_back(std::to_string(i * 1000));
        l.push_back(i % 3 ? "true" : "false");
    }
    l.push_back(std::to_string(strategies.size()));  // 165
    for (const auto& s : strategies) l.push_back(s);
    for (const char* v : {"true", "250", "250", "250"}) l.push_back(v);  // b..b+3
    for (int i = 0; i < 19; ++i) {                                       // b+4..b+41
        l.push_back(std::to_string(100 + i));
        l.push_back(std::to_string(200 + i));
    }
    for (int i = 0; i < 19; ++i) {  // b+42..b+79
        l.push_back(std::to_string(300 + i));
        l.push_back(std::to_string(400 + i));
    }
    for (int i = 0; i < 17; ++i) l.push_back(i == 2 ? "true" : "false");  // b+80..b+96
    for (const char* v : {"1", "40", "2"}) l.push_back(v);                // b+97..b+99
    for (int i = 0; i < 7; ++i) l.push_back(std::to_string(i % 2));       // b+100..b+106
    for (const char* v : {"4", "3", "0", "0,75", "2"}) l.push_back(v);    // b+107..b+111
    for (int i = 0; i < 6; ++i) l.push_back("0.3");                       // b+112..b+117
    for (int i = 0; i < 13; ++i) l.push_back(std::to_string(i % 2));      // b+118..b+130
    for (int i = 0; i < 6; ++i) l.push_back(std::to_string(30 + i));      // b+131..b+136
    l.push_back("1");                                                     // b+137
    l.push_back(std::to_string(queue.size()));                            // b+138
    for (int q : queue) l.push_back(std::to_string(q));
    l.push_back("0");  // b+139+Q
    return l;
}

// The file as the format's writer makes it: text lines, the marker line, and
// the binary part written over the marker after its first "####" unit.
std::string handFile(const std::vector<std::string>& lines, int spinCount, const std::string& eol = "\r\n") {
    std::string f;
    for (const auto& l : lines) f += l + eol;
    f += "########" + eol;
    f.resize(naiveBinaryStart(f));
    const int m = std::max(spinCount, 10) + 1;
    for (int k = 1; k <= m; ++k) appendLE(f, k % 37);
    for (int k = 1; k <= m; ++k)
        for (int i = 0; i < 208; ++i) appendLE(f, i == 0 ? k : 0);
    for (int k = 1; k <= m; ++k) appendLE(f, -k);
    return f;
}

}  // namespace

TEST(SettingsFile, BinaryPartSizes) {
    TempDir dir;
    GameState g;
    g.NewGame();
    const Settings s;
    ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());
    std::string f = readAll(dir / "info.ini");
    size_t start = naiveBinaryStart(f);
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(f.size() - start, 9240u);  // 11 x (1 + 208 + 1) x 4
    // The last text line is 4 to 7 "#" directly followed by the binary data.
    const size_t lineStart = f.rfind("\r\n", start) + 2;
    EXPECT_GE(start - lineStart, 4u);
    EXPECT_LE(start - lineStart, 7u);
    EXPECT_EQ(f.substr(lineStart, start - lineStart), std::string(start - lineStart, '#'));

    std::mt19937 rng(5);
    kvtest::fillRandomGame(g, rng, 25);
    ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());
    f = readAll(dir / "info.ini");
    start = naiveBinaryStart(f);
    EXPECT_EQ(f.size() - start, 26u * 210u * 4u);
    // Block 1 holds the numbers newest first, block 3 the results oldest first.
    EXPECT_EQ(leAt(f, start), g.SpinHistory(1));
    EXPECT_EQ(leAt(f, start + 4 * 25), g.SpinHistory(26));
    EXPECT_EQ(leAt(f, start + 4 * 26 + 4 * 208 * 26), g.ResultHistory(1));
    const BetGrid& bets2 = g.SpinBets(2);
    for (int i = 0; i < 208; ++i) ASSERT_EQ(leAt(f, start + 4 * 26 + 4 * 208 + 4 * i), bets2.v[i]);
}

TEST(SettingsFile, LinePlacesAndForms) {
    GameState g;
    g.NewGame();
    g.RotateMode = RotateModeKind::Quick;
    Settings s;
    s.StrategyList = {"a.stg", "b.stg", "c.stg"};
    s.MainWindow.left = 4321;
    const auto lines = kvtest::crlfLines(settingsTextPart(captureSavedGame(g), s));
    EXPECT_EQ(lines[17], "QR");
    EXPECT_EQ(lines[172], "4321");              // line 173
    EXPECT_EQ(lines.size(), 165u + 3u + 141u);  // lines b .. b+140 with Q = 0, marker included
}

TEST(SettingsFile, ReadsHandWrittenFiles) {
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        // A loaded number list may queue bytes that are no roulette number.
        const auto lines = handLines({"one.stg", "two words.stg", "x"}, {0, 36, 7, 44, 255}, 25);
        const std::string file = handFile(lines, 25, eol);
        InputFile in;
        in.openMemory(file);
        SettingsFileData d;
        const auto st = readSettingsFile(in, d);
        ASSERT_TRUE(st.ok()) << st.message();
        EXPECT_EQ(d.game.RotateMode, RotateModeKind::Quick);
        EXPECT_EQ(d.game.Balance, -480);
        EXPECT_EQ(d.settings.CalcClosingDownturnFactor, "0,5");
        EXPECT_EQ(d.settings.StrategyList, (std::vector<std::string>{"one.stg", "two words.stg", "x"}));
        EXPECT_EQ(d.settings.MainWindow.left, 100);
        EXPECT_EQ(d.game.OnlineQueue, (std::vector<uint8_t>{0, 36, 7, 44, 255}));
        ASSERT_EQ(d.history.positions(), 26);
        EXPECT_EQ(d.history.results[26], -26);
    }
}

TEST(SettingsFile, ValueFormsWhenRead) {
    auto lines = handLines({}, {}, 0);
    lines[17] = "qr";    // lower case: Don't Rotate
    lines[16] = "True";  // a capital T is off
    lines[18] = "";      // line 19 reads 0
    lines[26] = "";      // line 27 reads 1
    lines[21] = "40";    // a WheelAngle off the wheel is brought back when applied
    InputFile in;
    const std::string file = handFile(lines, 0);
    in.openMemory(file);
    SettingsFileData d;
    ASSERT_TRUE(readSettingsFile(in, d).ok());
    EXPECT_EQ(d.game.RotateMode, RotateModeKind::DontRotate);
    EXPECT_FALSE(d.settings.Sound);
    EXPECT_EQ(d.game.Balance, 0);
    EXPECT_EQ(d.game.RandomDepth, 1);
    GameState g;
    Settings s;
    applySettingsFile(std::move(d), g, s);
    EXPECT_EQ(g.WheelAngle, 3);
}

TEST(SettingsFile, HashesInTextValuesNeverMisleadTheScan) {
    TempDir dir;
    std::mt19937 rng(9);
    GameState g;
    kvtest::fillRandomGame(g, rng, 12);
    const std::vector<std::string> values = {"####", "#####",     "########",    "a####b",
                                             "##",   "x#######y", "############"};
    std::string Settings::*const textFields[] = {&Settings::CalcClosingStatisticNumbers,
                                                 &Settings::GraphicsSpins};
    // Text fields before and after the list, every value, every alignment (a prefix of 0..3 bytes
    // in the first strategy name shifts all later lines).
    for (int field = 0; field < 4; ++field) {
        for (const auto& v : values) {
            for (int shift = 0; shift < 4; ++shift) {
                Settings s;
                s.StrategyList = {std::string(static_cast<size_t>(shift), 'p') + "s.stg"};
                if (field < 2)
                    s.*textFields[field] = v;
                else if (field == 2)
                    s.CalcSliderLabels[3] = v;
                else
                    s.StrategyList[0] = v + s.StrategyList[0];
                ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());
                const std::string f = readAll(dir / "info.ini");
                const size_t start = naiveBinaryStart(f);
                ASSERT_EQ(f.size() - start, 13u * 210 * 4) << field << v << shift;
                SettingsFileData d;
                ASSERT_TRUE(readSettingsFile(dir / "info.ini", d).ok());
                // Only "#" that sat on a 4-byte unit were changed, to "_".
                EXPECT_EQ(d.settings.StrategyList.size(), s.StrategyList.size());
                EXPECT_EQ(d.settings.PadMode, s.PadMode);
            }
        }
    }
    // Values without four "#" on one unit come back exactly.
    Settings s;
    s.StrategyList = {"a#b", "###", "#"};
    s.CalcErrors = "##";
    ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());
    SettingsFileData d;
    ASSERT_TRUE(readSettingsFile(dir / "info.ini", d).ok());
    EXPECT_TRUE(d.settings == s);
}

TEST(SettingsFile, HandWrittenHashesAreReadByTheirLines) {
    // A file written by hand may hold "####" on a unit inside a text value;
    // the reader finds the binary part from the marker line, not from it.
    for (int shift = 0; shift < 4; ++shift) {
        auto lines = handLines({std::string(static_cast<size_t>(shift), 'p') + "########"}, {}, 0);
        std::string f;
        for (const auto& l : lines) f += l + "\r\n";
        const size_t marker = f.size();
        f += "########";
        f.resize((marker + 3) / 4 * 4 + 4);
        for (int k = 1; k <= 11 * 210; ++k) appendLE(f, k <= 11 ? 5 : 0);
        InputFile in;
        in.openMemory(f);
        SettingsFileData d;
        ASSERT_TRUE(readSettingsFile(in, d).ok());
        EXPECT_EQ(d.settings.StrategyList[0].size(), static_cast<size_t>(shift) + 8);
        EXPECT_EQ(d.history.spins.number(11), 5);
    }
}

TEST(SettingsFile, DamagedFilesAreRefusedWholly) {
    const auto good = handLines({"s.stg"}, {1, 2}, 3);
    auto withLine = [&](size_t i, const std::string& v) {
        auto l = good;
        l[i] = v;
        return handFile(l, 3);
    };
    const std::string full = handFile(good, 3);
    struct Case {
        std::string bytes;
        std::string message;
    };
    const std::vector<Case> cases = {
        {withLine(0, "five"), "'five' is not a valid integer value"},
        {withLine(20, "-1"), "'-1' is not a valid spin count"},
        {withLine(164, "-2"), "'-2' is not a valid count"},
        {withLine(164, "2000000000"), ""},
        {withLine(166 + 138, "10000"), "'10000' is not a valid count"},
        {withLine(166 + 139, "256"), "'256' is not a queued number"},
        {full.substr(0, full.size() - 1), "I/O error 100"},  // short binary part
        {full.substr(0, full.size() / 2), "I/O error 100"},
        {handFile(handLines({}, {}, 9999999), 0), "I/O error 100"},
        {"", "'' is not a valid integer value"},
        {full.substr(0, naiveBinaryStart(full) - 4) + "#_##" + full.substr(naiveBinaryStart(full)), ""},
    };
    for (const auto& c : cases) {
        InputFile in;
        in.openMemory(c.bytes);
        SettingsFileData d;
        d.game.Balance = 99;
        const auto st = readSettingsFile(in, d);
        ASSERT_FALSE(st.ok());
        if (!c.message.empty()) {
            EXPECT_EQ(st.message(), c.message);
        }
        EXPECT_EQ(d.game.Balance, 99);
        EXPECT_EQ(d.history.positions(), 0);
    }
}

TEST(LastGame, DamagedFileIsKeptBesideAndReported) {
    TempDir dir;
    const auto lines = handLines({}, {}, 3);
    std::string bytes = handFile(lines, 3);
    bytes.resize(bytes.size() - 10);
    writeAll(dir / "info.ini", bytes);
    writeAll(dir / "info.damaged.ini", "older copy");

    GameState g;
    Settings s;
    const auto r = LoadSettings(dir / "info.ini", g, s);
    EXPECT_EQ(r.outcome, LastGameLoad::Outcome::Damaged);
    EXPECT_EQ(r.error.message(), "I/O error 100");
    EXPECT_EQ(r.damagedCopy, dir / "info.damaged-2.ini");
    EXPECT_EQ(readAll(r.damagedCopy), bytes);
    EXPECT_EQ(readAll(dir / "info.damaged.ini"), "older copy");
    EXPECT_FALSE(std::filesystem::exists(dir / "info.ini"));
    EXPECT_NE(r.message.find(r.damagedCopy.string()), std::string::npos);
    EXPECT_NE(r.message.find("I/O error 100"), std::string::npos);
}

TEST(LastGame, LoadedGameReplacesTheState) {
    TempDir dir;
    std::mt19937 rng(77);
    GameState g;
    kvtest::fillRandomGame(g, rng, 1700);
    g.TableLimits.v[3] = 777;
    g.InputCredits = 31000;
    g.RotateMode = RotateModeKind::DontRotate;
    g.ChipValue = 25;
    g.RandomDepth = 40;
    for (int n : {36, 0, 17}) g.queuePush(n);
    Settings s;
    s.OnlineGame = true;
    s.window(WindowId::Graphics) = {11, 22, 333, 444, true};
    s.StrategyList = {"martingale.stg", "x#y.stg"};
    s.CalcSliderLabels[2] = "1,5";
    s.SectorBounds[4] = -123456;
    ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());

    GameState back;
    kvtest::fillRandomGame(back, rng, 3000);
    Settings sb;
    const auto r = LoadSettings(dir / "info.ini", back, sb);
    ASSERT_EQ(r.outcome, LastGameLoad::Outcome::Loaded);
    EXPECT_TRUE(sb == s);
    EXPECT_EQ(back.SpinCount, 1700);
    EXPECT_EQ(back.OnlineQueue, g.OnlineQueue);
    kvtest::expectSameHistory(g, back, 1701);
    // Writing what was read gives the same file.
    ASSERT_TRUE(SaveSettings(dir / "again.ini", back, sb).ok());
    EXPECT_TRUE(readAll(dir / "again.ini") == readAll(dir / "info.ini"));
}
