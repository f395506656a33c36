#include "files/file_commands_window.h"

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
#include "files/text_exchange.h"
#include "ui/main/main_window.h"

namespace kv {

namespace {

const QString kSaveFilter = QStringLiteral("gma (*.gma);;All (*.*)");
const QString kOpenFilter = QStringLiteral("*.gma (*.gma);;All (*.*)");

// File names travel as the bytes the file system uses; the name rules
// (".gma", ".txt") work on those bytes.
std::string nameBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }

std::filesystem::path pathOf(const std::string& bytes) { return std::filesystem::path(bytes); }

}  // namespace

FileCommands::FileCommands(TForm1& main) : QObject(&main), main_(main) {
    setObjectName(QStringLiteral("FileCommands"));
    main_.registerCommand(MenuItem::SaveGame, [this] { SaveGame2Click(); });
    main_.registerCommand(MenuItem::OpenGame, [this] { LoadGame2Click(); });
    main_.registerCommand(MenuItem::AddGameToFile, [this] { AddGame1Click(); });
    main_.registerCommand(MenuItem::AddFileToGame, [this] { AddFiletoGame1Click(); });
    main_.registerCommand(MenuItem::ImportGame, [this] { ImportGame1Click(); });
    main_.registerCommand(MenuItem::ExportGame, [this] { ExportGame1Click(); });
}

// ------------------------------------------------------------ dialogs

QString FileCommands::choose(FileDialogRequest::Mode mode, const QString& caption, const QString& filter) {
    const FileDialogRequest request{mode, caption, filter};
    return chooser_ ? chooser_(request) : runDialog(request);
}

QString FileCommands::runDialog(const FileDialogRequest& request) {
    const QString dir = lastDir_.isEmpty() ? main_.ProgramDir() : lastDir_;
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
    QMessageBox::critical(&main_, QStringLiteral("Kelvora"), QString::fromLocal8Bit(status.message().c_str()));
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

void FileCommands::SaveGame2Click() {
    const QString chosen = choose(FileDialogRequest::Mode::Save, QStringLiteral("Save Game"), kSaveFilter);
    if (!chosen.isEmpty()) SaveGame2Click(chosen);
}

void FileCommands::SaveGame2Click(const QString& chosen) {
    const std::string name = gmaFileName(nameBytes(chosen));
    // A game that could not be written is reported even when the file could
    // not be created at all: the player must not believe it was saved.
    report(SaveGame(main_.state(), pathOf(name)), false);
}

void FileCommands::LoadGame2Click() {
    const QString chosen = choose(FileDialogRequest::Mode::Open, QStringLiteral("Open Game"), kOpenFilter);
    if (!chosen.isEmpty()) {
        LoadGame2Click(chosen);
        return;
    }
    // A cancelled dialog still repaints the Balance window.
    emit main_.moneyChanged();
}

void FileCommands::LoadGame2Click(const QString& chosen) {
    const FileStatus st = OpenGame(main_.state(), pathOf(nameBytes(chosen)));
    report(st, true);
    if (st.ok()) historyChanged();
}

void FileCommands::AddGame1Click() {
    const QString chosen = choose(FileDialogRequest::Mode::Open, QStringLiteral("Add Game to File"), kOpenFilter);
    if (!chosen.isEmpty()) AddGame1Click(chosen);
}

void FileCommands::AddGame1Click(const QString& chosen) {
    // The game in memory does not change; only the file does.
    report(AddGameToFile(main_.state(), pathOf(nameBytes(chosen))), true);
}

void FileCommands::AddFiletoGame1Click() {
    const QString chosen = choose(FileDialogRequest::Mode::Open, QStringLiteral("Add File to Game"), kOpenFilter);
    if (!chosen.isEmpty()) AddFiletoGame1Click(chosen);
}

void FileCommands::AddFiletoGame1Click(const QString& chosen) {
    const FileStatus st = AddFileToGame(main_.state(), pathOf(nameBytes(chosen)));
    report(st, true);
    if (st.ok()) historyChanged();
}

void FileCommands::ImportGame1Click() {
    const QString chosen = choose(FileDialogRequest::Mode::Open, QStringLiteral("Import Game"), QString());
    if (!chosen.isEmpty()) ImportGame1Click(chosen);
}

void FileCommands::ImportGame1Click(const QString& chosen) {
    const FileStatus st = ImportGame(main_.state(), pathOf(nameBytes(chosen)));
    report(st, true);
    if (st.ok()) historyChanged();
}

void FileCommands::ExportGame1Click() {
    const QString chosen = choose(FileDialogRequest::Mode::Save, QStringLiteral("Export Game"), QString());
    if (!chosen.isEmpty()) ExportGame1Click(chosen);
}

void FileCommands::ExportGame1Click(const QString& chosen) {
    const std::string name = textFileName(nameBytes(chosen));
    report(ExportGame(main_.state(), pathOf(name)), false);
}

}  // namespace kv
