#include "gui/files/file_commands.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <filesystem>
#include <string>

#include "files/bet_text.h"
#include "files/file_status.h"
#include "files/game_edit.h"
#include "files/game_file.h"
#include "files/number_import.h"
#include "files/text_exchange.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

const QString kSaveFilter = QStringLiteral("gma (*.gma);;All (*.*)");
const QString kOpenFilter = QStringLiteral("*.gma (*.gma);;All (*.*)");

// File names travel as the bytes the file system uses; the name rules
// (".gma", ".txt") work on those bytes.
std::string nameBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }

std::filesystem::path pathOf(const std::string& bytes) { return std::filesystem::path(bytes); }

}  // namespace

FileCommands::FileCommands(MainWindow& main) : QObject(&main), main_(main) {
    setObjectName(QStringLiteral("FileCommands"));
    main_.registerCommand(MenuItem::SaveGame, [this] { saveGame(); });
    main_.registerCommand(MenuItem::OpenGame, [this] { openGame(); });
    main_.registerCommand(MenuItem::AddGameToFile, [this] { addGameToFile(); });
    main_.registerCommand(MenuItem::AddFileToGame, [this] { addFileToGame(); });
    main_.registerCommand(MenuItem::ImportGame, [this] { importGame(); });
    main_.registerCommand(MenuItem::ExportGame, [this] { exportGame(); });
    main_.registerCommand(MenuItem::ImportNumbers, [this] { importNumbers(); });
}

// ------------------------------------------------------------ dialogs

QString FileCommands::choose(FileDialogRequest::Mode mode, const QString& caption, const QString& filter) {
    const FileDialogRequest request{mode, caption, filter};
    return chooser_ ? chooser_(request) : runDialog(request);
}

QString FileCommands::runDialog(const FileDialogRequest& request) {
    const QString dir = lastDir_.isEmpty() ? main_.folders().userDir() : lastDir_;
    QString chosen;
    if (request.mode == FileDialogRequest::Mode::Save) {
        // The name rules add the extension themselves, and an existing file
        // is replaced without asking.
        chosen = QFileDialog::getSaveFileName(&main_, request.caption, dir, request.filter, nullptr,
                                              QFileDialog::DontConfirmOverwrite);
    } else {
        chosen = QFileDialog::getOpenFileName(&main_, request.caption, dir, request.filter);
    }
    if (!chosen.isEmpty()) lastDir_ = QFileInfo(chosen).absolutePath();
    return chosen;
}

void FileCommands::report(const FileStatus& status, bool silentWhenNotFound) {
    if (status.ok()) return;
    if (silentWhenNotFound && status.kind() == FileErrorKind::NotFound) return;
    // The whole message, by its length: a NUL byte must not end it.
    const std::string& text = status.message();
    QMessageBox::critical(&main_, QStringLiteral("Kelvora"),
                          QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
}

void FileCommands::historyChanged() {
    main_.redrawTable();
    // The Balance window repaints, and the history views that are open
    // follow the new history instead of showing the old one until their
    // next redraw.
    emit main_.moneyChanged();
    emit main_.spinsChanged();
}

// ------------------------------------------------------ the commands

void FileCommands::saveGame() {
    const QString chosen = choose(FileDialogRequest::Mode::Save, QStringLiteral("Save Game"), kSaveFilter);
    if (!chosen.isEmpty()) saveGame(chosen);
}

void FileCommands::saveGame(const QString& chosen) {
    const std::string name = gmaFileName(nameBytes(chosen));
    // A game that could not be written is reported even when the file could
    // not be created at all: the player must not believe it was saved.
    report(SaveGame(main_.state(), pathOf(name)), false);
}

void FileCommands::openGame() {
    const QString chosen = choose(FileDialogRequest::Mode::Open, QStringLiteral("Open Game"), kOpenFilter);
    if (!chosen.isEmpty()) {
        openGame(chosen);
        return;
    }
    // A cancelled dialog still repaints the Balance window.
    emit main_.moneyChanged();
}

void FileCommands::openGame(const QString& chosen) {
    const FileStatus st = OpenGame(main_.state(), pathOf(nameBytes(chosen)));
    report(st, true);
    if (st.ok()) historyChanged();
}

void FileCommands::addGameToFile() {
    const QString chosen =
        choose(FileDialogRequest::Mode::Open, QStringLiteral("Add Game to File"), kOpenFilter);
    if (!chosen.isEmpty()) addGameToFile(chosen);
}

void FileCommands::addGameToFile(const QString& chosen) {
    // The game in memory does not change; only the file does.
    report(AddGameToFile(main_.state(), pathOf(nameBytes(chosen))), true);
}

void FileCommands::addFileToGame() {
    const QString chosen =
        choose(FileDialogRequest::Mode::Open, QStringLiteral("Add File to Game"), kOpenFilter);
    if (!chosen.isEmpty()) addFileToGame(chosen);
}

void FileCommands::addFileToGame(const QString& chosen) {
    const FileStatus st = AddFileToGame(main_.state(), pathOf(nameBytes(chosen)));
    report(st, true);
    if (st.ok()) historyChanged();
}

void FileCommands::importGame() {
    const QString chosen = choose(FileDialogRequest::Mode::Open, QStringLiteral("Import Game"), QString());
    if (!chosen.isEmpty()) importGame(chosen);
}

void FileCommands::importGame(const QString& chosen) {
    const FileStatus st = ImportGame(main_.state(), pathOf(nameBytes(chosen)));
    report(st, true);
    if (st.ok()) historyChanged();
}

void FileCommands::exportGame() {
    const QString chosen = choose(FileDialogRequest::Mode::Save, QStringLiteral("Export Game"), QString());
    if (!chosen.isEmpty()) exportGame(chosen);
}

void FileCommands::exportGame(const QString& chosen) {
    const std::string name = textFileName(nameBytes(chosen));
    report(ExportGame(main_.state(), pathOf(name)), false);
}

void FileCommands::importNumbers() {
    const QString chosen = choose(FileDialogRequest::Mode::Open, QStringLiteral("Import Numbers"),
                                  QStringLiteral("Lists of numbers (*.txt *.csv);;All (*.*)"));
    if (!chosen.isEmpty()) importNumbers(chosen);
}

void FileCommands::importNumbers(const QString& chosen) {
    // The player chose this file to study it: every failure is told,
    // a file gone missing too.
    const FileStatus st = ImportNumbers(main_.state(), pathOf(nameBytes(chosen)));
    report(st, false);
    if (st.ok()) historyChanged();
}

}  // namespace kv
