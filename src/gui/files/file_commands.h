#pragma once
// The game-file commands of the main window's File menu: Save Game, Open
// Game, Add Game to File, Add File to Game, Import Game, Export Game and
// Import Numbers.
// Each asks for a file with a standard dialog and hands the work to the
// pure readers and writers; the overloads that take a path skip the dialog.

#include <QObject>
#include <QString>
#include <functional>

namespace kv {

class MainWindow;
class FileStatus;

// What a command asks the file dialog for.
struct FileDialogRequest {
    enum class Mode { Save, Open };
    Mode mode = Mode::Open;
    QString caption;
    // Qt filter text; empty for the dialogs without a filter.
    QString filter;
};

class FileCommands : public QObject {
    Q_OBJECT
  public:
    explicit FileCommands(MainWindow& main);

    // Chooses a file; returns an empty text when the player cancels. The
    // standard file dialogs unless replaced (tests answer here).
    using FileChooser = std::function<QString(const FileDialogRequest&)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    void saveGame();
    void openGame();
    void addGameToFile();
    void addFileToGame();
    void importGame();
    void exportGame();
    void importNumbers();

    // The same with the name the dialog would have returned.
    void saveGame(const QString& chosen);
    void openGame(const QString& chosen);
    void addGameToFile(const QString& chosen);
    void addFileToGame(const QString& chosen);
    void importGame(const QString& chosen);
    void exportGame(const QString& chosen);
    void importNumbers(const QString& chosen);

  private:
    QString choose(FileDialogRequest::Mode mode, const QString& caption, const QString& filter);
    QString runDialog(const FileDialogRequest& request);
    // Shows the error of a command; a file that was not found when opening
    // ends the command silently.
    void report(const FileStatus& status, bool silentWhenNotFound);
    // After the history was replaced or extended.
    void historyChanged();

    MainWindow& main_;
    FileChooser chooser_;
    QString lastDir_;  // where the last dialog ended
};

}  // namespace kv
