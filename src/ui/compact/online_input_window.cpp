#include "ui/compact/online_input_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "core/game_state.h"
#include "core/roulette.h"
#include "ui/canvas.h"
#include "ui/compact/compact_common.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"
#include "ui/window_geometry.h"

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
        for (int j = 0; j < 3; ++j) padField(c, 3 + 23 * i, 2 + 42 * j, 3 + 23 * (i + 1), 2 + 42 * (j + 1), 3 * i - j);
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

TForm20::TForm20(TForm1& main) : QWidget(nullptr, Qt::Window), main_(main) {
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(kTitle);
    paintGreen(this);

    horizontalPad_ = buildHorizontalPad();
    verticalPad_ = buildVerticalPad();
    image2_ = new ImageBox(this);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setGeometry(3, 3, 305, 132);
    image2_->setImage(horizontalPad_);
    image1_ = new ImageBox(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(3, 3, 132, 305);
    image1_->setImage(verticalPad_);
    image1_->hide();
    for (ImageBox* pad : {image1_, image2_}) {
        pad->setCursor(Qt::PointingHandCursor);
        pad->onMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
            if (b == Qt::LeftButton) padMouseDown(x, y);
        };
    }

    image3_ = new ImageBox(this);
    image3_->setObjectName(QStringLiteral("Image3"));
    scrollBar1_ = new QScrollBar(Qt::Vertical, this);
    scrollBar1_->setObjectName(QStringLiteral("ScrollBar1"));
    scrollBar1_->setRange(0, kQueueScrollMax);
    scrollBar1_->setValue(kQueueScrollMax);
    scrollBar1_->setSingleStep(kQueueScrollMax / 100);
    scrollBar1_->setPageStep(kQueueScrollMax / 10);
    connect(scrollBar1_, &QScrollBar::valueChanged, this, &TForm20::mypaint);

    speedButton1_ = new QPushButton(QStringLiteral("Vert"), this);
    speedButton1_->setObjectName(QStringLiteral("SpeedButton1"));
    connect(speedButton1_, &QPushButton::clicked, this, &TForm20::SpeedButton1Click);
    checkBox1_ = new QCheckBox(QStringLiteral("Future"), this);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->setStyleSheet(QStringLiteral("QCheckBox { color: white; }"));
    button2_ = new QPushButton(QStringLiteral("<<"), this);
    button2_->setObjectName(QStringLiteral("Button2"));
    button2_->setToolTip(QStringLiteral("Remove the last queued number"));
    connect(button2_, &QPushButton::clicked, this, &TForm20::Button2Click);
    button1_ = new QPushButton(QStringLiteral("Clr"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setToolTip(QStringLiteral("Empty the queue"));
    connect(button1_, &QPushButton::clicked, this, &TForm20::Button1Click);
    button3_ = new QPushButton(QStringLiteral("Load"), this);
    button3_->setObjectName(QStringLiteral("Button3"));
    button3_->setToolTip(QStringLiteral("Read numbers from a text file, one per line"));
    connect(button3_, &QPushButton::clicked, this, &TForm20::Button3Click);

    Settings& st = main_.settings();
    orientation_ = st.PadOrientation == 1 ? PadOrientation::Vertical : PadOrientation::Horizontal;
    checkBox1_->setChecked(st.PadMode == 1);
    connect(checkBox1_, &QCheckBox::toggled, this, &TForm20::modeChanged);
    modeChanged();
    applyLayout();

    connect(&main_, &TForm1::onlineQueueChanged, this, &TForm20::mypaint);
    mypaint();
    main_.registerWindow(WindowId::InputOnline, this, MenuItem::OnlineNumbersInput);
    applyLayout();  // the size belongs to the orientation
}

ImageBox* TForm20::pad() const { return orientation_ == PadOrientation::Vertical ? image1_ : image2_; }

bool TForm20::future() const { return checkBox1_->isChecked(); }

void TForm20::applyLayout() {
    const bool vertical = orientation_ == PadOrientation::Vertical;
    image1_->setVisible(vertical);
    image2_->setVisible(!vertical);
    speedButton1_->setText(vertical ? QStringLiteral("Hor") : QStringLiteral("Vert"));
    const int h = vertical ? 305 : 129;
    image3_->setGeometry(vertical ? 139 : 312, 3, 25, h);
    scrollBar1_->setGeometry(vertical ? 163 : 336, 3, 17, h);
    speedButton1_->setGeometry(vertical ? 139 : 312, vertical ? 312 : 140, 45, 22);
    button1_->setGeometry(vertical ? 87 : 245, vertical ? 312 : 140, 25, 22);
    button2_->setGeometry(vertical ? 113 : 219, vertical ? 312 : 140, 25, 22);
    checkBox1_->setGeometry(vertical ? 8 : 140, vertical ? 312 : 140, 78, 22);
    button3_->setGeometry(vertical ? 139 : 271, vertical ? 336 : 140, 40, 22);
    const int outerW = vertical ? 200 : 370;
    const int outerH = vertical ? 398 : 212;
    resize(clientWidthFor(outerW), clientHeightFor(outerH));
}

void TForm20::modeChanged() {
    const bool fut = checkBox1_->isChecked();
    checkBox1_->setText(fut ? QStringLiteral("Future") : QStringLiteral("Real time"));
    button1_->setEnabled(fut);
    button2_->setEnabled(fut);
    main_.settings().PadMode = fut ? 1 : 0;
}

void TForm20::setStatus(const QString& s) {
    status_ = s;
    setWindowTitle(s.isEmpty() ? kTitle : kTitle + QStringLiteral(" - ") + s);
}

void TForm20::padMouseDown(int x, int y) {
    const auto n = padNumberAt(orientation_, x, y);
    if (!n) return;  // beyond the last column or row
    padNumber(*n);
}

void TForm20::padNumber(int n) {
    if (future()) {
        if (!main_.state().queuePush(n)) {
            QApplication::beep();
            setStatus(QStringLiteral("queue full (%1 numbers)").arg(kOnlineQueueMax));
            return;
        }
        if (!status_.isEmpty()) setStatus(QString());
        mypaint();
    } else {
        main_.enterMemoLine(QString::number(n));
    }
}

QString TForm20::loadNumbers(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QByteArray bytes = f.readAll();
    const NumberListRead r = readNumberList(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    for (int v : r.values) {
        if (future() && static_cast<int>(main_.state().OnlineQueue.size()) >= kOnlineQueueMax) {
            padNumber(v);  // beeps and says so; nothing queued is lost
            break;
        }
        padNumber(v);
    }
    mypaint();
    const QString error = QString::fromStdString(r.error);
    if (!error.isEmpty()) setStatus(error);
    return error;
}

void TForm20::mypaint() {
    const GameState& s = main_.state();
    const int h = image3_->height();
    QImage img(25, h, QImage::Format_RGB32);
    Canvas c(img);
    c.pen = {kDarkGreen, 1, false};
    c.brush = {kDarkGreen, false};
    c.Rectangle(0, 0, 25, h);
    const int count = static_cast<int>(s.OnlineQueue.size());
    const QueueView v = queueView(count, h, scrollBar1_->value());
    c.font.bold = true;
    c.font.size = 12;
    c.font.color = clYellow;
    for (int i = v.first; i <= v.last; ++i) {
        const int n = s.OnlineQueue[static_cast<size_t>(i - 1)];
        c.brush = {compactNumberBackground(n), false};
        c.TextOut(2, (i - v.first) * 20 + 2, QString::fromStdString(padNumberText(n)));
    }
    image3_->setImage(img);
}

void TForm20::SpeedButton1Click() {
    orientation_ = orientation_ == PadOrientation::Horizontal ? PadOrientation::Vertical : PadOrientation::Horizontal;
    applyLayout();
    main_.settings().PadOrientation = static_cast<int32_t>(orientation_);
    mypaint();
}

void TForm20::Button1Click() {
    main_.state().OnlineQueue.clear();
    setStatus(QString());
    mypaint();
}

void TForm20::Button2Click() {
    auto& q = main_.state().OnlineQueue;
    if (!q.empty()) q.pop_back();
    setStatus(QString());
    mypaint();
}

void TForm20::Button3Click() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load"));
    if (path.isEmpty()) return;
    const QString error = loadNumbers(path);
    if (!error.isEmpty()) QMessageBox::warning(this, kTitle, error);
}

}  // namespace kv
