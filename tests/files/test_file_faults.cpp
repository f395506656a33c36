#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "files/game_file.h"
#include "files/input_file.h"
#include "files/settings_file.h"
#include "files/text_exchange.h"
#include "files_test_util.h"

using namespace kv;
using kvtest::TempDir;

namespace {

// The bytes Save Game writes for s.
std::string savedGame(const GameState& s) {
    TempDir dir;
    EXPECT_TRUE(writeGameFile(dir / "game.gma", s).ok());
    return kvtest::readAll(dir / "game.gma");
}

// info.ini of a game whose wheel stands at WheelAngle 5, BallAngle 17, pocket 23.
std::string savedSettings(const TempDir& dir) {
    GameState s;
    s.NewGame();
    s.RecordSpin(4);
    s.WheelAngle = 5;
    s.BallAngle = 17;
    s.PrevBallAngle = 0;
    s.BallPocket = 23;
    EXPECT_TRUE(writeSettingsFile(dir / "info.ini", s, Settings{}).ok());
    return kvtest::readAll(dir / "info.ini");
}

// The text with line `index` (0-based, CR LF lines) replaced.
std::string withLine(const std::string& text, size_t index, const std::string& line) {
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) start = text.find("\r\n", start) + 2;
    return text.substr(0, start) + line + text.substr(text.find("\r\n", start));
}

std::string betLine(int index, const std::string& amount) {
    std::string line;
    for (int i = 0; i < kGridCells; ++i) line += (i == index ? amount : std::string("0")) + " ";
    return line;
}

std::string withInt32At(std::string bytes, size_t offset, int32_t v) {
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    return bytes;
}

// The bytes read as the reader of Data's kind reads them from a file.
template <typename Data>
FileStatus readAs(const std::string& bytes) {
    InputFile in;
    in.openMemory(bytes);
    Data data;
    if constexpr (std::is_same_v<Data, GameData>) return readGameFile(in, data);
    if constexpr (std::is_same_v<Data, SettingsFileData>) return readSettingsFile(in, data);
    if constexpr (std::is_same_v<Data, ImportedGame>) return readImportText(in, data);
}

// Makes `folder` refuse new files while its files stay writable: the
// permission bits for an ordinary user, the immutable flag for root.
bool setRefusing(const std::filesystem::path& folder, bool refuse) {
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = dfd >= 0 && ::ioctl(dfd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = refuse ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(dfd, FS_IOC_SETFLAGS, &flags) == 0;
    if (dfd >= 0) ::close(dfd);
    ::chmod(folder.c_str(), refuse ? 0555 : 0755);
    return done || ::access(folder.c_str(), W_OK) != 0;
}

mode_t modeOf(const std::filesystem::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace

// What no writer of the program produces is refused with a message that
// names the place; what the writers produce still reads.
TEST(FileFaults, ReadersRefuseDamagedDataAndKeepReadingTheirOwnFiles) {
    TempDir dir;
    GameState s;
    s.NewGame();
    for (int i = 0; i < 10; ++i) s.RecordSpin(i);
    s.setResultHistory(10, 12356);
    const std::string gma = savedGame(s);
    const std::string ini = savedSettings(dir);
    // The binary part ends the file: M = 11 numbers, 11 grids, 11 results.
    const size_t firstGrid = ini.size() - 11 * (1 + kGridCells + 1) * 4 + 11 * 4;
    const auto readGma = readAs<GameData>;
    const auto readIni = readAs<SettingsFileData>;
    const auto readImport = readAs<ImportedGame>;
    std::string manySpins;
    for (int i = 0; i < 10000001; ++i) manySpins += "5\n";

    const struct {
        std::function<FileStatus(const std::string&)> read;
        std::string bytes;
        std::string message;  // empty: must read
    } cases[] = {
        {readGma, gma, ""},
        {readGma, gma.substr(0, gma.size() - 4), "Line 33: '123' is cut off: the file ends inside this line"},
        {readGma, withLine(gma, 4, betLine(0, "-1000")),
         "Line 5: -1000 on the bet spot of column 1, row 1 is no bet"},
        {readGma, withLine(gma, 4, betLine(1, "7")),
         "Line 5: 7 beside the bet spots (column 1, row 2) is no bet"},
        {readGma, withLine(gma, 2, "10000001"),
         "'10000001' is more spins than the history holds (at most 10000000)"},
        {readIni, ini, ""},
        {readIni, withLine(ini, 20, "2147483647"),
         "'2147483647' is more spins than the history holds (at most 10000000)"},
        {readIni, withInt32At(ini, firstGrid, -1000),
         "The last game holds -1000 on the bet spot of column 1, row 1 at history position 1, which is no "
         "bet"},
        {readImport, "36 r-5\r\n", ""},
        {readImport, "36\r\n37\r\n", "Line 2: '37' is not a number of the wheel"},
        {readImport, "17 r--5\r\n", "Line 1: 'r--5' bets a negative amount"},
        {readImport, manySpins, "The file holds 10000001 spins; the history holds at most 10000000"},
        {readImport,
         std::string("\xFF\xFE"
                     "5\0\r\0\n\0",
                     8),
         "Line 1: '\\x00' has no amount"},
        {readImport, "5 " + std::string(300, 'x'), "Line 1: '" + std::string(40, 'x') + "...' has no amount"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.read(c.bytes).message(), c.message);
}

// Lines 24 and 25 of info.ini, BallAngle and BallPocket: a value off the
// wheel brings the wheel back from its angles; one on it is kept. (Each
// value keeps the length of the line, so that the marker stays in place.)
TEST(FileFaults, SettingsWheelOffThePocketsIsRebuilt) {
    TempDir dir;
    const std::string ini = savedSettings(dir);
    const struct {
        size_t line;
        const char* text;
        int32_t ballAngle, ballPocket;
    } cases[] = {{24, "00", 17, 23}, {24, "01", 17, 1}, {24, "37", 17, 37}, {24, "38", 17, 23},
                 {23, "37", 0, 6},   {23, "-1", 36, 5}, {23, "36", 36, 23}};
    for (const auto& c : cases) {
        InputFile in;
        const std::string bytes = withLine(ini, c.line, c.text);
        in.openMemory(bytes);
        SettingsFileData data;
        ASSERT_TRUE(readSettingsFile(in, data).ok());
        GameState game;
        Settings settings;
        applySettingsFile(std::move(data), game, settings);
        EXPECT_EQ(std::pair(game.BallAngle, game.BallPocket), std::pair(c.ballAngle, c.ballPocket))
            << c.line + 1 << ": " << c.text;
    }
}

// Writing through a symbolic link writes the file it leads to, and a
// replaced file keeps its permissions. A folder that refuses new files but
// whose files are writable: the writers overwrite in place, same bytes.
TEST(FileFaults, WritersFollowLinksKeepPermissionsAndOverwriteInPlace) {
    TempDir dir;
    const auto folder = dir / "real";
    std::filesystem::create_directories(folder);
    GameState s;
    s.NewGame();
    for (int n : {3, 17, 0}) s.RecordSpin(n);
    ASSERT_TRUE(writeSettingsFile(dir / "expected.ini", s, Settings{}).ok());
    for (const char* name : {"game.gma", "info.ini", "game.txt"})
        kvtest::writeAll(folder / name, std::string(20000, 'z'));
    ::chmod((folder / "game.gma").c_str(), 0640);
    std::filesystem::create_symlink("real/game.gma", dir / "link.gma");
    ASSERT_TRUE(writeGameFile(dir / "link.gma", s).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.gma"));
    EXPECT_EQ(kvtest::readAll(folder / "game.gma"), savedGame(s));
    EXPECT_EQ(modeOf(folder / "game.gma"), 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 3) << "no temporary file left";
    // A device is written straight through, never replaced by a file.
    EXPECT_TRUE(writeGameFile("/dev/null", s).ok());
    EXPECT_EQ(writeGameFile("/dev/full", s).code(), ENOSPC);

    kvtest::writeAll(folder / "game.gma", std::string(20000, 'z'));
    if (!setRefusing(folder, true)) {
        setRefusing(folder, false);
        GTEST_SKIP() << "this machine cannot make a folder refuse new files";
    }
    const FileStatus gma = writeGameFile(folder / "game.gma", s);
    const FileStatus ini = SaveSettings(folder / "info.ini", s, Settings{});
    const FileStatus txt = ExportGame(s, folder / "game.txt");
    setRefusing(folder, false);
    EXPECT_TRUE(gma.ok() && ini.ok() && txt.ok()) << gma.message() << ini.message() << txt.message();
    EXPECT_EQ(kvtest::readAll(folder / "game.gma"), savedGame(s));
    EXPECT_EQ(kvtest::readAll(folder / "info.ini"), kvtest::readAll(dir / "expected.ini"));
    EXPECT_EQ(kvtest::readAll(folder / "game.txt"), "3\r\n17\r\n0\r\n");
}

// An info.ini that may not be read is reported as such and left in place,
// and the save at exit does not replace it.
TEST(FileFaults, UnreadableSettingsStayWhereTheyAre) {
    TempDir dir;
    const auto file = dir / "info.ini";
    const std::string bytes = savedSettings(dir);
    ::chmod(file.c_str(), 0200);
    if (std::FILE* f = std::fopen(file.c_str(), "rb")) {
        std::fclose(f);
        GTEST_SKIP() << "permission bits do not stop this user (root)";
    }
    GameState game;
    Settings settings;
    const LastGameLoad load = LoadSettings(file, game, settings);
    EXPECT_EQ(load.outcome, LastGameLoad::Outcome::NoPermission);
    EXPECT_NE(load.message.find("permission denied"), std::string::npos) << load.message;
    EXPECT_NE(load.message.find("I/O error 13"), std::string::npos) << load.message;
    EXPECT_EQ(dir.fileCount(), 1u) << "nothing renamed aside";
    EXPECT_FALSE(SaveSettings(file, game, settings).ok());
    ::chmod(file.c_str(), 0644);
    EXPECT_EQ(kvtest::readAll(file), bytes);
}
