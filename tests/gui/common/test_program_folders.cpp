// Where the program reads its data and writes the player's files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "analysis/rndtest_table.h"
#include "gui/common/program_folders.h"

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// An installed program reads beside its executable and writes into the
// player's folder, seeded once with writable copies of the sample
// strategies; a writable folder holding the data is a portable copy.
TEST(ProgramFolders, InstalledOrPortable) {
    QTemporaryDir root;
    const QString bin = root.filePath("bin"), share = root.filePath("share/kelvora");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(share + "/strategies"));
    touch(share + "/strategies/flat.stg");
    QFile::setPermissions(share + "/strategies/flat.stg", QFile::ReadOwner | QFile::ReadOther);
    qputenv("XDG_DATA_HOME", root.filePath("home").toUtf8());

    const kv::ProgramFolders installed = kv::ProgramFolders::forExecutable(bin, "../share/kelvora");
    EXPECT_EQ(installed.dataDir(), share);
    EXPECT_TRUE(installed.userDir().startsWith(root.filePath("home") + "/"));
    const QString copy = installed.userFile("flat.stg");
    EXPECT_TRUE(QFile::permissions(copy) & QFile::WriteOwner);
    QFile::remove(copy);
    kv::ProgramFolders::forExecutable(bin, "../share/kelvora");
    EXPECT_FALSE(QFile::exists(copy));  // a sample the player deleted stays deleted

    touch(bin + "/" + kv::kRndTestFileName);
    const kv::ProgramFolders portable = kv::ProgramFolders::forExecutable(bin, "../share/kelvora");
    EXPECT_EQ(portable.dataDir(), bin);
    EXPECT_EQ(portable.userDir(), bin);
    qunsetenv("XDG_DATA_HOME");
}

}  // namespace
