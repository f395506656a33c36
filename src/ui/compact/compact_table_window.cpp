#include "ui/compact/compact_table_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/game_state.h"
#include "core/online_pad.h"
#include "ui/canvas.h"
#include "ui/compact/compact_common.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"
#include "ui/main/memo_edit.h"

namespace kv {

namespace {

struct Layout {
    QSize picture;
    QRect memo;
    QRect maxButton;
    int numberFont;
    int numberStep;
    TablePoint numbersAt;
    int moneyFont;
    std::array<TablePoint, 3> moneyAt;
};

const Layout kThird{{337, 165}, {7, 119, 96, 40}, {7, 168, 50, 24}, 11, 18, {129, 138}, 8,
                    {{{135, 118}, {200, 118}, {250, 118}}}};
const Layout kHalf{{507, 246}, {8, 176, 145, 65}, {8, 249, 60, 24}, 15, 27, {197, 209}, 12,
                   {{{200, 179}, {305, 179}, {380, 179}}}};

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
    return cut.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

MouseButton fromQt(Qt::MouseButton b) {
    if (b == Qt::RightButton) return MouseButton::Right;
    if (b == Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::Left;
}

}  // namespace

CompactTableWindow::CompactTableWindow(TForm1& main, Kind kind)
    : QWidget(nullptr, Qt::Window), main_(main), kind_(kind), scale_(kind == Kind::Third ? kMinimize1 : kMinimize2) {
    const Layout& L = kind_ == Kind::Third ? kThird : kHalf;
    setObjectName(kind_ == Kind::Third ? QStringLiteral("Form16") : QStringLiteral("Form21"));
    setWindowTitle(kind_ == Kind::Third ? QStringLiteral("Minimize") : QStringLiteral("Minimize 2"));
    paintGreen(this);

    picture_ = reducedPicture(main_.renderer().picture(), scale_.d, L.picture);
    paintBox_ = new ImageBox(this);
    paintBox_->setObjectName(QStringLiteral("PaintBox2"));
    paintBox_->setGeometry(QRect(QPoint(0, 0), L.picture));
    paintBox_->onMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        pictureMouseDown(b, x, y);
    };
    paintBox_->onMouseMove = [this](Qt::MouseButtons, int, int) { pictureMouseMove(); };

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setGeometry(L.memo);
    memo_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: black; color: yellow; }"));
    memo_->installEventFilter(this);
    connect(memo_, &QPlainTextEdit::textChanged, this, &CompactTableWindow::memoChanged);

    maxButton_ = new QPushButton(QStringLiteral("MAX"), this);
    maxButton_->setObjectName(QStringLiteral("SpeedButton1"));
    maxButton_->setGeometry(L.maxButton);
    maxButton_->setFocusPolicy(Qt::NoFocus);
    connect(maxButton_, &QPushButton::clicked, this, &CompactTableWindow::SpeedButton1Click);

    // Follow the main table: it paints after every click, spin and timer
    // step that changes what it shows.
    connect(&main_, &TForm1::tablePainted, this, [this] {
        refreshRequested_ = false;
        if (isVisible()) izobr();
    });
    izobr();

    const WindowId id = kind_ == Kind::Third ? WindowId::Minimize : WindowId::Minimize2;
    main_.registerWindow(id, this);
    main_.registerCommand(kind_ == Kind::Third ? MenuItem::Minimize : MenuItem::Minimize2,
                          [this] { standIn(main_, this); });
}

QWidget* CompactTableWindow::PaintBox2() const { return paintBox_; }

void CompactTableWindow::izobr() {
    const GameState& s = main_.state();
    const Layout& L = kind_ == Kind::Third ? kThird : kHalf;
    frame_ = picture_.copy();
    Canvas c(frame_);

    // The last ten numbers, the latest on the left.
    c.font.bold = true;
    c.font.size = L.numberFont;
    c.font.color = clYellow;
    for (int k = 1; k <= 10 && k <= s.SpinCount; ++k) {
        const int n = s.SpinHistory(k);
        c.brush = {compactNumberBackground(n), false};
        c.TextOut((k - 1) * L.numberStep + L.numbersAt.x, L.numbersAt.y, QString::fromStdString(padNumberText(n)));
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

void CompactTableWindow::pictureMouseDown(Qt::MouseButton button, int x, int y) {
    const TablePoint p = minimizeToTable(scale_, x, y);
    main_.PaintBox1MouseDown(fromQt(button), p.x, p.y);
    refreshRequested_ = true;
    izobr();
}

void CompactTableWindow::pictureMouseMove() {
    // Moving over the picture passes on a press at picture point (1, 1),
    // off the table: it cuts a running result phase short and keeps the
    // main table (and so this window) up to date.
    if (main_.isSpinning()) return;
    const TablePoint p = minimizeToTable(scale_, 1, 1);
    main_.PaintBox1MouseDown(MouseButton::Left, p.x, p.y);
    izobr();
}

void CompactTableWindow::SpeedButton1Click() {
    main_.show();
    main_.activateWindow();
    closingByButton_ = true;
    close();
    closingByButton_ = false;
}

void CompactTableWindow::memoChanged() {
    if (clearingMemo_) return;
    // What is typed here is what the main window plays.
    main_.Memo1()->setPlainText(memo_->toPlainText());
}

bool CompactTableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrlOnly = (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
        if (ctrlOnly && key->key() == Qt::Key_W) {
            main_.PaintBox1MouseDown(MouseButton::Left, kWheelClick.x, kWheelClick.y);
            izobr();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && main_.isOnlineGame()) {
            main_.Memo1()->setPlainText(memo_->toPlainText());
            main_.Memo1KeyDown(Qt::Key_Return, Qt::NoModifier);
            izobr();
            clearingMemo_ = true;
            memo_->clear();
            clearingMemo_ = false;
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CompactTableWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_W && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        main_.PaintBox1MouseDown(MouseButton::Left, kWheelClick.x, kWheelClick.y);
        izobr();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CompactTableWindow::closeEvent(QCloseEvent* event) {
    closeCompactWindow(this, main_, closingByButton_, event);
}

}  // namespace kv
