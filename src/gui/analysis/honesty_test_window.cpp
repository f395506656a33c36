#include "gui/analysis/honesty_test_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>

#include "analysis/test_game_bets.h"
#include "analysis/test_game_concentration.h"
#include "analysis/test_game_parity.h"
#include "gui/analysis/fairness_battery_panel.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/common/picture_painter.h"
#include "gui/common/window_geometry.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

// Events are handled this often while a test runs.
constexpr qint64 kEventPaceMs = 20;

// The speed buttons and the pictures on them.
constexpr int kButtonWidth = 121;
constexpr int kButtonHeight = 41;
constexpr int kPictureWidth = 115;
constexpr int kPictureHeight = 35;
constexpr int kGlyphSize = 31;

const QString kHonestyHint = QStringLiteral("Test your Online Casino on honesty");

// A small roulette wheel: a green zero between red and black pockets, the
// ball resting in one of them.
void drawWheelGlyph(Canvas& c, int x, int y, int size) {
    c.pen = {clBlack, 1, false};
    c.brush = {0x2060A0, false};  // the wooden rim
    c.Ellipse(x, y, x + size, y + size);
    const int in = 3;
    const int x1 = x + in, y1 = y + in, x2 = x + size - in, y2 = y + size - in;
    const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
    // Zero and an even number of pockets after it, so that red and black
    // alternate all the way round, as on the wheel.
    constexpr int kPockets = 13;
    constexpr double kStep = 360.0 / kPockets;
    const auto ray = [&](double degrees, double r) {
        const double a = degrees * std::numbers::pi / 180.0;
        return QPoint(static_cast<int>(std::lround(cx + r * std::cos(a))),
                      static_cast<int>(std::lround(cy - r * std::sin(a))));
    };
    c.pen.clear = true;
    for (int k = 0; k < kPockets; ++k) {
        const double from = 90.0 - kStep / 2 + kStep * k;
        c.brush.color = k == 0 ? clGreen : (k % 2 == 1 ? clRed : clBlack);
        const QPoint p0 = ray(from, 100), p1 = ray(from + kStep, 100);
        c.Pie(x1, y1, x2, y2, p0.x(), p0.y(), p1.x(), p1.y());
    }
    const int hub = size / 4;
    c.pen = {clBlack, 1, false};
    c.brush.color = clYellow;
    c.Ellipse(static_cast<int>(cx) - hub / 2, static_cast<int>(cy) - hub / 2,
              static_cast<int>(cx) + hub / 2 + 1, static_cast<int>(cy) + hub / 2 + 1);
    c.pen.clear = true;
    c.brush.color = clWhite;
    const QPoint ball = ray(90.0 + 3 * kStep, (x2 - x1) / 2.0 - 3);
    c.Ellipse(ball.x() - 2, ball.y() - 2, ball.x() + 3, ball.y() + 3);
}

// A stack of chips beside a small wheel: the bets that were played.
void drawBetsGlyph(Canvas& c, int x, int y, int size) {
    drawWheelGlyph(c, x, y, size - 8);
    c.pen = {clNavy, 1, false};
    for (int k = 0; k < 3; ++k) {
        const int top = y + size - 12 - 4 * k;
        c.brush.color = k == 1 ? clWhite : clYellow;
        c.Ellipse(x + size - 16, top, x + size, top + 9);
    }
}

// Two cards, "E" and "O": even against odd.
void drawParityGlyph(Canvas& c, int x, int y, int size) {
    const int w = size * 3 / 5;
    c.font.size = 10;
    c.font.bold = true;
    c.brush.clear = true;
    c.pen = {clBlack, 1, false};
    c.brush = {clNavy, false};
    c.Rectangle(x, y, x + w, y + w);
    c.brush.clear = true;
    c.font.color = clWhite;
    c.TextOut(x + (w - c.TextWidth(QStringLiteral("E"))) / 2, y + (w - c.TextHeight(QStringLiteral("E"))) / 2,
              QStringLiteral("E"));
    const int x2 = x + size - w, y2 = y + size - w;
    c.brush = {clRed, false};
    c.Rectangle(x2, y2, x2 + w, y2 + w);
    c.brush.clear = true;
    c.TextOut(x2 + (w - c.TextWidth(QStringLiteral("O"))) / 2,
              y2 + (w - c.TextHeight(QStringLiteral("O"))) / 2, QStringLiteral("O"));
}

// The picture of one speed button: a glyph on the left, the button's two
// lines of text beside it, on a transparent ground so the flat button shows
// the window's colour through it.
QIcon buttonPicture(int which, const QString& line1, const QString& line2) {
    QImage img(kPictureWidth, kPictureHeight, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    {
        Canvas c(img);
        const int gy = (kPictureHeight - kGlyphSize) / 2;
        if (which == 1) drawWheelGlyph(c, 1, gy, kGlyphSize);
        if (which == 2) drawBetsGlyph(c, 1, gy, kGlyphSize);
        if (which == 3) drawParityGlyph(c, 3, gy + 2, kGlyphSize - 4);
        c.font = Canvas::Font();
        c.font.size = 8;
        c.font.bold = true;
        c.font.color = clNavy;
        c.brush.clear = true;
        const int textLeft = kGlyphSize + 5;
        const int lineHeight = c.TextHeight(line1);
        const int top = (kPictureHeight - 2 * lineHeight) / 2;
        c.TextOut(textLeft, top, line1);
        c.TextOut(textLeft, top + lineHeight, line2);
    }
    QIcon icon;
    const QPixmap pixmap = QPixmap::fromImage(img);
    icon.addPixmap(pixmap, QIcon::Normal);
    // While a test runs the buttons are disabled; the picture says so by
    // fading, as a speed button's glyph does.
    QImage faded = img;
    for (int y = 0; y < faded.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(faded.scanLine(y));
        for (int x = 0; x < faded.width(); ++x)
            row[x] = qRgba(qRed(row[x]), qGreen(row[x]), qBlue(row[x]), qAlpha(row[x]) / 3);
    }
    icon.addPixmap(QPixmap::fromImage(faded), QIcon::Disabled);
    return icon;
}

QToolButton* speedButton(QWidget* parent, int which, const QString& line1, const QString& line2) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QStringLiteral("SpeedButton%1").arg(which));
    b->setIcon(buttonPicture(which, line1, line2));
    b->setIconSize(QSize(kPictureWidth, kPictureHeight));
    b->setAutoRaise(true);  // flat: a frame only under the mouse
    b->setAccessibleName(line1 + QLatin1Char(' ') + line2);
    b->setGeometry(8, 8 + 48 * (which - 1), kButtonWidth, kButtonHeight);
    return b;
}

std::filesystem::path rndTestPath(const ProgramFolders& folders) {
    return std::filesystem::path(
        QFile::encodeName(folders.dataFile(QString::fromLatin1(kRndTestFileName))).toStdString());
}

}  // namespace

HonestyTestWindow::HonestyTestWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("HonestyTestWindow"));
    setWindowTitle(QStringLiteral("Test Game"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(clMoneyGreen));
    setPalette(pal);
    setFont(classicFont());

    // Two pages: the three honesty tests exactly as they always were, and
    // the fairness battery, which needs a table and two pictures of its own.
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->setDocumentMode(true);
    page_ = new QWidget();
    page_->setObjectName(QStringLiteral("honestyPage"));
    page_->installEventFilter(this);
    fairness_ = new FairnessBatteryPanel(main_, nullptr);
    tabs_->addTab(page_, QStringLiteral("Honesty tests"));
    tabs_->addTab(fairness_, QStringLiteral("Fairness battery"));
    auto* pages = new QVBoxLayout(this);
    pages->setContentsMargins(0, 0, 0, 0);
    pages->addWidget(tabs_);

    speed_[0] = speedButton(page_, 1, QStringLiteral("Test Random"), QStringLiteral("Only"));
    speed_[0]->setToolTip(kHonestyHint);
    speed_[1] = speedButton(page_, 2, QStringLiteral("Test Random"), QStringLiteral("with Bets"));
    speed_[1]->setToolTip(kHonestyHint);
    speed_[2] = speedButton(page_, 3, QStringLiteral("Check on"), QStringLiteral("parity"));

    progress_ = new QProgressBar(page_);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setGeometry(8, 152, 121, 16);

    collecting_ = new QLabel(QStringLiteral("Collecting more"), page_);
    collecting_->setObjectName(QStringLiteral("collectingLabel"));
    collecting_->move(8, 184);
    collecting_->adjustSize();
    statistic_ = new QLabel(QStringLiteral("Statistic"), page_);
    statistic_->setObjectName(QStringLiteral("statisticLabel"));
    statistic_->move(8, 200);
    statistic_->adjustSize();

    close_ = new QPushButton(QStringLiteral("Close"), page_);
    close_->setObjectName(QStringLiteral("closeButton"));
    close_->setToolTip(QStringLiteral("Close this Window"));
    close_->setGeometry(8, 224, 105, 33);

    memo_ = new QPlainTextEdit(page_);
    memo_->setObjectName(QStringLiteral("report"));
    memo_->setToolTip(QStringLiteral("Text Information"));
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette memoPal = memo_->palette();
    memoPal.setColor(QPalette::Base, winColor(clSkyBlue));
    memoPal.setColor(QPalette::Text, Qt::black);
    memo_->setPalette(memoPal);
    memo_->setGeometry(136, 8, 217, 249);

    paintBox_ = new ImageBox(page_);
    paintBox_->setObjectName(QStringLiteral("curveView"));
    paintBox_->setToolTip(QStringLiteral("Graphic Information"));
    paintBox_->setGeometry(360, 8, 241, 249);

    connect(speed_[0], &QToolButton::clicked, this, &HonestyTestWindow::testRandomOnly);
    connect(speed_[1], &QToolButton::clicked, this, &HonestyTestWindow::testWithBets);
    connect(speed_[2], &QToolButton::clicked, this, &HonestyTestWindow::testParity);
    connect(close_, &QPushButton::clicked, this, &HonestyTestWindow::close);

    // The limits are read once; the file is not looked at again this run.
    limits_ = RndTestTable::read(rndTestPath(main_.folders()));

    resize(clientWidthFor(614), clientHeightFor(301));
    main_.registerWindow(WindowId::TestGame, this, MenuItem::TestGame);
    // The tab bar sits on top of the classic window: a window stored at the
    // classic size or below grows by it, so the first page keeps its classic
    // room (and the Close button stays clear of the labels).
    const int classic = clientHeightFor(301) + tabs_->tabBar()->sizeHint().height();
    if (height() < classic) resize(width(), classic);
    FormResize();
}

HonestyTestWindow::~HonestyTestWindow() = default;

void HonestyTestWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

bool HonestyTestWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == page_ && event->type() == QEvent::Resize) FormResize();
    return QWidget::eventFilter(watched, event);
}

void HonestyTestWindow::FormResize() {
    // The first page is the classic window's client area: its rules hold
    // for the page, whatever the tab bar above it takes.
    const int wf = page_->width() + kFrameWidth;
    const int hf = page_->height() + kFrameHeightNoMenu;
    // A window narrower than the controls beside the paint box leaves it a
    // sliver rather than no picture at all.
    paintBox_->resize(std::max(1, wf - 379), std::max(1, hf - 49));
    memo_->resize(memo_->width(), std::max(1, hf - 49));
    close_->move(close_->x(), hf < 261 ? 192 : hf - 74);
    DrawTestCurve();
}

void HonestyTestWindow::DrawTestCurve() {
    const int w = paintBox_->width();
    const int h = paintBox_->height();
    QImage img(w, h, QImage::Format_RGB32);
    {
        Canvas c(img);
        c.brush = {clWhite, false};
        c.pen = {clBlack, 1, false};
        c.Rectangle(0, 0, w, h);
        const CurveLayout layout = layoutTestCurve(curve_, w, h);
        for (const CurveStroke& s : layout.strokes) {
            c.pen.color = s.color == StrokeColor::Red ? clRed : clBlue;
            c.MoveTo(s.x, s.yFrom);
            c.LineTo(s.x, s.yTo);
        }
        // The legends sit on white boxes over the strokes, as text with a
        // solid brush does.
        c.brush = {clWhite, false};
        for (const CurveLegend& l : layout.legends) {
            c.font.color = l.color == StrokeColor::Red ? clRed : clBlue;
            c.TextOut(l.x, l.y, QString::fromLocal8Bit(l.text.c_str()));
        }
    }
    paintBox_->setImage(img);
}

char HonestyTestWindow::decimalSeparator() const {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 0x80 ? static_cast<char>(point.at(0).unicode()) : '.';
}

std::vector<std::string> HonestyTestWindow::memoLines() const {
    std::vector<std::string> out;
    const QString text = memo_->toPlainText();
    if (text.isEmpty()) return out;
    for (const QString& line : text.split(QLatin1Char('\n'))) out.push_back(line.toLocal8Bit().toStdString());
    return out;
}

void HonestyTestWindow::setLines(const std::vector<std::string>& lines) {
    QStringList all;
    for (const std::string& line : lines) all.push_back(QString::fromLocal8Bit(line.c_str()));
    memo_->setPlainText(all.join(QLatin1Char('\n')));
}

TestProgress HonestyTestWindow::progressCallback() {
    auto pace = std::make_shared<QElapsedTimer>();
    pace->start();
    return [this, pace](int percent) {
        if (progress_->value() != percent) progress_->setValue(percent);
        if (pace->elapsed() < kEventPaceMs) return;
        pace->restart();
        QApplication::processEvents();
    };
}

void HonestyTestWindow::setRunning(bool running) {
    running_ = running;
    for (QToolButton* b : speed_) b->setEnabled(!running);
}

void HonestyTestWindow::testRandomOnly() {
    if (running_) return;
    setRunning(true);
    memo_->clear();
    // The spins are copied before the test starts: a number played while it
    // handles events does not change the history under it.
    const std::vector<int32_t> spins = spinNumbers(main_.state());
    const ConcentrationResult r = ConcentrationTest(spins, limits_, progressCallback());
    setRunning(false);
    setLines(r.lines);
    curve_ = r.curve;
    DrawTestCurve();
}

void HonestyTestWindow::testWithBets() {
    if (running_) return;
    setRunning(true);
    // A copy, for the same reason as above: the bets of every spin are read
    // again while events are handled.
    const GameState game = main_.state();
    const BetsTestResult r = BetsTest(game, progressCallback(), decimalSeparator());
    setRunning(false);
    setLines(r.lines);
    curve_ = r.curve;
    DrawTestCurve();
}

void HonestyTestWindow::testParity() {
    if (running_) return;
    const ParityResult r = ParityTest(main_.state(), decimalSeparator());
    setLines(r.lines);
    // The curve stays as it was and comes back on the next resize.
    QImage img(paintBox_->width(), paintBox_->height(), QImage::Format_RGB32);
    {
        Canvas c(img);
        c.pen.clear = true;
        c.brush = {clWhite, false};
        c.FillRect(0, 0, img.width(), img.height());
    }
    paintBox_->setImage(img);
}

void HonestyTestWindow::close() { QWidget::close(); }

}  // namespace kv
