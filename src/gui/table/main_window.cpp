#include "gui/table/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include "core/money.h"
#include "core/number_entry.h"
#include "core/table_geometry.h"
#include "core/wheel.h"
#include "files/settings_file.h"
#include "gui/common/help_window.h"
#include "gui/common/window_geometry.h"
#include "gui/table/memo_edit.h"
#include "gui/table/table_paint_box.h"

namespace kv {

namespace {

const QString kLocalPrompt = QStringLiteral("Klick on wheel or press Ctrl+W to Play");
const QString kOnlinePrompt = QStringLiteral("Input here few Numbers");

// Design size of the window (outer), replaced by the stored size at start.
constexpr int kDesignWidth = 1030;
constexpr int kDesignHeight = 557;

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Kelvora"));

    central_ = new QWidget(this);
    central_->setObjectName(QStringLiteral("ClientArea"));
    central_->setAutoFillBackground(true);
    QPalette pal = central_->palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 0));
    central_->setPalette(pal);
    setCentralWidget(central_);
    central_->installEventFilter(this);

    paintBox_ = new TablePaintBox(renderer_, central_);
    paintBox_->move(0, 0);
    paintBox_->onMouseDown = [this](MouseButton b, int x, int y) { pressTable(b, x, y); };
    paintBox_->onMouseMove = [this](int x, int y) { hoverTable(x, y); };

    memo_ = new MemoEdit(central_);
    memo_->setGeometry(18, 352, 296, 129);
    memo_->onKeyDown = [this](int key, Qt::KeyboardModifiers m) { return memoKeyPressed(key, m); };

    tickTimer_ = new QTimer(this);
    tickTimer_->setObjectName(QStringLiteral("tickTimer"));
    tickTimer_->setInterval(100);
    connect(tickTimer_, &QTimer::timeout, this, &MainWindow::timerTick);

    buildMenu();

    // Ctrl+W plays from anywhere in the window, the memo included.
    wheelShortcut_ = new QAction(this);
    wheelShortcut_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    wheelShortcut_->setShortcutContext(Qt::WindowShortcut);
    connect(wheelShortcut_, &QAction::triggered, this,
            [this] { pressTable(MouseButton::Left, kWheelClick.x, kWheelClick.y); });
    addAction(wheelShortcut_);

    renderer_.onTablePainted = [this] { emit tablePainted(); };

    // Start-up.
    memo_->addLine(QStringLiteral("Load last game"));
    ballRunsSound_ = new QSoundEffect(this);
    ballFallsSound_ = new QSoundEffect(this);
    // A missing wave file means silence.
    const QString wave1 = folders_.dataFile(QStringLiteral("sound1.wav"));
    const QString wave2 = folders_.dataFile(QStringLiteral("sound2.wav"));
    if (QFileInfo::exists(wave1)) ballRunsSound_->setSource(QUrl::fromLocalFile(wave1));
    if (QFileInfo::exists(wave2)) ballFallsSound_->setSource(QUrl::fromLocalFile(wave2));
    loadSettingsAndLastGame();
    state_.ResultTicks = 0;
    state_.Bet = 0;
    state_.Win = 0;
    state_.rng.Randomize();
    renderer_.freshCopy();
    renderer_.drawBetsAndPanel(state_);
    state_.CurrentBets.clear();
    // Only an empty history takes the ball's number as its latest entry: a
    // loaded game whose latest spin differs from the ball (an opened, cut or
    // imported game) keeps its spin.
    if (state_.SpinCount == 0) state_.setSpinHistory(1, NumberAtWheelPosition(state_.BallPocket));
    memo_->removeLastLine();
    setOuterSize(settings_.MainWindow.width, settings_.MainWindow.height);
    redrawTable();
    tickTimer_->start();
}

MainWindow::~MainWindow() = default;

// ---------------------------------------------------------------- menu

QAction* MainWindow::addItem(QMenu* menu, MenuItem item, const QString& caption,
                             const QKeySequence& shortcut) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(caption);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    const int i = static_cast<int>(item);
    actions_[i] = a;
    connect(a, &QAction::triggered, this, [this, i] {
        if (commands_[i]) commands_[i]();
    });
    return a;
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    addItem(file, MenuItem::NewGame, QStringLiteral("New Game"), QKeySequence(Qt::CTRL | Qt::Key_N));
    file->addSeparator();
    addItem(file, MenuItem::SaveGame, QStringLiteral("Save Game"));
    addItem(file, MenuItem::OpenGame, QStringLiteral("Open Game"));
    file->addSeparator();
    addItem(file, MenuItem::CutGame, QStringLiteral("Cut Game"));
    addItem(file, MenuItem::AddGameToFile, QStringLiteral("Add Game to File"));
    addItem(file, MenuItem::AddFileToGame, QStringLiteral("Add File to Game"));
    file->addSeparator();
    addItem(file, MenuItem::ImportGame, QStringLiteral("Import Game"));
    addItem(file, MenuItem::ExportGame, QStringLiteral("Export Game"));
    addItem(file, MenuItem::ImportNumbers, QStringLiteral("Import Numbers..."));
    file->addSeparator();
    addItem(file, MenuItem::GetMoney, QStringLiteral("Get Money / -"));
    addItem(file, MenuItem::PutMoney, QStringLiteral("Put Money / +"));
    addItem(file, MenuItem::Balance, QStringLiteral("Balance"));
    file->addSeparator();
    addItem(file, MenuItem::Exit, QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_E));

    QMenu* set = bar->addMenu(QStringLiteral("Settings"));
    modeGroup_ = new QActionGroup(this);
    modeGroup_->setExclusive(true);
    for (auto [item, caption] : {std::pair{MenuItem::LocalGame, QStringLiteral("Local Game")},
                                 std::pair{MenuItem::OnlineGame, QStringLiteral("Online Casino Game")}}) {
        QAction* a = addItem(set, item, caption);
        a->setCheckable(true);
        modeGroup_->addAction(a);
    }
    action(MenuItem::LocalGame)->setChecked(true);
    set->addSeparator();
    QAction* sound = addItem(set, MenuItem::Sound, QStringLiteral("Sound"));
    sound->setCheckable(true);
    sound->setChecked(true);
    set->addSeparator();
    rotateGroup_ = new QActionGroup(this);
    rotateGroup_->setExclusive(true);
    for (auto [item, caption] : {std::pair{MenuItem::NormalRotate, QStringLiteral("Normal Rotate Spin")},
                                 std::pair{MenuItem::QuickRotate, QStringLiteral("Quick Rotate Spin")},
                                 std::pair{MenuItem::DontRotate, QStringLiteral("Don't Rotate Spin")}}) {
        QAction* a = addItem(set, item, caption);
        a->setCheckable(true);
        rotateGroup_->addAction(a);
    }
    action(MenuItem::NormalRotate)->setChecked(true);
    set->addSeparator();
    addItem(set, MenuItem::GameProperties, QStringLiteral("Game Properties"));
    addItem(set, MenuItem::RandomProperties, QStringLiteral("Random Properties"));
    set->addSeparator();
    addItem(set, MenuItem::Hide, QStringLiteral("Hide"));
    addItem(set, MenuItem::Minimize, QStringLiteral("Minimize"));
    addItem(set, MenuItem::Minimize2, QStringLiteral("Minimize 2"));
    set->addSeparator();
    addItem(set, MenuItem::OnlineNumbersInput, QStringLiteral("Online Numbers Input"));

    QMenu* game = bar->addMenu(QStringLiteral("Game"));
    game->setToolTipsVisible(true);
    addItem(game, MenuItem::WheelSectors, QStringLiteral("Wheel Sectors"));
    addItem(game, MenuItem::Statistic, QStringLiteral("Statistic"));
    addItem(game, MenuItem::Graphics, QStringLiteral("Graphics"));
    QAction* test = addItem(game, MenuItem::TestGame, QStringLiteral("Test Game"));
    test->setToolTip(QStringLiteral("Test your Online Casino on honesty"));
    test->setStatusTip(test->toolTip());
    game->addSeparator();
    addItem(game, MenuItem::Calculate, QStringLiteral("Calculate"), QKeySequence(Qt::CTRL | Qt::Key_C));
    game->addSeparator();
    addItem(game, MenuItem::GenerateSpins, QStringLiteral("Generate Spins"));

    QMenu* strategy = bar->addMenu(QStringLiteral("Strategy"));
    addItem(strategy, MenuItem::TestStrategy, QStringLiteral("Test Strategy"));
    addItem(strategy, MenuItem::Constructor, QStringLiteral("Constructor of Strategics"));
    addItem(strategy, MenuItem::MonteCarlo, QStringLiteral("Monte Carlo"));

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    addItem(help, MenuItem::Help, QStringLiteral("Kelvora Help"), QKeySequence(Qt::Key_F1));
    addItem(help, MenuItem::About, QStringLiteral("About"));

    // The commands of this window; the others arrive with their windows.
    auto own = [this](MenuItem item, std::function<void()> f) {
        commands_[static_cast<int>(item)] = std::move(f);
        available_[static_cast<int>(item)] = true;
    };
    own(MenuItem::NewGame, [this] { newGame(); });
    own(MenuItem::GetMoney, [this] { takeMoney(); });
    own(MenuItem::PutMoney, [this] { putMoney(); });
    own(MenuItem::Exit, [this] { close(); });
    own(MenuItem::LocalGame, [this] { chooseLocalGame(); });
    own(MenuItem::OnlineGame, [this] { chooseOnlineGame(); });
    own(MenuItem::Sound, [] {});
    own(MenuItem::NormalRotate, [this] { setRotateMode(RotateModeKind::Normal); });
    own(MenuItem::QuickRotate, [this] { setRotateMode(RotateModeKind::Quick); });
    own(MenuItem::DontRotate, [this] { setRotateMode(RotateModeKind::DontRotate); });
    own(MenuItem::Help, [this] { showHelp(); });
    updateEnabled();
}

void MainWindow::updateEnabled() {
    for (int i = 0; i < kMenuItemCount; ++i) {
        bool on = available_[i];
        if (i == static_cast<int>(MenuItem::OnlineNumbersInput)) on = on && isOnlineGame();
        actions_[i]->setEnabled(on);
    }
}

void MainWindow::registerWindow(WindowId id, QWidget* window, std::optional<MenuItem> item) {
    windows_[static_cast<int>(id)] = window;
    // The player uses the tool windows beside the table: a click on the
    // table must not bury them. The three stand-ins for the hidden main
    // window stay on their own.
    if (id != WindowId::Hide && id != WindowId::Minimize && id != WindowId::Minimize2)
        keepAbove(window, this);
    WindowGeometry& g = settings_.window(id);
    applyOuterGeometry(window, g);
    if (g.shown) {
        window->show();
        g.shown = false;
    }
    if (!item) return;
    if (*item == MenuItem::GameProperties) {
        registerCommand(*item, [this] { showProperties(); });
    } else {
        registerCommand(*item, [window] { showOrFocus(window); });
    }
}

void MainWindow::registerCommand(MenuItem item, std::function<void()> command) {
    const int i = static_cast<int>(item);
    commands_[i] = std::move(command);
    available_[i] = true;
    updateEnabled();
}

bool MainWindow::isOnlineGame() const { return action(MenuItem::OnlineGame)->isChecked(); }
bool MainWindow::isSoundOn() const { return action(MenuItem::Sound)->isChecked(); }

RotateModeKind MainWindow::menuRotateMode() const {
    if (action(MenuItem::QuickRotate)->isChecked()) return RotateModeKind::Quick;
    if (action(MenuItem::DontRotate)->isChecked()) return RotateModeKind::DontRotate;
    return RotateModeKind::Normal;
}

void MainWindow::setRotateMode(RotateModeKind mode) {
    state_.RotateMode = mode;
    const MenuItem item = mode == RotateModeKind::Quick        ? MenuItem::QuickRotate
                          : mode == RotateModeKind::DontRotate ? MenuItem::DontRotate
                                                               : MenuItem::NormalRotate;
    action(item)->setChecked(true);
}

// ------------------------------------------------------ menu handlers

void MainWindow::newGame() {
    state_.NewGame();
    redrawTable();
    emit moneyChanged();
}

void MainWindow::takeMoney() {
    takeInputCredits(state_);
    redrawTable();
    emit moneyChanged();
}

void MainWindow::putMoney() {
    putInputCredits(state_);
    redrawTable();
    emit moneyChanged();
}

void MainWindow::chooseLocalGame() {
    action(MenuItem::LocalGame)->setChecked(true);
    memo_->clear();
    memo_->addLine(kLocalPrompt);
    updateEnabled();
    if (QWidget* w = window(WindowId::InputOnline)) w->hide();
    emit gameModeChanged(false);
}

void MainWindow::chooseOnlineGame() {
    action(MenuItem::OnlineGame)->setChecked(true);
    memo_->clear();
    memo_->addLine(kOnlinePrompt);
    updateEnabled();
    emit gameModeChanged(true);
}

void MainWindow::showProperties() {
    if (PropertiesOpen) return;
    showOrFocus(window(WindowId::Properties));
    PropertiesOpen = true;
}

void MainWindow::showHelp() {
    // Inside the program: a machine without a web browser shows help too.
    HelpWindow::of(this)->showTopic(folders_.dataFile(QStringLiteral("kvhelp.html")));
}

void MainWindow::applyStoredModesOnce() {
    if (activatedOnce_) return;
    activatedOnce_ = true;
    setRotateMode(state_.RotateMode);
    if (settings_.OnlineGame) {
        action(MenuItem::OnlineGame)->setChecked(true);
        memo_->addLine(kOnlinePrompt);
    } else {
        action(MenuItem::LocalGame)->setChecked(true);
        memo_->addLine(kLocalPrompt);
    }
    updateEnabled();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A desktop without a window manager never activates the window; the
    // first showing counts as the first activation then.
    applyStoredModesOnce();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) applyStoredModesOnce();
}

// ------------------------------------------------------------- table

void MainWindow::copyToScreen(bool now) {
    if (now) {
        paintBox_->repaint();
    } else {
        paintBox_->update();
    }
}

void MainWindow::redrawTable(std::optional<BetCell> highlight) {
    renderer_.fullRedraw(state_, highlight);
    copyToScreen(false);
}

void MainWindow::pressTable(MouseButton button, int x, int y) {
    // The spin runs to its end before anything else is handled.
    if (spinning_) return;
    const TableClickResult res = tableMouseDown(state_, button, x, y);
    if (!res.handled) return;
    if (res.wheelHit) wheelClick();
    finishTableClick(state_);
    redrawTable(res.cell);
}

void MainWindow::hoverTable(int x, int y) {
    if (spinning_ || state_.ResultTicks > 0) return;
    redrawTable(HitTest(x, y));
}

void MainWindow::wheelClick() {
    if (!isOnlineGame()) {
        spinLocal();
        settleBets(state_);
        emit moneyChanged();
        emit spinsChanged();
        return;
    }
    if (state_.OnlineQueue.empty()) return;
    const int n = state_.queuePop();
    memo_->addLine(QString::number(n));
    memoKeyPressed(Qt::Key_Return, Qt::NoModifier);
    emit onlineQueueChanged();
}

void MainWindow::setFramePace(int normalMs, int quickMs) {
    paceNormalMs_ = std::max(0, normalMs);
    paceQuickMs_ = std::max(0, quickMs);
}

void MainWindow::frameStep(bool ball, bool outer) {
    renderer_.DrawWheel(state_, state_.RotateMode == RotateModeKind::Normal, ball, outer);
    copyToScreen(true);
    const int pace = state_.RotateMode == RotateModeKind::Normal ? paceNormalMs_ : paceQuickMs_;
    if (pace <= 0) return;
    nextFrameDue_ += pace;
    const qint64 now = frameClock_.elapsed();
    // A machine that falls behind shows the next step at once instead of
    // rushing through the missed ones.
    if (nextFrameDue_ < now) nextFrameDue_ = now;
    const qint64 wait = nextFrameDue_ - now;
    if (wait <= 0) return;
    // Paint events and other windows' redraws go on; user input waits until
    // the spin is over (and the table timer is stopped meanwhile).
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(wait), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::spinLocal() {
    spinning_ = true;
    tickTimer_->stop();
    frameClock_.start();
    nextFrameDue_ = 0;
    SpinHooks hooks;
    hooks.step = [this](bool ball, bool outer) { frameStep(ball, outer); };
    hooks.rotateMode = [this] { return menuRotateMode(); };
    hooks.ballRuns = [this] {
        if (isSoundOn()) ballRunsSound_->play();
    };
    hooks.ballFalls = [this] {
        if (!isSoundOn()) return;
        ballRunsSound_->stop();
        ballFallsSound_->play();
    };
    SpinWheel(state_, hooks);
    tickTimer_->start();
    spinning_ = false;
    if (closePending_) QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::timerTick() {
    if (spinning_) return;
    const bool inResultPhase = state_.ResultTicks > 0;
    const TimerTickResult tick = TimerTick(state_);
    // The ring is always redrawn during a tick, whatever the rotate mode.
    if (tick.blink) renderer_.blink(state_, tick.blinkColor);
    if (tick.cleared) {
        renderer_.freshCopy();
        renderer_.drawBetsAndPanel(state_);
        renderer_.DrawWheel(state_, true, true, false);
        copyToScreen(false);
    }
    if (tick.drifted) {
        renderer_.drawBetsAndPanel(state_);
        renderer_.DrawWheel(state_, true, true, false);
        copyToScreen(false);
    }
    if (inResultPhase && state_.ResultTicks == 0) emit resultPhaseEnded();
}

// -------------------------------------------------------------- memo

bool MainWindow::memoKeyPressed(int key, Qt::KeyboardModifiers shift) {
    const bool ctrlOnly = (shift & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (ctrlOnly && key == Qt::Key_S) {
        QWidget* w = window(WindowId::TestStrategy);
        if (w != nullptr && !w->isVisible()) showOrFocus(w);
        emit testStrategyRequested();
        return true;
    }
    if (ctrlOnly && key == Qt::Key_W) {
        pressTable(MouseButton::Left, kWheelClick.x, kWheelClick.y);
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && isOnlineGame()) {
        playMemo();
        return true;
    }
    return false;
}

void MainWindow::enterMemoLine(const QString& line) {
    memo_->addLine(line);
    memoKeyPressed(Qt::Key_Return, Qt::NoModifier);
}

void MainWindow::playMemo() {
    if (spinning_) return;
    const QByteArray text = memo_->toPlainText().toLocal8Bit();
    const ParsedNumbers parsed =
        parseTypedNumbers(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    if (!parsed.ok()) {
        // Nothing of this Enter is played; the memo keeps its text.
        QMessageBox::critical(this, QStringLiteral("Kelvora"), QString::fromLocal8Bit(parsed.error.c_str()));
        return;
    }
    for (int n : parsed.numbers) {
        if (isSoundOn()) ballFallsSound_->play();
        playTypedNumber(state_, n);
        emit moneyChanged();
        renderer_.freshCopy();
        renderer_.drawBetsAndPanel(state_);
        renderer_.DrawWheel(state_, state_.RotateMode == RotateModeKind::Normal, true, false);
        copyToScreen(true);
    }
    memo_->clear();
    emit spinsChanged();
}

// ------------------------------------------------- settings and size

static std::filesystem::path settingsFile(const ProgramFolders& folders) {
    return std::filesystem::path(
        QFile::encodeName(folders.userFile(QStringLiteral("info.ini"))).toStdString());
}

void MainWindow::loadSettingsAndLastGame() {
    // A first start (no file) begins silently with the factory values and a
    // new game; a damaged file has been moved aside by then, one that may not
    // be read stays where it is.
    const LastGameLoad load = LoadSettings(settingsFile(folders_), state_, settings_);
    if (!load.message.empty()) {
        // Told once, when the event loop runs and the window is up, so that
        // start-up itself never waits on a box.
        const QString message =
            QString::fromLocal8Bit(load.message.data(), static_cast<qsizetype>(load.message.size()));
        QTimer::singleShot(
            0, this, [this, message] { QMessageBox::warning(this, QStringLiteral("Kelvora"), message); });
    }
    move(settings_.MainWindow.left, settings_.MainWindow.top);
    action(MenuItem::Sound)->setChecked(settings_.Sound);
}

void MainWindow::saveSettingsAndLastGame() {
    memo_->addLine(QStringLiteral("Save Last Game..."));
    settings_.OnlineGame = isOnlineGame();
    settings_.Sound = isSoundOn();
    settings_.MainWindow = {x(), y(), outerWidth(), outerHeight(), true};
    for (int i = 0; i < kWindowCount; ++i) {
        if (windows_[i] != nullptr) settings_.Windows[i] = outerGeometry(windows_[i]);
    }
    // The old file stays intact when this fails; the player must know that
    // this game was not kept.
    const FileStatus st = SaveSettings(settingsFile(folders_), state_, settings_);
    if (!st.ok()) {
        QMessageBox::critical(
            this, QStringLiteral("Kelvora"),
            QString::fromLocal8Bit(st.message().data(), static_cast<qsizetype>(st.message().size())));
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (spinning_) {
        closePending_ = true;
        event->ignore();
        return;
    }
    saveSettingsAndLastGame();
    event->accept();
    emit closed();
}

static int menuHeight(QMenuBar* bar) { return bar->sizeHint().height(); }

void MainWindow::setOuterSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        width = kDesignWidth;
        height = kDesignHeight;
    }
    resize(std::max(1, width - kFrameWidth),
           std::max(1, height - kFrameHeightWithMenu + menuHeight(menuBar())));
}

int MainWindow::outerWidth() const { return width() + kFrameWidth; }

int MainWindow::outerHeight() const { return height() - menuHeight(menuBar()) + kFrameHeightWithMenu; }

void MainWindow::layoutForOuterSize(int w, int h) {
    int pictureX = 0;
    int memoX = 18;
    int memoW = 296;
    if (w < 1028) {
        pictureX = w - 1027;
        if (w < 701) {
            memoX = w - 1009;
        } else {
            memoW = w - 731;
        }
    }
    int pictureY = 0;
    int memoY = 352;
    if (h > 547) {
        pictureY = 0;
        memoY = 352;
    } else if (h < 501) {
        pictureY = -47;
        memoY = 305;
    } else {
        pictureY = h - 547;
        memoY = h - 195;
    }
    paintBox_->move(pictureX, pictureY);
    memo_->setGeometry(memoX, memoY, memoW, 129);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == central_ && event->type() == QEvent::Resize) {
        layoutForOuterSize(central_->width() + kFrameWidth, central_->height() + kFrameHeightWithMenu);
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace kv
