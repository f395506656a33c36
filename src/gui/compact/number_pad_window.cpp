#include "gui/compact/number_pad_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "core/game_state.h"
#include "core/roulette.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/common/window_geometry.h"
#include "gui/compact/compact_common.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

const QString kTitle = QStringLiteral("Input Online Casino Numbers");
constexpr uint32_t kDarkGreen = 0x004000;
constexpr uint32_t kPadBack = 0x005000;

// One field of a pad: the number's colour with a light frame and the number
// in the middle.
void padField(Canvas& c, int x1, int y1, int x2, int y2, int n) {
    c.pen = {0xC0C0C0, 1, false};
    c.brush = {compactNumberBackground(n), false};
    c.Rectangle(x1, y1, x2, y2);
    c.font.bold = true;
    c.font.size = 9;
    c.font.color = n == 0 ? clBlack : clWhite;
    c.brush.clear = true;
    const QString t = QString::number(n);
    c.TextOut((x1 + x2 - c.TextWidth(t)) / 2, (y1 + y2 - c.TextHeight(t)) / 2, t);
}

}  // namespace

QImage buildHorizontalPad() {
    QImage img(305, 132, QImage::Format_RGB32);
    Canvas c(img);
    c.pen = {kPadBack, 1, false};
    c.brush = {kPadBack, false};
    c.Rectangle(0, 0, 305, 132);
    padField(c, 3, 2, 26, 128, 0);
    for (int i = 1; i <= 12; ++i)
        for (int j = 0; j < 3; ++j)
            padField(c, 3 + 23 * i, 2 + 42 * j, 3 + 23 * (i + 1), 2 + 42 * (j + 1), 3 * i - j);
    return img;
}

QImage buildVerticalPad() {
    QImage img(132, 305, QImage::Format_RGB32);
    Canvas c(img);
    c.pen = {kPadBack, 1, false};
    c.brush = {kPadBack, false};
    c.Rectangle(0, 0, 132, 305);
    padField(c, 2, 3, 128, 26, 0);
    for (int i = 1; i <= 12; ++i)
        for (int j = 0; j < 3; ++j)
            padField(c, 2 + 42 * j, 3 + 23 * i, 2 + 42 * (j + 1), 3 + 23 * (i + 1), 3 * i - 2 + j);
    return img;
}

NumberPadWindow::NumberPadWindow(MainWindow& main) : QWidget(nullptr, Qt::Window), main_(main) {
    setObjectName(QStringLiteral("NumberPadWindow"));
    setWindowTitle(kTitle);
    paintGreen(this);

    horizontalPadPicture_ = buildHorizontalPad();
    verticalPadPicture_ = buildVerticalPad();
    horizontalPad_ = new ImageBox(this);
    horizontalPad_->setObjectName(QStringLiteral("horizontalPad"));
    horizontalPad_->setGeometry(3, 3, 305, 132);
    horizontalPad_->setImage(horizontalPadPicture_);
    verticalPad_ = new ImageBox(this);
    verticalPad_->setObjectName(QStringLiteral("verticalPad"));
    verticalPad_->setGeometry(3, 3, 132, 305);
    verticalPad_->setImage(verticalPadPicture_);
    verticalPad_->hide();
    for (ImageBox* pad : {verticalPad_, horizontalPad_}) {
        pad->setCursor(Qt::PointingHandCursor);
        pad->onMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
            if (b == Qt::LeftButton) padMouseDown(x, y);
        };
    }

    queueView_ = new ImageBox(this);
    queueView_->setObjectName(QStringLiteral("queueView"));
    queueScroll_ = new QScrollBar(Qt::Vertical, this);
    queueScroll_->setObjectName(QStringLiteral("queueScroll"));
    queueScroll_->setRange(0, kQueueScrollMax);
    queueScroll_->setValue(kQueueScrollMax);
    queueScroll_->setSingleStep(kQueueScrollMax / 100);
    queueScroll_->setPageStep(kQueueScrollMax / 10);
    connect(queueScroll_, &QScrollBar::valueChanged, this, &NumberPadWindow::drawQueue);

    orientationButton_ = new QPushButton(QStringLiteral("Vert"), this);
    orientationButton_->setObjectName(QStringLiteral("orientationButton"));
    connect(orientationButton_, &QPushButton::clicked, this, &NumberPadWindow::toggleOrientation);
    future_ = new QCheckBox(QStringLiteral("Future"), this);
    future_->setObjectName(QStringLiteral("futureBox"));
    {
        // White text on the green window. Through the palette, not a style
        // sheet: a style sheet makes the style draw the indicator its own
        // way, and a ticked box then looks disabled.
        QPalette pal = future_->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        future_->setPalette(pal);
    }
    back_ = new QPushButton(QStringLiteral("<<"), this);
    back_->setObjectName(QStringLiteral("backButton"));
    back_->setToolTip(QStringLiteral("Remove the last queued number"));
    connect(back_, &QPushButton::clicked, this, &NumberPadWindow::dropLastNumber);
    clear_ = new QPushButton(QStringLiteral("Clr"), this);
    clear_->setObjectName(QStringLiteral("clearButton"));
    clear_->setToolTip(QStringLiteral("Empty the queue"));
    connect(clear_, &QPushButton::clicked, this, &NumberPadWindow::clearQueue);
    load_ = new QPushButton(QStringLiteral("Load"), this);
    load_->setObjectName(QStringLiteral("loadButton"));
    load_->setToolTip(QStringLiteral("Read numbers from a text file, one per line"));
    connect(load_, &QPushButton::clicked, this, &NumberPadWindow::loadNumbers);

    Settings& st = main_.settings();
    orientation_ = st.PadOrientation == 1 ? PadOrientation::Vertical : PadOrientation::Horizontal;
    future_->setChecked(st.PadMode == 1);
    connect(future_, &QCheckBox::toggled, this, &NumberPadWindow::modeChanged);
    modeChanged();
    applyLayout();

    connect(&main_, &MainWindow::onlineQueueChanged, this, &NumberPadWindow::drawQueue);
    drawQueue();
    main_.registerWindow(WindowId::InputOnline, this, MenuItem::OnlineNumbersInput);
    applyLayout();  // the size belongs to the orientation
}

ImageBox* NumberPadWindow::pad() const {
    return orientation_ == PadOrientation::Vertical ? verticalPad_ : horizontalPad_;
}

bool NumberPadWindow::future() const { return future_->isChecked(); }

void NumberPadWindow::applyLayout() {
    const bool vertical = orientation_ == PadOrientation::Vertical;
    verticalPad_->setVisible(vertical);
    horizontalPad_->setVisible(!vertical);
    orientationButton_->setText(vertical ? QStringLiteral("Hor") : QStringLiteral("Vert"));
    const int h = vertical ? 305 : 129;
    queueView_->setGeometry(vertical ? 139 : 312, 3, 25, h);
    queueScroll_->setGeometry(vertical ? 163 : 336, 3, 17, h);
    orientationButton_->setGeometry(vertical ? 139 : 312, vertical ? 312 : 140, 45, 22);
    clear_->setGeometry(vertical ? 87 : 245, vertical ? 312 : 140, 25, 22);
    back_->setGeometry(vertical ? 113 : 219, vertical ? 312 : 140, 25, 22);
    future_->setGeometry(vertical ? 8 : 140, vertical ? 312 : 140, 78, 22);
    load_->setGeometry(vertical ? 139 : 271, vertical ? 336 : 140, 40, 22);
    const int outerW = vertical ? 200 : 370;
    const int outerH = vertical ? 398 : 212;
    resize(clientWidthFor(outerW), clientHeightFor(outerH));
}

void NumberPadWindow::modeChanged() {
    const bool fut = future_->isChecked();
    future_->setText(fut ? QStringLiteral("Future") : QStringLiteral("Real time"));
    clear_->setEnabled(fut);
    back_->setEnabled(fut);
    main_.settings().PadMode = fut ? 1 : 0;
}

void NumberPadWindow::setStatus(const QString& s) {
    status_ = s;
    setWindowTitle(s.isEmpty() ? kTitle : kTitle + QStringLiteral(" - ") + s);
}

void NumberPadWindow::padMouseDown(int x, int y) {
    const auto n = padNumberAt(orientation_, x, y);
    if (!n) return;  // beyond the last column or row
    padNumber(*n);
}

void NumberPadWindow::padNumber(int n) {
    if (future()) {
        if (!main_.state().queuePush(n)) {
            QApplication::beep();
            setStatus(QStringLiteral("queue full (%1 numbers)").arg(kOnlineQueueMax));
            return;
        }
        if (!status_.isEmpty()) setStatus(QString());
        drawQueue();
    } else {
        main_.enterMemoLine(QString::number(n));
    }
}

QString NumberPadWindow::loadNumbersFrom(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QByteArray bytes = f.readAll();
    const NumberListRead r =
        readNumberList(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    for (int v : r.values) {
        if (future() && static_cast<int>(main_.state().OnlineQueue.size()) >= kOnlineQueueMax) {
            padNumber(v);  // beeps and says so; nothing queued is lost
            break;
        }
        padNumber(v);
    }
    drawQueue();
    const QString error = QString::fromStdString(r.error);
    if (!error.isEmpty()) setStatus(error);
    return error;
}

void NumberPadWindow::drawQueue() {
    const GameState& s = main_.state();
    const int h = queueView_->height();
    QImage img(25, h, QImage::Format_RGB32);
    Canvas c(img);
    c.pen = {kDarkGreen, 1, false};
    c.brush = {kDarkGreen, false};
    c.Rectangle(0, 0, 25, h);
    const int count = static_cast<int>(s.OnlineQueue.size());
    const QueueView v = kv::queueView(count, h, queueScroll_->value());
    c.font.bold = true;
    c.font.size = 12;
    c.font.color = clYellow;
    for (int i = v.first; i <= v.last; ++i) {
        const int n = s.OnlineQueue[static_cast<size_t>(i - 1)];
        c.brush = {compactNumberBackground(n), false};
        c.TextOut(2, (i - v.first) * 20 + 2, QString::fromStdString(padNumberText(n)));
    }
    queueView_->setImage(img);
}

void NumberPadWindow::toggleOrientation() {
    orientation_ =
        orientation_ == PadOrientation::Horizontal ? PadOrientation::Vertical : PadOrientation::Horizontal;
    applyLayout();
    main_.settings().PadOrientation = static_cast<int32_t>(orientation_);
    drawQueue();
}

void NumberPadWindow::clearQueue() {
    main_.state().OnlineQueue.clear();
    setStatus(QString());
    drawQueue();
}

void NumberPadWindow::dropLastNumber() {
    auto& q = main_.state().OnlineQueue;
    if (!q.empty()) q.pop_back();
    setStatus(QString());
    drawQueue();
}

void NumberPadWindow::loadNumbers() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load"));
    if (path.isEmpty()) return;
    const QString error = loadNumbersFrom(path);
    if (!error.isEmpty()) QMessageBox::warning(this, kTitle, error);
}

}  // namespace kv
