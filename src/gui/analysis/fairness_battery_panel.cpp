#include "gui/analysis/fairness_battery_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analysis/test_game_concentration.h"
#include "core/roulette.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/common/local_text.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

enum Column { TestColumn, StatisticColumn, DfColumn, PColumn, HolmColumn, ResultColumn, ColumnCount };

QString number(const char* format, double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return QString::fromLatin1(buffer);
}

QString pText(double p) { return p < 0.0001 ? QStringLiteral("< 0.0001") : number("%.4f", p); }

// The pictures' common ground: a white box with a black frame and a caption.
constexpr int kCaptionHeight = 14;

void frameWithCaption(Canvas& c, const QString& caption) {
    c.pen = {clBlack, 1, false};
    c.brush = {clWhite, false};
    c.Rectangle(0, 0, c.width(), c.height());
    c.font.size = 7;
    c.font.color = clNavy;
    c.brush.clear = true;
    c.TextOut(4, 1, caption);
}

void dottedLine(Canvas& c, int x1, int x2, int y, uint32_t color) {
    for (int x = x1; x < x2; x += 2) c.setPixel(x, y, color);
}

uint32_t pocketColor(int n) { return n == 0 ? clGreen : (isRed(n) ? clRed : clBlack); }

}  // namespace

FairnessBatteryPanel::FairnessBatteryPanel(MainWindow& main, QWidget* parent)
    : QWidget(parent),
      main_(main),
      // Beside the settings: the same player's folder, in a folder of its
      // own, since it may hold up to 200 files.
      sectorNull_(std::filesystem::path(
          QFile::encodeName(QDir(main.folders().userDir()).filePath(QStringLiteral("sector-null")))
              .toStdString())) {
    setObjectName(QStringLiteral("fairnessPanel"));
    run_ = new QPushButton(QStringLiteral("Fairness battery"), this);
    run_->setObjectName(QStringLiteral("batteryButton"));
    run_->setToolTip(QStringLiteral("Eight tests of the game's spins, judged together"));
    auto* levelLabel = new QLabel(QStringLiteral("Level"), this);
    levelBox_ = new QComboBox(this);
    levelBox_->setObjectName(QStringLiteral("levelBox"));
    levelBox_->setToolTip(QStringLiteral("How often a fair wheel may be called biased"));
    for (double level : kFairnessLevels) levelBox_->addItem(number("%g %%", 100 * level), level);
    levelBox_->setCurrentIndex(levelBox_->findData(kDefaultFairnessLevel));
    levelLabel->setBuddy(levelBox_);

    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("verdictLabel"));
    QFont bold = verdict_->font();
    bold.setBold(true);
    verdict_->setFont(bold);

    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setObjectName(QStringLiteral("reportTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Test"), QStringLiteral("Statistic"),
                                       QStringLiteral("df"), QStringLiteral("p"), QStringLiteral("Holm p"),
                                       QStringLiteral("Result")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(18);
    // The statistic (or why a test was skipped) takes the width the others
    // leave, so that every result stays in view without scrolling.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(StatisticColumn, QHeaderView::Stretch);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);

    residuals_ = new ImageBox(this);
    residuals_->setObjectName(QStringLiteral("residualView"));
    residuals_->setToolTip(
        QStringLiteral("Each pocket in wheel order: how far its count lies from the fair share, "
                       "in standard deviations; dotted lines at 2"));
    distances_ = new ImageBox(this);
    distances_->setObjectName(QStringLiteral("distanceView"));
    distances_->setToolTip(
        QStringLiteral("Pockets clockwise from each spin to the next: observed bars, "
                       "the fair expectation in red"));
    for (ImageBox* box : {residuals_, distances_}) box->setMinimumSize(120, 60);

    auto* top = new QHBoxLayout();
    top->addWidget(run_);
    top->addSpacing(12);
    top->addWidget(levelLabel);
    top->addWidget(levelBox_);
    top->addStretch(1);
    auto* pictures = new QVBoxLayout();
    pictures->addWidget(residuals_, 1);
    pictures->addWidget(distances_, 1);
    auto* middle = new QHBoxLayout();
    middle->addWidget(table_, 3);
    middle->addLayout(pictures, 2);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(8, 8, 8, 8);
    all->addLayout(top);
    all->addWidget(verdict_);
    all->addLayout(middle, 1);

    connect(run_, &QPushButton::clicked, this, &FairnessBatteryPanel::runBattery);
    // The decisions follow the level; the tests themselves stand.
    connect(levelBox_, &QComboBox::activated, this, [this] {
        if (!report_) return;
        judgeFairness(*report_, level());
        showReport();
    });
}

FairnessBatteryPanel::~FairnessBatteryPanel() = default;

double FairnessBatteryPanel::level() const { return levelBox_->currentData().toDouble(); }

void FairnessBatteryPanel::runBattery() {
    // The first test of a new length simulates the sector test's law, which
    // takes up to half a second.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<uint8_t> spins = oldestFirstSpins(spinNumbers(main_.state()));
    report_ = runFairnessBattery(spins, level(), sectorNull_);
    QApplication::restoreOverrideCursor();
    showReport();
}

void FairnessBatteryPanel::showReport() {
    const FairnessReport& r = *report_;
    verdict_->setText(local(r.verdict));
    QPalette pal = verdict_->palette();
    pal.setColor(QPalette::WindowText, winColor(r.biased ? clRed : (r.tested ? clGreen : clGray)));
    verdict_->setPalette(pal);

    table_->setRowCount(static_cast<int>(r.tests.size()));
    for (int row = 0; row < static_cast<int>(r.tests.size()); ++row) {
        const FairnessTestResult& t = r.tests[static_cast<size_t>(row)];
        QString cells[ColumnCount];
        cells[TestColumn] = local(t.name);
        if (t.skipped) {
            cells[StatisticColumn] = local(t.skipReason);
            cells[ResultColumn] = QStringLiteral("skipped");
        } else {
            cells[StatisticColumn] = number("%.2f", t.statistic);
            cells[DfColumn] = t.df > 0 ? QString::number(t.df) : QString();
            cells[PColumn] = pText(t.pValue);
            cells[HolmColumn] = pText(t.adjustedP);
            cells[ResultColumn] = t.reject ? QStringLiteral("biased") : QStringLiteral("passed");
        }
        for (int col = 0; col < ColumnCount; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setToolTip(local(t.title));
            if (col != TestColumn && col != StatisticColumn) item->setTextAlignment(Qt::AlignCenter);
            if (t.reject) item->setBackground(QColor(255, 200, 200));
            table_->setItem(row, col, item);
        }
    }
    drawResiduals();
    drawDistances();
}

void FairnessBatteryPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The layout has placed the boxes by now: draw at their new sizes.
    drawResiduals();
    drawDistances();
}

void FairnessBatteryPanel::drawResiduals() {
    const int w = std::max(1, residuals_->width()), h = std::max(1, residuals_->height());
    QImage img(w, h, QImage::Format_RGB32);
    {
        Canvas c(img);
        frameWithCaption(c, QStringLiteral("Pockets in wheel order, (count - fair) / sd"));
        if (report_ && report_->spins > 0) {
            const auto& res = report_->wheelResiduals;
            double most = 3;
            for (double v : res) most = std::max(most, std::abs(v));
            const int left = 3, right = w - 3, top = kCaptionHeight + 2, bottom = h - 3;
            const double zero = (top + bottom) / 2.0;
            const double scale = (bottom - top) / 2.0 / most;
            const int y0 = static_cast<int>(std::lround(zero));
            c.pen.clear = true;
            for (int i = 0; i < 37; ++i) {
                const int x1 = left + (right - left) * i / 37;
                const int x2 = std::max(x1 + 1, left + (right - left) * (i + 1) / 37 - 1);
                const int y = static_cast<int>(std::lround(zero - res[static_cast<size_t>(i)] * scale));
                c.brush = {pocketColor(WheelOrder[static_cast<size_t>(i)]), false};
                c.FillRect(x1, std::min(y, y0), x2, std::max(y, y0) + 1);
            }
            for (double sd : {2.0, -2.0})
                dottedLine(c, left, right, static_cast<int>(std::lround(zero - sd * scale)), clGray);
            c.pen = {clGray, 1, false};
            c.MoveTo(left, y0);
            c.LineTo(right, y0);
        }
    }
    residuals_->setImage(img);
}

void FairnessBatteryPanel::drawDistances() {
    const int w = std::max(1, distances_->width()), h = std::max(1, distances_->height());
    QImage img(w, h, QImage::Format_RGB32);
    {
        Canvas c(img);
        frameWithCaption(c, QStringLiteral("Jumps of 0..36 pockets to the next spin"));
        if (report_ && report_->spins > 1) {
            const auto& seen = report_->distanceObserved;
            const auto& fair = report_->distanceExpected;
            double most = 1;
            for (size_t i = 0; i < 37; ++i) most = std::max({most, static_cast<double>(seen[i]), fair[i]});
            const int left = 3, right = w - 3, top = kCaptionHeight + 2, bottom = h - 3;
            const double scale = (bottom - top) / (most * 1.05);
            c.pen.clear = true;
            c.brush = {clNavy, false};
            for (int i = 0; i < 37; ++i) {
                const int x1 = left + (right - left) * i / 37;
                const int x2 = std::max(x1 + 1, left + (right - left) * (i + 1) / 37 - 1);
                const int y = bottom - static_cast<int>(std::lround(seen[static_cast<size_t>(i)] * scale));
                c.FillRect(x1, y, x2, bottom);
            }
            c.pen = {clRed, 1, false};
            for (int i = 0; i < 37; ++i) {
                const int x1 = left + (right - left) * i / 37;
                const int x2 = left + (right - left) * (i + 1) / 37;
                const int y = bottom - static_cast<int>(std::lround(fair[static_cast<size_t>(i)] * scale));
                c.MoveTo(x1, y);
                c.LineTo(x2, y);
            }
        }
    }
    distances_->setImage(img);
}

}  // namespace kv
