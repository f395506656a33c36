#pragma once
// MainWindow, the main window: the table picture, the memo for typed numbers,
// the main menu, the 100 ms timer and the two sound players. It owns the
// game state and the settings record; every other window works through it.
//
// Windows that come later plug in without touching this class's code:
// registerWindow() ties a secondary window to its settings entry and its
// menu item, registerCommand() gives a menu item its action, and the signals
// below tell them when the history or the money changed.

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "core/bets.h"
#include "core/game_state.h"
#include "files/settings.h"
#include "gui/common/program_folders.h"
#include "gui/table/table_renderer.h"

class QAction;
class QActionGroup;
class QSoundEffect;
class QTimer;

namespace kv {

class MemoEdit;
class TablePaintBox;

// Every item of the main menu.
enum class MenuItem : int {
    NewGame = 0,
    SaveGame,
    OpenGame,
    CutGame,
    AddGameToFile,
    AddFileToGame,
    ImportGame,
    ExportGame,
    ImportNumbers,
    GetMoney,
    PutMoney,
    Balance,
    Exit,
    LocalGame,
    OnlineGame,
    Sound,
    NormalRotate,
    QuickRotate,
    DontRotate,
    GameProperties,
    RandomProperties,
    Hide,
    Minimize,
    Minimize2,
    OnlineNumbersInput,
    WheelSectors,
    Statistic,
    Graphics,
    TestGame,
    Calculate,
    GenerateSpins,
    TestStrategy,
    Constructor,
    MonteCarlo,
    Help,
    About,
};
inline constexpr int kMenuItemCount = static_cast<int>(MenuItem::About) + 1;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    GameState& state() { return state_; }
    Settings& settings() { return settings_; }
    TableRenderer& renderer() { return renderer_; }
    MemoEdit* memo() const { return memo_; }
    TablePaintBox* tableView() const { return paintBox_; }
    QAction* action(MenuItem item) const { return actions_[static_cast<int>(item)]; }
    // Where the data is read and the player's files are written.
    const ProgramFolders& folders() const { return folders_; }

    // --- Entry points for other windows -------------------------------
    // The table's mouse-down handler, with a point of the table picture.
    void pressTable(MouseButton button, int x, int y);
    void hoverTable(int x, int y);
    // The memo's key-down handler; returns true when it used the key.
    bool memoKeyPressed(int key, Qt::KeyboardModifiers shift);
    // Writes a line into the memo and hands the memo an Enter key: the way
    // other windows play a number typed elsewhere.
    void enterMemoLine(const QString& line);

    // --- Plugging in secondary windows --------------------------------
    // Places the window where the settings say, shows it when it was open at
    // the last exit, remembers it for saving, and, given a menu item,
    // enables that item to show or focus the window.
    void registerWindow(WindowId id, QWidget* window, std::optional<MenuItem> item = std::nullopt);
    QWidget* window(WindowId id) const { return windows_[static_cast<int>(id)]; }
    // Gives a menu item its action and enables it.
    void registerCommand(MenuItem item, std::function<void()> command);

    bool isOnlineGame() const;
    bool isSoundOn() const;
    // Set by the menu when it opens the Properties window, cleared by every
    // way of closing it.
    bool PropertiesOpen = false;

    // --- Menu handlers ------------------------------------------------
    void newGame();
    void takeMoney();
    void putMoney();
    void chooseLocalGame();
    void chooseOnlineGame();
    void showProperties();
    void showHelp();
    // The first activation of the window (only then): applies the stored
    // game mode and rotate mode to the menu.
    void applyStoredModesOnce();
    // The 100 ms timer.
    void timerTick();

    // Full redraw of the table, optionally with a spot highlighted, and
    // copy to the screen.
    void redrawTable(std::optional<BetCell> highlight = std::nullopt);

    // Spin animation pace in milliseconds per step: Normal rotate mode,
    // then Quick and Don't Rotate. 0 runs the animation at full speed.
    void setFramePace(int normalMs, int quickMs);
    bool isSpinning() const { return spinning_; }

    // Settings and the last game. Reading runs once during start-up; saving
    // once when the window closes.
    void loadSettingsAndLastGame();
    void saveSettingsAndLastGame();

    // Main window outer size (stored form) and the resize layout.
    void setOuterSize(int width, int height);
    int outerWidth() const;
    int outerHeight() const;
    void layoutForOuterSize(int width, int height);

  signals:
    // A spin or a typed number was recorded (Statistic, Graphics refresh).
    void spinsChanged();
    // Credit, Balance or ResultHistory changed (the Balance window repaints).
    void moneyChanged();
    // A queued online number was played (the number pad redraws its queue).
    void onlineQueueChanged();
    // Local Game or Online Casino Game was chosen.
    void gameModeChanged(bool online);
    // drawBetsAndPanel ran outside the result phase (compact windows refresh).
    void tablePainted();
    // The blinking after a spin or a typed number is over; bets may be placed.
    void resultPhaseEnded();
    // Ctrl+S in the memo.
    void testStrategyRequested();
    // The window closed after saving; the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenu();
    QAction* addItem(QMenu* menu, MenuItem item, const QString& caption,
                     const QKeySequence& shortcut = QKeySequence());
    void updateEnabled();
    void wheelClick();
    void spinLocal();
    void playMemo();
    void frameStep(bool ball, bool outer);
    void copyToScreen(bool now);
    RotateModeKind menuRotateMode() const;
    void setRotateMode(RotateModeKind mode);

    GameState state_;
    Settings settings_;
    TableRenderer renderer_;
    ProgramFolders folders_ = ProgramFolders::current();

    QWidget* central_ = nullptr;
    TablePaintBox* paintBox_ = nullptr;
    MemoEdit* memo_ = nullptr;
    QTimer* tickTimer_ = nullptr;
    QSoundEffect* ballRunsSound_ = nullptr;
    QSoundEffect* ballFallsSound_ = nullptr;
    QActionGroup* modeGroup_ = nullptr;
    QActionGroup* rotateGroup_ = nullptr;
    QAction* wheelShortcut_ = nullptr;

    std::array<QAction*, kMenuItemCount> actions_{};
    std::array<bool, kMenuItemCount> available_{};
    std::array<std::function<void()>, kMenuItemCount> commands_{};
    std::array<QWidget*, kWindowCount> windows_{};

    bool activatedOnce_ = false;
    bool spinning_ = false;
    bool closePending_ = false;
    int paceNormalMs_ = 30;
    int paceQuickMs_ = 10;
    QElapsedTimer frameClock_;
    qint64 nextFrameDue_ = 0;
};

}  // namespace kv
