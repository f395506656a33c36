#include "gui/strategy/strategy_tester_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/common/local_text.h"
#include "gui/common/window_geometry.h"
#include "gui/compact/compact_table_window.h"
#include "gui/table/main_window.h"
#include "strategy/strategy_file.h"
#include "strategy/tester_controls.h"
#include "strategy/tester_grid.h"

namespace kv {

namespace {

const QString kTitle = QStringLiteral("Kelvora");

// The left column of controls; the curve fills the rest.
constexpr int kLeft = 8;
constexpr int kColumnWidth = 180;
constexpr int kCurveLeft = 196;
constexpr int kCurveTop = 8;
constexpr int kGlyph = 24;
// Events are handled this often during a run.
constexpr qint64 kEventPaceMs = 20;

QImage blankGlyph() {
    QImage img(kGlyph, kGlyph, QImage::Format_RGB32);
    img.fill(QColor(240, 240, 240));
    return img;
}

void triangle(Canvas& c, uint32_t color, int x, int y, int w, int h) {
    QPainter& p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(winColor(color));
    const QPoint pts[3] = {{x, y}, {x + w, y + h / 2}, {x, y + h}};
    p.drawPolygon(pts, 3);
}

// Stop: a red square.
QIcon stopGlyph() {
    QImage img = blankGlyph();
    {
        Canvas c(img);
        c.pen = {clMaroon, 1, false};
        c.brush.color = clRed;
        c.Rectangle(5, 5, 19, 19);
    }
    return QIcon(QPixmap::fromImage(img));
}

// Replay: the game's spins as bars, played forward.
QIcon replayGlyph() {
    QImage img = blankGlyph();
    {
        Canvas c(img);
        c.pen.clear = true;
        c.brush.color = clNavy;
        const int heights[3] = {8, 14, 11};
        for (int i = 0; i < 3; ++i) c.FillRect(2 + 4 * i, 20 - heights[i], 5 + 4 * i, 20);
        triangle(c, clGreen, 14, 5, 9, 15);
    }
    return QIcon(QPixmap::fromImage(img));
}

// Random: a die showing five.
QIcon randomGlyph() {
    QImage img = blankGlyph();
    {
        Canvas c(img);
        c.pen = {clBlack, 1, false};
        c.brush.color = clWhite;
        c.Rectangle(2, 2, 22, 22);
        c.pen.clear = true;
        c.brush.color = clBlack;
        for (const QPoint& pip : {QPoint(6, 6), QPoint(15, 6), QPoint(6, 15), QPoint(15, 15), QPoint(10, 10)})
            c.Ellipse(pip.x(), pip.y(), pip.x() + 4, pip.y() + 4);
    }
    return QIcon(QPixmap::fromImage(img));
}

// Real time: a clock over a chip on the green table.
QIcon realTimeGlyph() {
    QImage img = blankGlyph();
    {
        Canvas c(img);
        c.pen.clear = true;
        c.brush.color = clGreen;
        c.FillRect(0, 14, 24, 24);
        c.pen = {clBlack, 1, false};
        c.brush.color = clYellow;
        c.Ellipse(12, 15, 22, 23);
        c.brush.color = clWhite;
        c.Ellipse(1, 1, 17, 17);
        c.pen = {clBlack, 2, false};
        c.MoveTo(9, 9);
        c.LineTo(9, 4);
        c.MoveTo(9, 9);
        c.LineTo(13, 11);
    }
    return QIcon(QPixmap::fromImage(img));
}

QToolButton* speedButton(QWidget* parent, const char* name, const QIcon& icon, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(icon);
    b->setIconSize(QSize(kGlyph, kGlyph));
    b->setToolTip(hint);
    b->setAutoRaise(false);
    return b;
}

}  // namespace

StrategyTesterWindow::StrategyTesterWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("StrategyTesterWindow"));
    setWindowTitle(QStringLiteral("Test Strategy"));
    chooseStrategyFile = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Add Strategy"), folder,
                                            QStringLiteral("*.stg"));
    };
    buildControls();

    // 1. Position, size and the spins text from the settings; the player's folder.
    folder_ = main_.folders().userDir();
    spins_->setText(local(main_.settings().TestStrategySpins));
    // 2., 3. The list, and the first strategy loaded.
    fillStrategyBox();
    if (strategyBox_->count() > 0) {
        strategyBox_->setCurrentIndex(0);
        // Said when the window is opened: a box now would stand before the
        // main window at start-up.
        startupProblem_ = loadStrategy(0);
    }
    // 4. The curve area, then shown if the settings ask for it.
    main_.registerWindow(WindowId::TestStrategy, this, MenuItem::TestStrategy);
    layoutForOuterSize(width() + kFrameWidth, height() + kFrameHeightNoMenu);

    // A run or a wait must not outlive the program's end.
    connect(&main_, &MainWindow::closed, this, [this] {
        closing_ = true;
        run_.requestStop();
    });
}

StrategyTesterWindow::~StrategyTesterWindow() = default;

void StrategyTesterWindow::buildControls() {
    strategyLabel_ = new QLabel(QStringLiteral("Strategy"), this);
    strategyLabel_->setObjectName(QStringLiteral("strategyLabel"));
    strategyLabel_->setGeometry(kLeft, 4, kColumnWidth, 16);
    strategyBox_ = new QComboBox(this);
    strategyBox_->setObjectName(QStringLiteral("strategyBox"));
    strategyBox_->setToolTip(QStringLiteral("Set your Strategy"));
    strategyBox_->setGeometry(kLeft, 20, kColumnWidth, 24);
    add_ = new QPushButton(QStringLiteral("Add"), this);
    add_->setObjectName(QStringLiteral("addButton"));
    add_->setToolTip(QStringLiteral("Add Strategy from the File"));
    add_->setGeometry(kLeft, 48, kColumnWidth / 2 - 2, 24);
    delete_ = new QPushButton(QStringLiteral("Delete"), this);
    delete_->setObjectName(QStringLiteral("deleteButton"));
    delete_->setToolTip(QStringLiteral("Delete current Strategy"));
    delete_->setGeometry(kLeft + kColumnWidth / 2 + 2, 48, kColumnWidth / 2 - 2, 24);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("description"));
    memo_->setToolTip(QStringLiteral("The description of strategy"));
    memo_->setReadOnly(true);
    memo_->move(kLeft, 78);

    scaleLabel_ = new QLabel(QStringLiteral("Scale"), this);
    scaleLabel_->setObjectName(QStringLiteral("scaleLabel"));
    timesLabel_ = new QLabel(QStringLiteral("X"), this);
    timesLabel_->setObjectName(QStringLiteral("timesLabel"));
    less_ = new QPushButton(QStringLiteral("<"), this);
    less_->setObjectName(QStringLiteral("lessButton"));
    spins_ = new QLineEdit(this);
    spins_->setObjectName(QStringLiteral("spinsEdit"));
    spins_->setToolTip(QStringLiteral("Amount of spins. Zero - all current spins"));
    more_ = new QPushButton(QStringLiteral(">"), this);
    more_->setObjectName(QStringLiteral("moreButton"));
    parametersLabel_ = new QLabel(QStringLiteral("Parameters"), this);
    parametersLabel_->setObjectName(QStringLiteral("parametersLabel"));
    parameterBox_ = new QComboBox(this);
    parameterBox_->setObjectName(QStringLiteral("parameterBox"));
    parameterEdit_ = new QLineEdit(this);
    parameterEdit_->setObjectName(QStringLiteral("parameterEdit"));
    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("progress"));
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    stop_ = speedButton(this, "stopButton", stopGlyph(), QStringLiteral("Stop"));
    replay_ = speedButton(this, "replayButton", replayGlyph(), QStringLiteral("Game on current sequence"));
    random_ = speedButton(this, "randomButton", randomGlyph(), QStringLiteral("Game on random sequence"));
    realTime_ = speedButton(this, "realTimeButton", realTimeGlyph(), QStringLiteral("RealTime Game"));
    // The run buttons say what they do beside their pictures.
    replay_->setText(QStringLiteral("Current sequence"));
    random_->setText(QStringLiteral("Random sequence"));
    realTime_->setText(QStringLiteral("RealTime Game"));
    for (QToolButton* b : {replay_, random_, realTime_}) b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    monteCarlo_ = new QPushButton(QStringLiteral("Monte Carlo"), this);
    monteCarlo_->setObjectName(QStringLiteral("monteCarloButton"));
    monteCarlo_->setToolTip(QStringLiteral("Many random sessions of this strategy against a bankroll"));

    paintBox_ = new ImageBox(this);
    paintBox_->setObjectName(QStringLiteral("curveView"));
    paintBox_->setCursor(Qt::CrossCursor);
    paintBox_->setMouseTracking(true);
    paintBox_->onMouseMove = [this](Qt::MouseButtons, int x, int y) { readCurve(x, y); };
    stepLabel_ = new QLabel(this);
    stepLabel_->setObjectName(QStringLiteral("stepLabel"));
    balanceLabel_ = new QLabel(this);
    balanceLabel_->setObjectName(QStringLiteral("balanceLabel"));
    // The read-outs lie over the curve.
    stepLabel_->raise();
    balanceLabel_->raise();

    connect(add_, &QPushButton::clicked, this, &StrategyTesterWindow::addStrategy);
    connect(delete_, &QPushButton::clicked, this, &StrategyTesterWindow::removeStrategy);
    connect(strategyBox_, &QComboBox::activated, this, &StrategyTesterWindow::strategyChosen);
    connect(parameterBox_, &QComboBox::activated, this, &StrategyTesterWindow::parameterChosen);
    connect(parameterEdit_, &QLineEdit::textEdited, this, &StrategyTesterWindow::parameterEdited);
    connect(spins_, &QLineEdit::textChanged, this,
            [this](const QString& text) { main_.settings().TestStrategySpins = local(text); });
    connect(more_, &QPushButton::clicked, this, &StrategyTesterWindow::moreSpins);
    connect(less_, &QPushButton::clicked, this, &StrategyTesterWindow::fewerSpins);
    connect(stop_, &QToolButton::clicked, this, &StrategyTesterWindow::stop);
    connect(replay_, &QToolButton::clicked, this, &StrategyTesterWindow::runOnGame);
    connect(random_, &QToolButton::clicked, this, &StrategyTesterWindow::runOnRandomSpins);
    connect(realTime_, &QToolButton::clicked, this, &StrategyTesterWindow::runRealTime);
    connect(monteCarlo_, &QPushButton::clicked, this, &StrategyTesterWindow::monteCarloRequested);
}

void StrategyTesterWindow::layoutForOuterSize(int wf, int hf) {
    // The curve keeps its left edge; everything under the description memo
    // keeps its distance from the bottom.
    paintBox_->setGeometry(kCurveLeft - 6, kCurveTop, std::max(1, wf - 206), std::max(1, hf - 51));
    stepLabel_->setGeometry(wf - 100, kCurveTop + 4, 86, 16);
    balanceLabel_->setGeometry(wf - 120, hf - 60, 106, 16);
    memo_->resize(kColumnWidth, std::max(1, hf - 410));
    monteCarlo_->setGeometry(kLeft, hf - 329, kColumnWidth, 24);
    scaleLabel_->setGeometry(kLeft, hf - 301, kColumnWidth, 16);
    timesLabel_->setGeometry(kLeft + 2, hf - 282, 12, 16);
    less_->setGeometry(kLeft + 16, hf - 285, 26, 22);
    spins_->setGeometry(kLeft + 46, hf - 285, kColumnWidth - 78, 22);
    more_->setGeometry(kLeft + kColumnWidth - 28, hf - 285, 26, 22);
    parametersLabel_->setGeometry(kLeft, hf - 261, kColumnWidth, 16);
    parameterBox_->setGeometry(kLeft, hf - 245, kColumnWidth, 24);
    parameterEdit_->setGeometry(kLeft, hf - 213, kColumnWidth, 22);
    stop_->setGeometry(kLeft, hf - 185, 34, 34);
    gauge_->setGeometry(kLeft + 40, hf - 181, kColumnWidth - 40, 26);
    replay_->setGeometry(kLeft, hf - 149, kColumnWidth, 36);
    random_->setGeometry(kLeft, hf - 109, kColumnWidth, 36);
    realTime_->setGeometry(kLeft, hf - 69, kColumnWidth, 36);
    drawCurve();
}

void StrategyTesterWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutForOuterSize(width() + kFrameWidth, height() + kFrameHeightNoMenu);
}

void StrategyTesterWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (startupProblem_.isEmpty()) return;
    // After the window has appeared, so that the box stands over it.
    QTimer::singleShot(0, this, [this, message = std::exchange(startupProblem_, QString())] {
        QMessageBox::critical(this, kTitle, message);
    });
}

void StrategyTesterWindow::changeEvent(QEvent* event) {
    // The curve lives in an off-screen picture, so coming back to the window
    // shows it again rather than an empty frame.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) drawCurve();
    QWidget::changeEvent(event);
}

// ------------------------------------------------------------ the list

void StrategyTesterWindow::fillStrategyBox() {
    strategyBox_->clear();
    for (const std::string& entry : main_.settings().StrategyList)
        strategyBox_->addItem(local(strategyDisplayName(entry)));
}

void StrategyTesterWindow::addStrategy() {
    if (busy_) return;
    const QString path = chooseStrategyFile ? chooseStrategyFile(this, folder_) : QString();
    if (path.isEmpty()) return;
    const std::string name = bareFileName(local(path));
    if (name.empty()) return;
    main_.settings().StrategyList.push_back(name);
    // Adding shows the name in the list; it is loaded when chosen.
    const int selected = strategyBox_->currentIndex();
    strategyBox_->addItem(local(strategyDisplayName(name)));
    strategyBox_->setCurrentIndex(selected);
}

void StrategyTesterWindow::removeStrategy() {
    if (busy_) return;
    const int index = strategyBox_->currentIndex();
    auto& list = main_.settings().StrategyList;
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    list.erase(list.begin() + index);
    fillStrategyBox();
    strategyBox_->setCurrentIndex(-1);
}

QString StrategyTesterWindow::chosenEntry() const {
    const auto& list = main_.settings().StrategyList;
    const int index = strategyBox_->currentIndex();
    return index >= 0 && index < static_cast<int>(list.size()) ? local(list[static_cast<size_t>(index)])
                                                               : QString();
}

void StrategyTesterWindow::strategyChosen(int index) {
    if (busy_) return;
    startupProblem_.clear();
    const QString problem = loadStrategy(index);
    if (!problem.isEmpty()) QMessageBox::critical(this, kTitle, problem);
}

QString StrategyTesterWindow::loadStrategy(int index) {
    const auto& list = main_.settings().StrategyList;
    if (index < 0 || index >= static_cast<int>(list.size())) return {};
    // Only the bare name counts: strategies live in the player's folder.
    const QString path = QDir(folder_).filePath(local(bareFileName(list[static_cast<size_t>(index)])));
    StrategyFileRead read = loadStrategyFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    if (read.status == StrategyFileStatus::CannotOpen) return {};
    if (read.status == StrategyFileStatus::Failed) return local(read.message);
    strategy_ = std::move(read.strategy);
    ++loads_;
    QStringList description;
    for (const std::string& line : strategy_.description) description << local(line);
    memo_->setPlainText(description.join(QLatin1Char('\n')));
    shownParameters_ = visibleParameters(strategy_);
    parameterBox_->clear();
    for (int32_t p : shownParameters_) parameterBox_->addItem(local(strategy_.parameter(p).name));
    parameterBox_->setCurrentIndex(shownParameters_.empty() ? -1 : 0);
    parameterChosen(parameterBox_->currentIndex());
    return {};
}

// ------------------------------------------------------- parameters

void StrategyTesterWindow::parameterChosen(int index) {
    if (index < 0 || index >= static_cast<int>(shownParameters_.size())) {
        parameterEdit_->clear();
        parameterEdit_->setToolTip(QString());
        parameterBox_->setToolTip(QString());
        return;
    }
    const StrategyParameter& p = strategy_.parameter(shownParameters_[static_cast<size_t>(index)]);
    parameterEdit_->setText(QString::number(p.initiation));
    parameterEdit_->setToolTip(local(p.comment));
    parameterBox_->setToolTip(local(p.comment));
}

void StrategyTesterWindow::parameterEdited() {
    const int index = parameterBox_->currentIndex();
    if (busy_ || index < 0 || index >= static_cast<int>(shownParameters_.size())) return;
    StrategyParameter& p = strategy_.parameter(shownParameters_[static_cast<size_t>(index)]);
    p.initiation = digitsValue(local(parameterEdit_->text()));
    p.current = p.initiation;
}

// -------------------------------------------------------- spins box

void StrategyTesterWindow::moreSpins() { spins_->setText(local(doubledSpins(local(spins_->text())))); }

void StrategyTesterWindow::fewerSpins() { spins_->setText(local(halvedSpins(local(spins_->text())))); }

// -------------------------------------------------------------- runs

void StrategyTesterWindow::setRunning(bool running) {
    busy_ = running;
    for (QWidget* w :
         std::initializer_list<QWidget*>{strategyBox_, add_, delete_, parameterBox_, parameterEdit_, replay_,
                                         random_, realTime_, monteCarlo_})
        w->setEnabled(!running);
}

bool StrategyTesterWindow::runGame(bool replay) {
    if (busy_ || strategyBox_->currentIndex() < 0) return false;
    const std::string text = local(spins_->text());
    const int32_t spinCount = main_.state().SpinCount;
    const int32_t n = replay ? replaySpins(text, spinCount) : randomSpins(text, spinCount);

    setRunning(true);
    hasRun_ = true;
    lastRequested_ = n;
    // The run works on a copy: its final parameter values go back only if
    // the strategy was not replaced meanwhile.
    Strategy running = strategy_;
    const int loadsBefore = loads_;
    QElapsedTimer pace;
    pace.start();
    RunOptions options;
    // A step costs microseconds; checking the clock every 64 of them keeps
    // the check itself out of the run's time.
    options.progressInterval = 64;
    options.progress = [&](const RunProgress& p) {
        if (p.step != 1 && pace.elapsed() < kEventPaceMs) return false;
        pace.restart();
        if (p.requested != 0) gauge_->setValue(std::min(p.percent(), 100));
        QApplication::processEvents();
        return closing_;
    };
    const RunResult result = run_.Run(running, main_.state(), replay, n, options);
    if (loads_ == loadsBefore) strategy_.parameters = running.parameters;
    setRunning(false);
    switch (result.end) {
        case RunEnd::Finished:
            if (n != 0) gauge_->setValue(100);
            drawCurve();
            return true;
        case RunEnd::Stopped:
            return false;
        case RunEnd::Failed:
        case RunEnd::Refused:
            QMessageBox::critical(this, kTitle, local(result.message));
            return false;
    }
    return false;
}

void StrategyTesterWindow::stop() { run_.requestStop(); }

void StrategyTesterWindow::runOnGame() { runGame(true); }

void StrategyTesterWindow::runOnRandomSpins() { runGame(false); }

void StrategyTesterWindow::runRealTime() {
    if (busy_) return;
    if (strategyBox_->currentIndex() >= 0) {
        // Bets of a run that was stopped or failed are no bets for the next spin.
        if (!runGame(true)) return;
        drawCurve();
    }
    setRunning(true);
    waitForResultPhase();
    setRunning(false);
    if (closing_) return;
    if (transferToTable(run_.NextBets(), main_.state())) main_.pressTable(MouseButton::Left, 1, 1);
    refreshCompactWindows(main_);
}

void StrategyTesterWindow::waitForResultPhase() {
    if (main_.state().ResultTicks < 1 || closing_) return;
    QEventLoop loop;
    auto check = [this, &loop] {
        if (main_.state().ResultTicks < 1 || closing_) loop.quit();
    };
    const auto c1 = connect(&main_, &MainWindow::resultPhaseEnded, &loop, check);
    const auto c2 = connect(&main_, &MainWindow::closed, &loop, &QEventLoop::quit);
    loop.exec();
    disconnect(c1);
    disconnect(c2);
}

// ------------------------------------------------------------- curve

void StrategyTesterWindow::drawCurve() {
    const int w = std::max(1, paintBox_->width());
    const int h = std::max(1, paintBox_->height());
    curve_ = balanceCurve(run_.balancesOldestFirst(), lastRequested_, w, h);
    picture_ = QImage(w, h, QImage::Format_RGB32);
    {
        Canvas c(picture_);
        c.pen = {clBlack, 1, false};
        c.brush = {clWhite, false};
        c.Rectangle(0, 0, w, h);
        c.pen = {clBlue, 1, false};
        if (!curve_.points.empty()) {
            c.MoveTo(curve_.points.front().x, curve_.points.front().y);
            for (size_t i = 1; i < curve_.points.size(); ++i)
                c.LineTo(curve_.points[i].x, curve_.points[i].y);
        }
    }
    paintBox_->setImage(picture_);
}

void StrategyTesterWindow::readCurve(int x, int y) {
    if (!hasRun_) return;
    const BalanceCurve c =
        balanceCurve(run_.balancesOldestFirst(), lastRequested_, std::max(1, paintBox_->width()),
                     std::max(1, paintBox_->height()), false);
    const CurveReadOut r = curveReadOut(c, x, y);
    stepLabel_->setText(QStringLiteral("Step: %1").arg(r.step));
    balanceLabel_->setText(QStringLiteral("Balance: %1 $").arg(r.level));
}

}  // namespace kv
