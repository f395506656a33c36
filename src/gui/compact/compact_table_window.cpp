#include "gui/compact/compact_table_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "core/game_state.h"
#include "core/online_pad.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/compact/compact_common.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"

namespace kv {

namespace {

struct Layout {
    QSize picture;
    QRect memo;
    QRect maxButton;
    int moneyFont;
    std::array<TablePoint, 3> moneyAt;
};

// The row of the last numbers is part of MinimizeScale.
const Layout kThird{
    {337, 165}, {7, 119, 96, 40}, {7, 168, 50, 24}, 8, {{{135, 118}, {200, 118}, {250, 118}}}};
const Layout kHalf{
    {507, 246}, {8, 176, 145, 65}, {8, 249, 60, 24}, 12, {{{200, 179}, {305, 179}, {380, 179}}}};

// The main table picture scaled down by d, cut so that picture point (X, Y)
// shows table point ((X + 2) d, Y d), where a press is forwarded.
QImage reducedPicture(const QImage& table, int d, QSize size) {
    const QRect source(2 * d, 0, size.width() * d, size.height() * d);
    QImage cut(source.size(), QImage::Format_RGB32);
    cut.fill(Qt::black);
    {
        QPainter p(&cut);
        p.drawImage(QPoint(0, 0), table, source.intersected(table.rect()));
    }
    return cut.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

MouseButton fromQt(Qt::MouseButton b) {
    if (b == Qt::RightButton) return MouseButton::Right;
    if (b == Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::Left;
}

}  // namespace

CompactTableWindow::CompactTableWindow(MainWindow& main, Kind kind)
    : QWidget(nullptr, Qt::Window),
      main_(main),
      kind_(kind),
      scale_(kind == Kind::Third ? kMinimize1 : kMinimize2) {
    const Layout& L = kind_ == Kind::Third ? kThird : kHalf;
    setObjectName(kind_ == Kind::Third ? QStringLiteral("MinimizeWindow")
                                       : QStringLiteral("Minimize2Window"));
    setWindowTitle(kind_ == Kind::Third ? QStringLiteral("Minimize") : QStringLiteral("Minimize 2"));
    paintGreen(this);

    picture_ = reducedPicture(main_.renderer().picture(), scale_.d, L.picture);
    paintBox_ = new ImageBox(this);
    paintBox_->setObjectName(QStringLiteral("tableView"));
    paintBox_->setGeometry(QRect(QPoint(0, 0), L.picture));
    paintBox_->onMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        pictureMouseDown(b, x, y);
    };
    paintBox_->onMouseMove = [this](Qt::MouseButtons, int, int) { pictureMouseMove(); };

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("memo"));
    memo_->setGeometry(L.memo);
    memo_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: black; color: yellow; }"));
    memo_->installEventFilter(this);
    connect(memo_, &QPlainTextEdit::textChanged, this, &CompactTableWindow::memoChanged);

    maxButton_ = new QPushButton(QStringLiteral("MAX"), this);
    maxButton_->setObjectName(QStringLiteral("maxButton"));
    maxButton_->setGeometry(L.maxButton);
    maxButton_->setFocusPolicy(Qt::NoFocus);
    connect(maxButton_, &QPushButton::clicked, this, &CompactTableWindow::restoreMainWindow);

    // Follow the main table: it paints after every click, spin and timer
    // step that changes what it shows.
    connect(&main_, &MainWindow::tablePainted, this, [this] {
        refreshRequested_ = false;
        if (isVisible()) copyTablePicture();
    });
    copyTablePicture();

    const WindowId id = kind_ == Kind::Third ? WindowId::Minimize : WindowId::Minimize2;
    main_.registerWindow(id, this);
    main_.registerCommand(kind_ == Kind::Third ? MenuItem::Minimize : MenuItem::Minimize2,
                          [this] { standIn(main_, this); });
}

QWidget* CompactTableWindow::tableView() const { return paintBox_; }

void CompactTableWindow::copyTablePicture() {
    const GameState& s = main_.state();
    const Layout& L = kind_ == Kind::Third ? kThird : kHalf;
    frame_ = picture_.copy();
    Canvas c(frame_);

    // The last ten numbers, the latest on the left, each inside its own step.
    const NumberRow& row = scale_.numbers;
    c.font.bold = true;
    c.font.color = clYellow;
    c.font.size = numberRowFontSize(row, [&c](int size) {
        c.font.size = size;
        return std::max(c.TextWidth(QStringLiteral("88")), c.TextWidth(QStringLiteral(" 8 ")));
    });
    for (int k = 1; k <= 10 && k <= s.SpinCount; ++k) {
        const int n = s.SpinHistory(k);
        const QString text = QString::fromStdString(padNumberText(n));
        c.brush = {compactNumberBackground(n), false};
        c.TextOut(numberRowTextLeft(row, k, c.TextWidth(text)), row.first.y, text);
    }

    // Money.
    c.font.bold = false;
    c.font.size = L.moneyFont;
    c.brush = {clBlack, false};
    c.TextOut(L.moneyAt[0].x, L.moneyAt[0].y, QString::number(static_cast<int64_t>(s.Credit) - s.Bet) + "  ");
    c.TextOut(L.moneyAt[1].x, L.moneyAt[1].y, QString::number(s.Bet) + "   ");
    c.TextOut(L.moneyAt[2].x, L.moneyAt[2].y, QString::number(s.Win) + "     ");

    if (kind_ == Kind::Half) {
        c.brush = {clPurple, false};
        c.TextOut(165, 142, QString::number(s.ChipValue));
        const TablePoint centre = minimize2LatestCentre(s.SpinHistory(1));
        c.pen = {clYellow, 3, false};
        c.brush.clear = true;
        c.Ellipse(centre.x - 10, centre.y - 20, centre.x + 10, centre.y + 20);
        c.pen = {clBlack, 1, false};
    }

    // A marker on every spot that carries a bet.
    c.font.size = 5;
    c.font.color = clBlack;
    for (const BetCell& cell : allBetCells()) {
        const int32_t amount = s.CurrentBets.at(cell.c, cell.r);
        if (amount == 0) continue;
        const TablePoint p = minimizeMarkerPoint(scale_, cell);
        c.pen = {clBlack, 1, false};
        c.brush = {0xFFA0A0, false};  // red 160, green 160, blue 255
        if (kind_ == Kind::Third) {
            c.Ellipse(p.x + 109, p.y - 1, p.x + 119, p.y + 9);
        } else {
            c.Ellipse(p.x + 165, p.y, p.x + 177, p.y + 12);
            c.brush.clear = true;
            c.TextOut(p.x + minimize2AmountOffset(amount), p.y, QString::number(amount));
        }
    }
    paintBox_->setImage(frame_);
}

void CompactTableWindow::showEvent(QShowEvent* event) {
    // While hidden the window does not follow the table; it catches up the
    // moment it appears.
    copyTablePicture();
    QWidget::showEvent(event);
}

void CompactTableWindow::pictureMouseDown(Qt::MouseButton button, int x, int y) {
    const TablePoint p = minimizeToTable(scale_, x, y);
    main_.pressTable(fromQt(button), p.x, p.y);
    refreshRequested_ = true;
    copyTablePicture();
}

void CompactTableWindow::pictureMouseMove() {
    // Moving over the picture passes on a press at picture point (1, 1),
    // off the table: it cuts a running result phase short and keeps the
    // main table (and so this window) up to date.
    if (main_.isSpinning()) return;
    const TablePoint p = minimizeToTable(scale_, 1, 1);
    main_.pressTable(MouseButton::Left, p.x, p.y);
    copyTablePicture();
}

void CompactTableWindow::restoreMainWindow() {
    main_.show();
    main_.activateWindow();
    closingByButton_ = true;
    close();
    closingByButton_ = false;
}

void CompactTableWindow::memoChanged() {
    if (clearingMemo_) return;
    // What is typed here is what the main window plays.
    main_.memo()->setPlainText(memo_->toPlainText());
}

bool CompactTableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrlOnly = (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
        if (ctrlOnly && key->key() == Qt::Key_W) {
            main_.pressTable(MouseButton::Left, kWheelClick.x, kWheelClick.y);
            copyTablePicture();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && main_.isOnlineGame()) {
            main_.memo()->setPlainText(memo_->toPlainText());
            main_.memoKeyPressed(Qt::Key_Return, Qt::NoModifier);
            copyTablePicture();
            // A refused entry stays in the main window's memo; it stays here
            // too, for the player to mend rather than type again.
            if (main_.memo()->toPlainText().isEmpty()) {
                clearingMemo_ = true;
                memo_->clear();
                clearingMemo_ = false;
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CompactTableWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_W && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        main_.pressTable(MouseButton::Left, kWheelClick.x, kWheelClick.y);
        copyTablePicture();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CompactTableWindow::closeEvent(QCloseEvent* event) {
    closeCompactWindow(this, main_, closingByButton_, event);
}

void refreshCompactWindows(MainWindow& main) {
    for (WindowId id : {WindowId::Minimize, WindowId::Minimize2}) {
        auto* w = qobject_cast<CompactTableWindow*>(main.window(id));
        if (w != nullptr && w->isVisible()) w->copyTablePicture();
    }
}

}  // namespace kv
