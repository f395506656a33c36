#pragma once
// Where the program keeps its files. Two folders:
// - the data folder, only read: rndtest.dat, the two sounds, the help file
//   and the sample strategies;
// - the player's folder, written: info.ini (and the copies of a damaged
//   one), the strategies the player saves and tests.
// A program folder (the build tree, a portable copy) is both at once: the
// folder of the executable, when it holds the data and may be written. An
// installed program reads its data from the shared folder beside its
// executable (../share/kelvora) and writes into the player's data folder
// (usually ~/.local/share/Kelvora), created and seeded with the sample
// strategies at its first start.

#include <QString>

namespace kv {

class ProgramFolders {
  public:
    // Both folders in one.
    static ProgramFolders inOneFolder(const QString& folder);
    // The folders of the program whose executable lies in executableDir;
    // dataDirFromExecutable is where an installation puts the data, relative
    // to the executable. Creates and seeds the player's folder when it is
    // missing.
    static ProgramFolders forExecutable(const QString& executableDir, const QString& dataDirFromExecutable);

    // The folders of this run, as the program's start chose them. Windows
    // built without that choice (the window tests) use the current
    // directory for both.
    static ProgramFolders current();
    static void setCurrent(const ProgramFolders& folders);

    const QString& dataDir() const { return dataDir_; }
    const QString& userDir() const { return userDir_; }
    QString dataFile(const QString& name) const;
    QString userFile(const QString& name) const;

  private:
    ProgramFolders(QString dataDir, QString userDir);

    QString dataDir_;
    QString userDir_;
};

}  // namespace kv
