#include "gui/calculate/calculate_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

#include "calculate/calculate_plan.h"
#include "calculate/field_real.h"
#include "calculate/weight_chart.h"
#include "files/bet_text.h"
#include "files/settings.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/common/window_geometry.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

// Layout, in client coordinates. The six category rows run down the left;
// the chart sits top right; the fields and buttons below.
constexpr int kRowTop = 8;
constexpr int kRowStep = 26;
constexpr int kRowHeight = 22;
constexpr int kCategoryX = 8;
constexpr int kBetAlwaysX = 100;
constexpr int kSliderX = 190;
constexpr int kSliderWidth = 104;
constexpr int kValueX = 298;
constexpr int kChartX = 350;
constexpr int kChartY = 8;
constexpr int kFieldLabelX = 8;
constexpr int kFieldX = 118;
constexpr int kFieldWidth = 52;
constexpr int kFieldsTop = 172;
constexpr int kFieldStep = 28;
constexpr int kUpDownWidth = 16;

// The separator of the system's decimal notation, in which the program
// writes the reals it shows. ParseFieldReal reads either.
char systemDecimalSeparator() { return QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.'; }

QString fromField(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }
std::string toField(const QString& s) { return s.toLocal8Bit().toStdString(); }

// The defaults button's picture: three slider tracks with their knobs put
// back to the same place.
QPixmap defaultsPicture() {
    QImage img(20, 20, QImage::Format_RGB32);
    {
        Canvas c(img);
        c.pen.clear = true;
        c.brush.color = 0xF0F0F0;
        c.FillRect(0, 0, 20, 20);
        for (int i = 0; i < 3; ++i) {
            const int y = 4 + 6 * i;
            c.brush.color = clGray;
            c.FillRect(2, y, 18, y + 1);
            c.pen = Canvas::Pen{clBlack, 1, false};
            c.brush.color = clBlue;
            c.Rectangle(7, y - 2, 12, y + 3);
        }
    }
    return QPixmap::fromImage(img);
}

// One half of a classic up-down control.
QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, int x, int y, int h) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(x, y, kUpDownWidth, h);
    return b;
}

}  // namespace

CalculateWindow::CalculateWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("CalculateWindow"));
    setWindowTitle(QStringLiteral("Calculate"));
    buildControls();
    loadFromRecord();
    showValues();
    applyEnableRule();

    main_.registerWindow(WindowId::Calculate, this);
    main_.registerCommand(MenuItem::Calculate, [this] { showOrCalculate(); });
    // The chart depends on how many spins there are.
    connect(&main_, &MainWindow::spinsChanged, this, [this] {
        if (isVisible()) redrawChart();
    });
}

void CalculateWindow::buildControls() {
    const QString confidenceHint = QString::fromLatin1(kConfidenceHint.data(), kConfidenceHint.size());
    for (int k = 1; k <= kAdviceCategories; ++k) {
        const int y = kRowTop + (k - 1) * kRowStep;
        category_[k] = new QCheckBox(QString::fromLatin1(adviceCategoryCaption(k)), this);
        category_[k]->setGeometry(kCategoryX, y, kBetAlwaysX - kCategoryX - 2, kRowHeight);
        betAlways_[k] = new QCheckBox(QStringLiteral("Bet Always"), this);
        betAlways_[k]->setGeometry(kBetAlwaysX, y, kSliderX - kBetAlwaysX - 2, kRowHeight);
        slider_[k] = new QSlider(Qt::Horizontal, this);
        slider_[k]->setRange(kConfidenceMin, kConfidenceMax);
        slider_[k]->setValue(kConfidenceInitial);
        slider_[k]->setToolTip(confidenceHint);
        slider_[k]->setGeometry(kSliderX, y, kSliderWidth, kRowHeight);
        valueLabel_[k] = new QLabel(this);
        valueLabel_[k]->setGeometry(kValueX, y, kChartX - kValueX - 4, kRowHeight);

        connect(category_[k], &QCheckBox::toggled, this, [this, k](bool on) {
            calc_.category[k] = on;
            checkBoxClicked();
        });
        connect(betAlways_[k], &QCheckBox::toggled, this, [this, k](bool on) {
            calc_.betAlways[k] = on;
            checkBoxClicked();
        });
        connect(slider_[k], &QSlider::valueChanged, this,
                [this, k](int position) { sliderChanged(k, position); });
    }
    betAlways_[1]->setToolTip(QString::fromLatin1(kBetAlwaysHint.data(), kBetAlwaysHint.size()));

    auto fieldRow = [this](int row, const QString& caption, std::string_view hint) {
        const int y = kFieldsTop + row * kFieldStep;
        auto* label = new QLabel(caption, this);
        label->setGeometry(kFieldLabelX, y, kFieldX - kFieldLabelX - 4, kRowHeight);
        auto* edit = new QLineEdit(this);
        edit->setGeometry(kFieldX, y, kFieldWidth, kRowHeight);
        edit->setToolTip(QString::fromLatin1(hint.data(), hint.size()));
        return edit;
    };
    statisticNumbers_ = fieldRow(0, QStringLiteral("Statistic Numbers"), kStatisticNumbersHint);
    auto* range = new QLabel(QStringLiteral("(0 - MAX)"), this);
    range->setGeometry(kFieldX + kFieldWidth + 6, kFieldsTop, 70, kRowHeight);
    downturn_ = fieldRow(1, QStringLiteral("Downturn Factor"), kDownturnFactorHint);
    errors_ = fieldRow(2, QStringLiteral("Errors"), kErrorsHint);

    const int upDownX = kFieldX + kFieldWidth;
    const int half = kRowHeight / 2;
    const int downturnY = kFieldsTop + kFieldStep;
    const int errorsY = kFieldsTop + 2 * kFieldStep;
    downturnUp_ = arrowButton(this, Qt::UpArrow, upDownX, downturnY, half);
    downturnDown_ = arrowButton(this, Qt::DownArrow, upDownX, downturnY + half, kRowHeight - half);
    errorsUp_ = arrowButton(this, Qt::UpArrow, upDownX, errorsY, half);
    errorsDown_ = arrowButton(this, Qt::DownArrow, upDownX, errorsY + half, kRowHeight - half);
    for (QToolButton* b : {downturnUp_, downturnDown_}) b->setToolTip(downturn_->toolTip());
    for (QToolButton* b : {errorsUp_, errorsDown_}) b->setToolTip(errors_->toolTip());

    randomPlay_ = new QCheckBox(QStringLiteral("Random Play"), this);
    randomPlay_->setGeometry(upDownX + kUpDownWidth + 16, errorsY, 110, kRowHeight);

    defaults_ = new QToolButton(this);
    defaults_->setObjectName(QStringLiteral("defaults"));
    defaults_->setIcon(QIcon(defaultsPicture()));
    defaults_->setIconSize(QSize(20, 20));
    defaults_->setGeometry(kChartX, kChartY + kWeightChartHeight + 12, 34, 34);

    calcButton_ = new QPushButton(QStringLiteral("CALC"), this);
    calcButton_->setObjectName(QStringLiteral("calcButton"));
    QFont big = calcButton_->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    calcButton_->setFont(big);
    calcButton_->setGeometry(kChartX + 44, kChartY + kWeightChartHeight + 12, kWeightChartWidth - 44, 62);

    auto* box = new ImageBox(this);
    box->setObjectName(QStringLiteral("weightChart"));
    box->setGeometry(kChartX, kChartY, kWeightChartWidth, kWeightChartHeight);
    chart_ = box;

    connect(statisticNumbers_, &QLineEdit::textChanged, this,
            [this] { digitFieldChanged(statisticNumbers_, calc_.statisticNumbers); });
    connect(errors_, &QLineEdit::textChanged, this, [this] { digitFieldChanged(errors_, calc_.errors); });
    connect(downturn_, &QLineEdit::textChanged, this, &CalculateWindow::downturnChanged);
    connect(downturnUp_, &QToolButton::clicked, this, [this] { downturnUpDownClick(1); });
    connect(downturnDown_, &QToolButton::clicked, this, [this] { downturnUpDownClick(-1); });
    connect(errorsUp_, &QToolButton::clicked, this, [this] { errorsUpDownClick(1); });
    connect(errorsDown_, &QToolButton::clicked, this, [this] { errorsUpDownClick(-1); });
    connect(randomPlay_, &QCheckBox::toggled, this, [this](bool on) {
        calc_.randomPlay = on;
        checkBoxClicked();
    });
    connect(defaults_, &QToolButton::clicked, this, &CalculateWindow::restoreDefaults);
    connect(calcButton_, &QPushButton::clicked, this, &CalculateWindow::calculate);
}

void CalculateWindow::loadFromRecord() {
    const Settings& r = main_.settings();
    calc_.statisticNumbers = r.CalcStatisticNumbers;
    calc_.downturnFactor = r.CalcDownturnFactor;
    calc_.errors = r.CalcErrors;
    for (int k = 1; k <= kAdviceCategories; ++k) {
        const int i = k - 1;
        calc_.category[k] = r.CalcCategories[i] == 1;
        calc_.betAlways[k] = r.CalcBetAlways[i] == 1;
        calc_.confidenceText[k] = r.CalcSliderLabels[i];
        // A slider moved away from where it was built rewrites its label,
        // so label and position cannot disagree after a start.
        const int32_t position = std::clamp(r.CalcSliders[i], kConfidenceMin, kConfidenceMax);
        if (position != kConfidenceInitial) {
            setConfidencePosition(calc_, k, position, systemDecimalSeparator());
        } else {
            calc_.confidencePosition[k] = position;
        }
        calc_.closingCategory[k] = r.CalcClosingCategories[i];
    }
    calc_.randomPlay = r.CalcRandomPlay == 1;
    calc_.closingStatisticNumbers = r.CalcClosingStatisticNumbers;
    calc_.closingDownturnFactor = r.CalcClosingDownturnFactor;
    calc_.closingErrors = r.CalcClosingErrors;
    errorsPosition_ = upDownPositionFromText(calc_.closingErrors, kErrorsUpDownMin, kErrorsUpDownMax);
}

// Puts calc_ into the controls without running their change handlers; the
// caller applies the enable rule and stores the record afterwards.
void CalculateWindow::showValues() {
    const QSignalBlocker b1(statisticNumbers_);
    const QSignalBlocker b2(downturn_);
    const QSignalBlocker b3(errors_);
    const QSignalBlocker b4(randomPlay_);
    statisticNumbers_->setText(fromField(calc_.statisticNumbers));
    downturn_->setText(fromField(calc_.downturnFactor));
    errors_->setText(fromField(calc_.errors));
    randomPlay_->setChecked(calc_.randomPlay);
    for (int k = 1; k <= kAdviceCategories; ++k) {
        const QSignalBlocker c1(category_[k]);
        const QSignalBlocker c2(betAlways_[k]);
        const QSignalBlocker c3(slider_[k]);
        category_[k]->setChecked(calc_.category[k]);
        betAlways_[k]->setChecked(calc_.betAlways[k]);
        slider_[k]->setValue(calc_.confidencePosition[k]);
        valueLabel_[k]->setText(fromField(calc_.confidenceText[k]));
    }
}

// The live group of the record follows the controls.
void CalculateWindow::storeLive() {
    Settings& r = main_.settings();
    r.CalcStatisticNumbers = calc_.statisticNumbers;
    r.CalcDownturnFactor = calc_.downturnFactor;
    r.CalcErrors = calc_.errors;
    for (int k = 1; k <= kAdviceCategories; ++k) {
        const int i = k - 1;
        r.CalcSliderLabels[i] = calc_.confidenceText[k];
        r.CalcSliders[i] = calc_.confidencePosition[k];
        r.CalcCategories[i] = calc_.category[k] ? 1 : 0;
        r.CalcBetAlways[i] = calc_.betAlways[k] ? 1 : 0;
    }
    r.CalcRandomPlay = calc_.randomPlay ? 1 : 0;
}

void CalculateWindow::applyEnableRule() {
    for (int k = 1; k <= kAdviceCategories; ++k) {
        const CategoryControls c = enableRule(calc_, k);
        betAlways_[k]->setEnabled(c.betAlways);
        slider_[k]->setEnabled(c.slider);
        valueLabel_[k]->setEnabled(c.slider);
    }
    storeLive();
}

void CalculateWindow::checkBoxClicked() {
    if (!holdEnableRule_) applyEnableRule();
}

void CalculateWindow::sliderChanged(int k, int position) {
    setConfidencePosition(calc_, k, position, systemDecimalSeparator());
    valueLabel_[k]->setText(fromField(calc_.confidenceText[k]));
    storeLive();
}

void CalculateWindow::digitFieldChanged(QLineEdit* field, std::string& value) {
    const std::string cleaned = keepDigits(toField(field->text()));
    if (fromField(cleaned) != field->text()) {
        // Runs this handler again with the cleaned text, which then stays.
        field->setText(fromField(cleaned));
        return;
    }
    value = cleaned;
    if (fieldChangeRedrawsChart(cleaned)) redrawChart();
    storeLive();
}

void CalculateWindow::downturnChanged() {
    calc_.downturnFactor = toField(downturn_->text());
    redrawChart();
    storeLive();
}

void CalculateWindow::downturnUpDownClick(int step) {
    downturnPosition_ = std::clamp(downturnPosition_ + step, kDownturnUpDownMin, kDownturnUpDownMax);
    // The field's change handler stores the text and redraws the chart.
    downturn_->setText(fromField(downturnTextFromUpDown(downturnPosition_, systemDecimalSeparator())));
}

void CalculateWindow::errorsUpDownClick(int step) {
    // Tied to its field: a number typed there is where the up-down goes on.
    const std::string text = toField(errors_->text());
    if (!text.empty()) errorsPosition_ = upDownPositionFromText(text, kErrorsUpDownMin, kErrorsUpDownMax);
    errorsPosition_ = std::clamp(errorsPosition_ + step, kErrorsUpDownMin, kErrorsUpDownMax);
    errors_->setText(QString::number(errorsPosition_));
    setErrorsFromUpDown(calc_, errorsPosition_);
    main_.settings().CalcClosingErrors = calc_.closingErrors;
    storeLive();
}

void CalculateWindow::restoreDefaults() {
    kv::restoreDefaults(calc_, systemDecimalSeparator());
    downturnPosition_ = kDownturnUpDownDefault;
    holdEnableRule_ = true;
    showValues();
    holdEnableRule_ = false;
    applyEnableRule();
    redrawChart();
}

void CalculateWindow::calculate() {
    if (calc_.randomPlay) {
        RandomPlay(calc_, main_.state().rng, systemDecimalSeparator());
        showValues();
        storeLive();
        redrawChart();
    }
    const CalculatePlan plan = planCalculate(calc_, main_.state());
    for (const TableClick& c : plan.clicks) main_.pressTable(c.button, c.point.x, c.point.y);
    // Every click redraws the table, and with it the compact windows that
    // follow the table's repaints.
}

void CalculateWindow::showOrCalculate() {
    if (isVisible()) {
        calculate();
    } else {
        showOrFocus(this);
    }
}

void CalculateWindow::redrawWeightChart() { redrawChart(); }

void CalculateWindow::redrawChart() {
    QImage img(kWeightChartWidth, kWeightChartHeight, QImage::Format_RGB32);
    {
        Canvas c(img);
        c.brush.color = kWeightChartBackground;
        c.pen = Canvas::Pen{kWeightChartFrame, 1, false};
        c.Rectangle(0, 0, kWeightChartWidth, kWeightChartHeight);
        const std::vector<TablePoint> points =
            weightChartPoints(calc_.statisticNumbers, calc_.downturnFactor, main_.state().SpinCount);
        c.pen = Canvas::Pen{kWeightChartPen, kWeightChartPenWidth, false};
        c.MoveTo(points.front().x, points.front().y);
        for (size_t i = 1; i < points.size(); ++i) c.LineTo(points[i].x, points[i].y);
        c.pen.width = 1;
    }
    chartImage_ = img;
    static_cast<ImageBox*>(chart_)->setImage(chartImage_);
}

void CalculateWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) redrawWeightChart();
}

void CalculateWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    redrawWeightChart();
}

void CalculateWindow::closeEvent(QCloseEvent* event) {
    copyToClosingGroup(calc_);
    Settings& r = main_.settings();
    for (int k = 1; k <= kAdviceCategories; ++k) r.CalcClosingCategories[k - 1] = calc_.closingCategory[k];
    r.CalcClosingStatisticNumbers = calc_.closingStatisticNumbers;
    r.CalcClosingDownturnFactor = calc_.closingDownturnFactor;
    r.CalcClosingErrors = calc_.closingErrors;
    QWidget::closeEvent(event);
}

}  // namespace kv
