#include "gui/common/program_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>
#include <utility>

#include "analysis/rndtest_table.h"

namespace kv {

namespace {

std::optional<ProgramFolders>& chosen() {
    static std::optional<ProgramFolders> folders;
    return folders;
}

// The player's folder starts with copies of the sample strategies, which
// the tester lists and the player may change; it is seeded once, so a
// sample the player deleted stays deleted.
void createUserDir(const QString& userDir, const QString& dataDir) {
    if (QFileInfo::exists(userDir) || !QDir().mkpath(userDir)) return;
    const QDir samples(QDir(dataDir).filePath(QStringLiteral("strategies")));
    for (const QString& name : samples.entryList({QStringLiteral("*.stg")}, QDir::Files)) {
        QFile::copy(samples.filePath(name), QDir(userDir).filePath(name));
        // The shared copies are read-only; the player's are the player's.
        QFile::setPermissions(QDir(userDir).filePath(name),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

}  // namespace

ProgramFolders::ProgramFolders(QString dataDir, QString userDir)
    : dataDir_(std::move(dataDir)), userDir_(std::move(userDir)) {}

ProgramFolders ProgramFolders::inOneFolder(const QString& folder) { return ProgramFolders(folder, folder); }

ProgramFolders ProgramFolders::forExecutable(const QString& executableDir,
                                             const QString& dataDirFromExecutable) {
    const QFileInfo exeDir(executableDir);
    if (QFileInfo::exists(QDir(executableDir).filePath(QString::fromLatin1(kRndTestFileName))) &&
        exeDir.isWritable()) {
        return inOneFolder(exeDir.absoluteFilePath());
    }
    const QString dataDir = QDir::cleanPath(QDir(executableDir).absoluteFilePath(dataDirFromExecutable));
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    createUserDir(userDir, dataDir);
    return ProgramFolders(dataDir, userDir);
}

ProgramFolders ProgramFolders::current() {
    if (chosen()) return *chosen();
    return inOneFolder(QDir::currentPath());
}

void ProgramFolders::setCurrent(const ProgramFolders& folders) { chosen() = folders; }

QString ProgramFolders::dataFile(const QString& name) const { return QDir(dataDir_).filePath(name); }

QString ProgramFolders::userFile(const QString& name) const { return QDir(userDir_).filePath(name); }

}  // namespace kv
