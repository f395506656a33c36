#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "files/settings_file.h"
#include "files_test_util.h"

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
    for (int v : limits) l.push_back(std::to_string(v));          // 1..14
    l.push_back("500");                                            // 15
    l.push_back("true");                                           // 16 online
    l.push_back("false");                                          // 17 sound
    l.push_back("QR");                                             // 18
    l.push_back("-480");                                           // 19 Balance
    l.push_back("470");                                            // 20 Credit
    l.push_back(std::to_string(spinCount));                        // 21
    for (const char* v : {"3", "1", "4", "8", "5", "2"}) l.push_back(v);  // 22..27
    for (const char* v : {"32", "7", "9", "33", "6", "25"}) l.push_back(v);  // 28..33
    for (int i = 0; i < 6; ++i) l.push_back(i % 2 ? "true" : "false");      // 34..39
    l.push_back("10");
    l.push_back("0,5");
    l.push_back("3");                                              // 40..42
    for (int i = 1; i <= 61; ++i) {                                // 43..164
        l.push_back(std::to_string(i * 1000));
        l.push_back(i % 3 ? "true" : "false");
    }
    l.push_back(std::to_string(strategies.size()));               // 165
    for (const auto& s : strategies) l.push_back(s);
    l.push_back("true");                                           // b
    l.push_back("250");
    l.push_back("250");
    l.push_back("250");                                            // b+1..b+3
    for (int i = 0; i < 19; ++i) {                                 // b+4..b+41
        l.push_back(std::to_string(100 + i));
        l.push_back(std::to_string(200 + i));
    }
    for (int i = 0; i < 19; ++i) {                                 // b+42..b+79
        l.push_back(std::to_string(300 + i));
        l.push_back(std::to_string(400 + i));
    }
    for (int i = 0; i < 17; ++i) l.push_back(i == 2 ? "true" : "false");  // b+80..b+96
    l.push_back("1");
    l.push_back("40");
    l.push_back("2");                                              // b+97..b+99
    for (int i = 0; i < 7; ++i) l.push_back(std::to_string(i % 2));        // b+100..b+106
    l.push_back("4");
    l.push_back("3");                                              // b+107, b+108
    l.push_back("0");
    l.push_back("0,75");
    l.push_back("2");                                              // b+109..b+111
    for (int i = 0; i < 6; ++i) l.push_back("0.3");                // b+112..b+117
    for (int i = 0; i < 13; ++i) l.push_back(std::to_string(i % 2));       // b+118..b+130
    for (int i = 0; i < 6; ++i) l.push_back(std::to_string(30 + i));       // b+131..b+136
    l.push_back("1");                                              // b+137
    l.push_back(std::to_string(queue.size()));                    // b+138
    for (int q : queue) l.push_back(std::to_string(q));
    l.push_back("0");                                              // b+139+Q
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

Settings randomSettings(std::mt19937& rng) {
    auto text = [&] {
        // Any byte but the line ends, "#" often.
        std::string s;
        const int n = std::uniform_int_distribution<int>(0, 12)(rng);
        for (int i = 0; i < n; ++i) {
            int b = std::uniform_int_distribution<int>(0, 255)(rng);
            if (b == '\r' || b == '\n' || b % 7 == 0) b = '#';
            s.push_back(static_cast<char>(b));
        }
        return s;
    };
    auto i32 = [&] { return std::uniform_int_distribution<int32_t>(INT32_MIN, INT32_MAX)(rng); };
    auto flag = [&] { return std::uniform_int_distribution<int>(0, 1)(rng) == 1; };
    Settings s;
    s.OnlineGame = flag();
    s.Sound = flag();
    for (auto& v : s.SectorBounds) v = i32();
    for (auto& v : s.CalcClosingCategories) v = flag();
    s.CalcClosingStatisticNumbers = text();
    s.CalcClosingDownturnFactor = text();
    s.CalcClosingErrors = text();
    for (auto& v : s.ChartColors) v = i32();
    for (auto& v : s.ChartShown) v = flag();
    s.StrategyList.clear();
    const int l = std::uniform_int_distribution<int>(0, 5)(rng);
    for (int i = 0; i < l; ++i) s.StrategyList.push_back(text());
    s.NoEffectFlag = flag();
    s.TestStrategySpins = text();
    s.MainWindow = {i32(), i32(), i32(), i32(), false};
    for (auto& w : s.Windows) w = {i32(), i32(), i32(), i32(), flag()};
    s.Windows[17].shown = false;  // Minimize 2 has no shown flag
    s.GraphicsPage = i32();
    s.GraphicsSpins = text();
    s.ForestMode = i32();
    for (auto& v : s.ChartChecks) v = i32();
    s.NumbersBaffle = i32();
    s.StreetsBaffle = i32();
    s.CalcStatisticNumbers = text();
    s.CalcDownturnFactor = text();
    s.CalcErrors = text();
    for (auto& v : s.CalcSliderLabels) v = text();
    for (auto& v : s.CalcCategories) v = i32();
    for (auto& v : s.CalcBetAlways) v = i32();
    s.CalcRandomPlay = i32();
    for (auto& v : s.CalcSliders) v = i32();
    s.PadOrientation = i32();
    s.PadMode = i32();
    return s;
}

void randomGameValues(GameState& g, std::mt19937& rng) {
    for (auto& v : g.TableLimits.v) v = std::uniform_int_distribution<int32_t>(1, 10000)(rng);
    g.InputCredits = std::uniform_int_distribution<int32_t>(1, 32000)(rng);
    g.RotateMode = static_cast<RotateModeKind>(std::uniform_int_distribution<int>(0, 2)(rng));
    g.ChipValue = std::uniform_int_distribution<int32_t>(1, 100)(rng);
    g.RandomDepth = std::uniform_int_distribution<int32_t>(1, 50)(rng);
    g.OnlineQueue.clear();
    const int q = std::uniform_int_distribution<int>(0, 30)(rng);
    for (int i = 0; i < q; ++i) g.queuePush(std::uniform_int_distribution<int>(0, 36)(rng));
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
    EXPECT_EQ(lines[15], "false");
    EXPECT_EQ(lines[164], "3");
    EXPECT_EQ(lines[172], "4321");  // line 173
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
        EXPECT_TRUE(d.settings.OnlineGame);
        EXPECT_FALSE(d.settings.Sound);
        EXPECT_EQ(d.game.Balance, -480);
        EXPECT_EQ(d.game.SpinCount, 25);
        EXPECT_EQ(d.game.RandomDepth, 2);
        EXPECT_EQ(d.settings.CalcClosingDownturnFactor, "0,5");
        EXPECT_EQ(d.settings.ChartColors[60], 61000);
        EXPECT_FALSE(d.settings.ChartShown[2]);
        EXPECT_EQ(d.settings.StrategyList, (std::vector<std::string>{"one.stg", "two words.stg", "x"}));
        EXPECT_TRUE(d.settings.NoEffectFlag);
        EXPECT_EQ(d.settings.TestStrategySpins, "250");
        EXPECT_EQ(d.settings.MainWindow.left, 100);
        EXPECT_EQ(d.settings.window(WindowId::Minimize2).top, 218);
        EXPECT_EQ(d.settings.MainWindow.width, 300);
        EXPECT_EQ(d.settings.window(WindowId::Minimize2).height, 418);
        EXPECT_TRUE(d.settings.window(WindowId::Statistic).shown);
        EXPECT_FALSE(d.settings.window(WindowId::Properties).shown);
        EXPECT_EQ(d.settings.GraphicsSpins, "40");
        EXPECT_EQ(d.settings.CalcSliders[5], 35);
        EXPECT_EQ(d.settings.PadOrientation, 1);
        EXPECT_EQ(d.game.OnlineQueue, (std::vector<uint8_t>{0, 36, 7, 44, 255}));
        EXPECT_EQ(d.settings.PadMode, 0);
        ASSERT_EQ(d.history.size(), 26u);
        EXPECT_EQ(d.history[0].number, 1);
        EXPECT_EQ(d.history[25].bets.v[0], 26);
        EXPECT_EQ(d.history[25].result, -26);
    }
}

TEST(SettingsFile, ValueFormsWhenRead) {
    auto lines = handLines({}, {}, 0);
    lines[17] = "qr";      // lower case: Don't Rotate
    lines[16] = "True";    // a capital T is off
    for (int i = 18; i <= 25; ++i) lines[i] = "";  // lines 19..26 read 0
    lines[26] = "";        // line 27 reads 1
    InputFile in;
    const std::string file = handFile(lines, 0);
    in.openMemory(file);
    SettingsFileData d;
    ASSERT_TRUE(readSettingsFile(in, d).ok());
    EXPECT_EQ(d.game.RotateMode, RotateModeKind::DontRotate);
    EXPECT_FALSE(d.settings.Sound);
    EXPECT_EQ(d.game.Balance, 0);
    EXPECT_EQ(d.game.SpinCount, 0);
    EXPECT_EQ(d.game.BallPocket, 0);
    EXPECT_EQ(d.game.ChipValue, 0);
    EXPECT_EQ(d.game.RandomDepth, 1);
    EXPECT_EQ(d.history.size(), 11u);
}

TEST(SettingsFile, RoundTripOfRandomSettingsAndGames) {
    TempDir dir;
    std::mt19937 rng(2024);
    int exact = 0;
    for (int round = 0; round < 40; ++round) {
        GameState g;
        kvtest::fillRandomGame(g, rng, std::uniform_int_distribution<int>(0, round < 35 ? 40 : 1600)(rng));
        randomGameValues(g, rng);
        const Settings s = randomSettings(rng);
        ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());
        const std::string file = readAll(dir / "info.ini");
        SettingsFileData d;
        ASSERT_TRUE(readSettingsFile(dir / "info.ini", d).ok());
        const bool alignedHashes = settingsTextPart(captureSavedGame(g), s).find("#_") != std::string::npos;
        if (!alignedHashes) {
            EXPECT_TRUE(d.settings == s) << round;
            ++exact;
        }
        EXPECT_TRUE(d.game == captureSavedGame(g));

        GameState back;
        Settings sb;
        applySettingsFile(std::move(d), back, sb);
        EXPECT_EQ(back.SpinCount, g.SpinCount);
        kvtest::expectSameHistory(g, back, std::max(g.SpinCount, 10) + 1);
        // Writing what was read gives the same file.
        ASSERT_TRUE(SaveSettings(dir / "again.ini", back, sb).ok());
        const std::string again = readAll(dir / "again.ini");
        const auto diff = std::mismatch(again.begin(), again.end(), file.begin(), file.end());
        if (!alignedHashes) {
            EXPECT_TRUE(again == file) << "first difference at byte " << (diff.first - again.begin()) << " of "
                                       << file.size();
        }
    }
    EXPECT_GT(exact, 20);  // most rounds carry every text value unchanged
}

TEST(SettingsFile, HashesInTextValuesNeverMisleadTheScan) {
    TempDir dir;
    std::mt19937 rng(9);
    GameState g;
    kvtest::fillRandomGame(g, rng, 12);
    const std::vector<std::string> values = {"####", "#####", "########", "a####b", "##", "x#######y",
                                             "############"};
    // Every text field, every value, every alignment (a prefix of 0..3 bytes
    // in the first strategy name shifts all later lines).
    for (int field = 0; field < 9; ++field) {
        for (const auto& v : values) {
            for (int shift = 0; shift < 4; ++shift) {
                Settings s;
                s.StrategyList = {std::string(static_cast<size_t>(shift), 'p') + "s.stg"};
                switch (field) {
                    case 0: s.StrategyList.push_back(v); break;
                    case 1: s.CalcClosingStatisticNumbers = v; break;
                    case 2: s.CalcClosingDownturnFactor = v; break;
                    case 3: s.CalcClosingErrors = v; break;
                    case 4: s.TestStrategySpins = v; break;
                    case 5: s.GraphicsSpins = v; break;
                    case 6: s.CalcDownturnFactor = v; break;
                    case 7: s.CalcSliderLabels[3] = v; break;
                    case 8: s.StrategyList[0] = v + s.StrategyList[0]; break;
                }
                ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());
                const std::string f = readAll(dir / "info.ini");
                const size_t start = naiveBinaryStart(f);
                const int m = 13;
                ASSERT_EQ(f.size() - start, static_cast<size_t>(m) * 210 * 4) << field << v << shift;
                for (int k = 1; k <= m; ++k) ASSERT_EQ(leAt(f, start + 4 * (k - 1)), g.SpinHistory(k));
                SettingsFileData d;
                ASSERT_TRUE(readSettingsFile(dir / "info.ini", d).ok());
                // Only "#" that sat on a 4-byte unit were changed, to "_".
                EXPECT_EQ(d.settings.StrategyList.size(), s.StrategyList.size());
                EXPECT_EQ(d.settings.window(WindowId::About), s.window(WindowId::About));
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
        EXPECT_EQ(d.history[10].number, 5);
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
        {handFile(handLines({}, {}, 2000000000), 0), "I/O error 100"},
        {"", "'' is not a valid integer value"},
    };
    std::string noMarker = full;
    noMarker.replace(naiveBinaryStart(full) - 4, 4, "#_##");
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
        EXPECT_TRUE(d.history.empty());
    }
    InputFile in;
    in.openMemory(noMarker);
    SettingsFileData d;
    EXPECT_FALSE(readSettingsFile(in, d).ok());
}

TEST(LastGame, MissingFileStartsSilentlyWithFactoryValues) {
    TempDir dir;
    GameState g;
    g.InputCredits = 900;
    Settings s;
    s.Sound = false;
    const auto r = LoadSettings(dir / "info.ini", g, s);
    EXPECT_EQ(r.outcome, LastGameLoad::Outcome::Missing);
    EXPECT_TRUE(r.message.empty());
    EXPECT_TRUE(s == Settings{});
    EXPECT_EQ(g.InputCredits, kDefaultInputCredits);
    EXPECT_EQ(g.SpinCount, 0);
    EXPECT_EQ(g.Credit, kDefaultInputCredits);
    EXPECT_EQ(g.Balance, -kDefaultInputCredits);
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
    s.Sound = false;
    const auto r = LoadSettings(dir / "info.ini", g, s);
    EXPECT_EQ(r.outcome, LastGameLoad::Outcome::Damaged);
    EXPECT_EQ(r.error.message(), "I/O error 100");
    EXPECT_EQ(r.damagedCopy, dir / "info.damaged-2.ini");
    EXPECT_EQ(readAll(r.damagedCopy), bytes);
    EXPECT_EQ(readAll(dir / "info.damaged.ini"), "older copy");
    EXPECT_FALSE(std::filesystem::exists(dir / "info.ini"));
    EXPECT_NE(r.message.find(r.damagedCopy.string()), std::string::npos);
    EXPECT_NE(r.message.find("I/O error 100"), std::string::npos);
    EXPECT_TRUE(s == Settings{});
    EXPECT_EQ(g.SpinCount, 0);

    // The next exit writes a fresh file that the next start reads.
    g.RecordSpin(17);
    ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());
    GameState g2;
    Settings s2;
    EXPECT_EQ(LoadSettings(dir / "info.ini", g2, s2).outcome, LastGameLoad::Outcome::Loaded);
    EXPECT_EQ(g2.SpinCount, 1);
    EXPECT_EQ(g2.SpinHistory(1), 17);
}

TEST(LastGame, LoadedGameReplacesTheState) {
    TempDir dir;
    std::mt19937 rng(77);
    GameState g;
    kvtest::fillRandomGame(g, rng, 1700);
    randomGameValues(g, rng);
    Settings s;
    s.OnlineGame = true;
    s.window(WindowId::Graphics) = {11, 22, 333, 444, true};
    ASSERT_TRUE(SaveSettings(dir / "info.ini", g, s).ok());

    GameState back;
    kvtest::fillRandomGame(back, rng, 3000);
    Settings sb;
    const auto r = LoadSettings(dir / "info.ini", back, sb);
    ASSERT_EQ(r.outcome, LastGameLoad::Outcome::Loaded);
    EXPECT_TRUE(sb == s);
    EXPECT_EQ(back.SpinCount, 1700);
    EXPECT_EQ(back.Balance, g.Balance);
    EXPECT_EQ(back.TableLimits, g.TableLimits);
    EXPECT_EQ(back.OnlineQueue, g.OnlineQueue);
    EXPECT_EQ(back.RotateMode, g.RotateMode);
    EXPECT_EQ(back.WheelAngle, g.WheelAngle);
    EXPECT_EQ(back.BallPocket, g.BallPocket);
    kvtest::expectSameHistory(g, back, 1701);
}

TEST(LastGame, WheelValuesOffTheWheelAreBroughtBack) {
    auto lines = handLines({}, {}, 0);
    lines[21] = "40";   // WheelAngle
    lines[24] = "99";   // BallPocket
    InputFile in;
    const std::string f = handFile(lines, 0);
    in.openMemory(f);
    SettingsFileData d;
    ASSERT_TRUE(readSettingsFile(in, d).ok());
    GameState g;
    Settings s;
    applySettingsFile(std::move(d), g, s);
    EXPECT_GE(g.BallPocket, 1);
    EXPECT_LE(g.BallPocket, 37);
    EXPECT_EQ(g.WheelAngle, 3);
}
