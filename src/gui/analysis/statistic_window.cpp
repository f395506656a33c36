#include "gui/analysis/statistic_window.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

#include "analysis/sectors_bounds.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/common/picture_painter.h"
#include "gui/common/window_geometry.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

constexpr int kPaintLeft = 8;
constexpr int kPaintTop = 24;
constexpr int kPaintWidth = 489;
constexpr int kScrollLeft = 504;
constexpr int kScrollWidth = 25;

}  // namespace

StatisticWindow::StatisticWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("StatisticWindow"));
    setWindowTitle(QStringLiteral("Statistic"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(clMoneyGreen));
    setPalette(pal);
    setFont(classicFont());

    static constexpr int kLabelX[] = {24, 64, 88, 152, 224, 296, 360, 440};
    static constexpr const char* kLabelText[] = {"#",      "N",    "Even/Odd", "1-18/19-36",
                                                 "Dozens", "Col.", "Streets",  "Sector"};
    for (int i = 0; i < 8; ++i) {
        auto* l = new QLabel(QString::fromLatin1(kLabelText[i]), this);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->adjustSize();
        l->move(kLabelX[i], 8);
    }

    paintBox_ = new ImageBox(this);
    paintBox_->setObjectName(QStringLiteral("tableView"));
    paintBox_->setGeometry(kPaintLeft, kPaintTop, kPaintWidth, 521);
    paintBox_->onMouseMove = [this](Qt::MouseButtons, int, int) { hoverTable(); };

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName(QStringLiteral("scrollBar"));
    scrollBar_->setGeometry(kScrollLeft, kPaintTop, kScrollWidth, 521);
    scrollBar_->setRange(1, 1);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &StatisticWindow::scrolled);

    // Every recorded spin shows at once while the window is open.
    connect(&main_, &MainWindow::spinsChanged, this, [this] {
        if (isVisible()) refresh();
    });

    rows_ = kStatisticRowsAtStart;
    // Created before it is placed, so that a window reopened from the last
    // run draws its page when it shows.
    created_ = true;
    main_.registerWindow(WindowId::Statistic, this, MenuItem::Statistic);
}

void StatisticWindow::layoutPage() {
    const int outerHeight = height() + kFrameHeightNoMenu;
    const StatisticLayout l = statisticLayout(outerHeight, main_.state().SpinCount);
    paintHeight_ = l.paintHeight;
    rows_ = l.rows;
    paintBox_->setGeometry(kPaintLeft, kPaintTop, kPaintWidth, paintHeight_);
    scrollBar_->setGeometry(kScrollLeft, kPaintTop, kScrollWidth, paintHeight_);
    // Programmatic range changes are not the user moving the thumb.
    const QSignalBlocker block(scrollBar_);
    scrollBar_->setRange(l.scrollMin, l.scrollMax);
    scrollBar_->setPageStep(std::max(1, rows_));
}

void StatisticWindow::refresh() {
    if (!created_) return;
    layoutPage();
    {
        const QSignalBlocker block(scrollBar_);
        scrollBar_->setValue(scrollBar_->maximum());
    }
    DrawStatisticTable(true);
}

void StatisticWindow::FormResize() { refresh(); }

void StatisticWindow::scrolled() { DrawStatisticTable(true); }

void StatisticWindow::hoverTable() { DrawStatisticTable(false); }

void StatisticWindow::DrawStatisticTable(bool force) {
    layoutPage();
    const GameState& s = main_.state();
    const int32_t position = scrollBar_->value();
    const int32_t maximum = scrollBar_->maximum();
    if (!gate_.needsDrawing(force, s.SpinCount, position, maximum)) return;
    ++drawCount_;
    if (paintHeight_ <= 0) {
        page_ = QImage();
    } else {
        page_ = QImage(kPaintWidth, paintHeight_, QImage::Format_RGB32);
        // The table's outline leaves the last column and row to the window.
        page_.fill(winColor(clMoneyGreen));
        // The Wheel Sectors window keeps the current boundaries in the settings.
        const SectorBounds bounds = SectorBounds::fromNumbers(main_.settings().SectorBounds);
        paintPicture(page_, statisticPage(s, bounds, kPaintWidth, paintHeight_, position, rows_));
    }
    paintBox_->setImage(page_);
    gate_.remember(s.SpinCount, position, maximum);
}

void StatisticWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refresh();
}

void StatisticWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void StatisticWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

}  // namespace kv
