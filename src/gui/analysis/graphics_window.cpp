#include "gui/analysis/graphics_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

#include "analysis/chart_picture.h"
#include "analysis/chart_spin_amount.h"
#include "gui/analysis/colors_window.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/common/picture_painter.h"
#include "gui/common/window_geometry.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

constexpr int kForestWidth = 553;
constexpr int kForestHeight = 325;
constexpr int kChartLeft = 112;
constexpr int kChartTop = 8;
constexpr int kScrollThickness = 17;

const QString kSpinsHint = QStringLiteral("Amount of spins including in statistics. Zero - all spins");

void setBackground(QWidget* w, uint32_t colour) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, winColor(colour));
    pal.setColor(QPalette::Base, winColor(colour));
    w->setPalette(pal);
}

QLineEdit* spinAmountEdit(QWidget* page, const QString& name) {
    auto* e = new QLineEdit(QStringLiteral("0"), page);
    e->setObjectName(name);
    e->setGeometry(8, 40, 89, 21);
    e->setToolTip(kSpinsHint);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, winColor(clSkyBlue));
    e->setPalette(pal);
    return e;
}

QLabel* label(QWidget* page, const QString& name, const QString& text, int x, int y, bool bold = false) {
    auto* l = new QLabel(text, page);
    l->setObjectName(name);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    l->adjustSize();
    l->move(x, y);
    return l;
}

// A magnifier with a minus or a plus: the zoom buttons' pictures.
QIcon magnifier(bool plus) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.6));
    p.setBrush(QColor(230, 245, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9.5, 9.5));
    p.setPen(QPen(QColor(40, 40, 40), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(QPen(QColor(0, 0, 160), 1.6));
    p.drawLine(QPointF(3.8, 6.25), QPointF(8.7, 6.25));
    if (plus) p.drawLine(QPointF(6.25, 3.8), QPointF(6.25, 8.7));
    return QIcon(pm);
}

QImage blankPicture(int w, int h, uint32_t colour) {
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(winColor(colour));
    return img;
}

ChartStyle styleFromSettings(const Settings& st) {
    ChartStyle s;
    for (int k = 1; k <= kv::kChartEntryCount; ++k) {
        s.colour[static_cast<size_t>(k)] =
            static_cast<WinColor>(st.ChartColors[static_cast<size_t>(k - 1)]) & 0xFFFFFF;
        s.shown[static_cast<size_t>(k)] = st.ChartShown[static_cast<size_t>(k - 1)];
    }
    for (int g = 0; g < kChartGroupCount; ++g)
        s.groups[static_cast<size_t>(g)] = st.ChartChecks[static_cast<size_t>(g)] != 0;
    return s;
}

}  // namespace

GraphicsWindow::GraphicsWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("GraphicsWindow"));
    setWindowTitle(QStringLiteral("Graphics"));
    setBackground(this, clMoneyGreen);
    setFont(classicFont());

    Settings& st = main_.settings();
    style_ = styleFromSettings(st);
    zoom_ = main_.state().SpinCount;

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    // Without a frame the pages are wide enough for the whole FOREST chart.
    pages_->setDocumentMode(true);
    auto* forestPage = new QWidget;
    forestPage->setObjectName(QStringLiteral("forestPage"));
    auto* chartPage = new QWidget;
    chartPage->setObjectName(QStringLiteral("chartPage"));
    setBackground(forestPage, clMoneyGreen);
    setBackground(chartPage, clMoneyGreen);
    pages_->addTab(forestPage, QStringLiteral("  FOREST  "));
    pages_->addTab(chartPage, QStringLiteral("   CHART   "));
    buildForestPage(forestPage);
    buildChartPage(chartPage);

    // The saved state of the controls, before any handler is connected.
    pages_->setCurrentIndex(std::clamp(st.GraphicsPage, 0, 1));
    forestSpins_->setText(QString::fromStdString(st.GraphicsSpins));
    chartSpins_->setText(forestSpins_->text());
    st.NumbersBaffle = std::clamp(st.NumbersBaffle, 0, forestBaffleMax(ForestMode::Numbers));
    st.StreetsBaffle = std::clamp(st.StreetsBaffle, 0, forestBaffleMax(ForestMode::Streets));
    const int savedMode = std::clamp(st.ForestMode, 1, 4);
    mode_ = static_cast<ForestMode>(savedMode);
    static constexpr int kRadioOfMode[] = {0, 1, 4, 2, 3};
    forestModeButton(kRadioOfMode[savedMode])->setChecked(true);
    for (int g = 0; g < kChartGroupCount; ++g)
        checks_[static_cast<size_t>(g)]->setChecked(style_.groups[static_cast<size_t>(g)]);
    setForestMode(mode_);

    connect(pages_, &QTabWidget::currentChanged, this, &GraphicsWindow::pageChanged);
    connect(forestSpins_, &QLineEdit::textChanged, this, &GraphicsWindow::forestSpinsChanged);
    connect(chartSpins_, &QLineEdit::textChanged, this, &GraphicsWindow::chartSpinsChanged);
    static constexpr ForestMode kModeOfRadio[] = {ForestMode::Numbers, ForestMode::Chances,
                                                  ForestMode::DozensColumns, ForestMode::Streets};
    for (int i = 0; i < 4; ++i) {
        connect(radio_[static_cast<size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) setForestMode(kModeOfRadio[i]);
        });
    }
    connect(trackBar_, &QSlider::valueChanged, this, &GraphicsWindow::baffleChanged);
    for (int g = 0; g < kChartGroupCount; ++g) {
        connect(checks_[static_cast<size_t>(g)], &QCheckBox::toggled, this,
                [this, g] { chartGroupToggled(g); });
    }
    connect(speed_[0], &QToolButton::clicked, this, &GraphicsWindow::zoomOut);
    connect(speed_[1], &QToolButton::clicked, this, &GraphicsWindow::zoomIn);
    connect(speed_[2], &QToolButton::clicked, this, &GraphicsWindow::showColors);
    connect(chartScroll_, &QScrollBar::valueChanged, this, &GraphicsWindow::redrawIfSpins);
    connect(chartShift_, &QScrollBar::valueChanged, this, &GraphicsWindow::redrawIfSpins);
    connect(forestClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(chartClose_, &QPushButton::clicked, this, &QWidget::close);
    connect(&main_, &MainWindow::spinsChanged, this, [this] {
        if (isVisible()) refresh();
    });

    resize(clientWidthFor(685), clientHeightFor(428));
    layoutPages();
    redrawIfSpins();
    main_.registerWindow(WindowId::Graphics, this, MenuItem::Graphics);
}

void GraphicsWindow::buildForestPage(QWidget* page) {
    label(page, QStringLiteral("forestTitle"), QStringLiteral("Statistic Numbers"), 8, 8);
    label(page, QStringLiteral("forestRange"), QStringLiteral("(0-MAX)"), 8, 24);
    forestSpins_ = spinAmountEdit(page, QStringLiteral("forestSpinsEdit"));

    struct Radio {
        int index;
        int y;
        const char* caption;
        const char* hint;
    };
    static constexpr Radio kRadios[] = {
        {1, 80, "Numbers", "Find cold or hot numbers in your sequence"},
        {4, 104, "Streets", "Find cold or hot streets in your sequence"},
        {2, 128, "R/B O/E L/H", "Find cold or hot Simple rates in your sequence"},
        {3, 152, "Dozens / Col.", "Find cold or hot Dozens / Col. in your sequence"},
    };
    for (const Radio& r : kRadios) {
        auto* b = new QRadioButton(QString::fromLatin1(r.caption), page);
        b->setObjectName(QStringLiteral("forestModeButton%1").arg(r.index));
        b->setToolTip(QString::fromLatin1(r.hint));
        b->adjustSize();
        b->move(8, r.y);
        radio_[static_cast<size_t>(r.index - 1)] = b;
    }

    baffleCaption_ = label(page, QStringLiteral("baffleCaption"), QStringLiteral("Baffle"), 8, 176);
    baffleValue_ = label(page, QStringLiteral("baffleValue"), QStringLiteral("1"), 88, 176);
    baffleValue_->setMinimumWidth(24);
    trackBar_ = new QSlider(Qt::Horizontal, page);
    trackBar_->setObjectName(QStringLiteral("baffleSlider"));
    trackBar_->setGeometry(0, 192, 112, 33);
    trackBar_->setTickPosition(QSlider::TicksBelow);
    trackBar_->setRange(0, forestBaffleMax(ForestMode::Numbers));
    trackBar_->setPageStep(1);

    hotList_ = new QPlainTextEdit(page);
    hotList_->setObjectName(QStringLiteral("hotList"));
    hotList_->setGeometry(8, 224, 113, 49);
    coldList_ = new QPlainTextEdit(page);
    coldList_->setObjectName(QStringLiteral("coldList"));
    coldList_->setGeometry(8, 272, 113, 49);
    for (QPlainTextEdit* m : {hotList_, coldList_}) {
        m->setReadOnly(true);
        setBackground(m, clMoneyGreen);
    }
    hotList_->setToolTip(QStringLiteral("Hot numbers that have not come for a while"));
    coldList_->setToolTip(QStringLiteral("Cold numbers that came recently"));

    forestClose_ = new QPushButton(QStringLiteral("Close"), page);
    forestClose_->setObjectName(QStringLiteral("forestCloseButton"));
    forestClose_->setGeometry(8, 328, 75, 25);
    forestClose_->setToolTip(QStringLiteral("Close this Window"));

    forestView_ = new ImageBox(page);
    forestView_->setObjectName(QStringLiteral("forestView"));
    forestView_->setGeometry(128, 4, kForestWidth, kForestHeight);
    forestImage_ = blankPicture(kForestWidth, kForestHeight, clMoneyGreen);
    forestView_->setImage(forestImage_);
    label(page, QStringLiteral("lastFallingCaption"), QStringLiteral("Last falling out"), 128, 336);
}

void GraphicsWindow::buildChartPage(QWidget* page) {
    label(page, QStringLiteral("chartTitle"), QStringLiteral("Statistic Numbers"), 8, 8);
    label(page, QStringLiteral("chartRange"), QStringLiteral("(0-MAX)"), 8, 24);
    chartSpins_ = spinAmountEdit(page, QStringLiteral("chartSpinsEdit"));
    for (int g = 0; g < kChartGroupCount; ++g) {
        auto* c = new QCheckBox(QString::fromLatin1(chartGroupCaption(static_cast<ChartGroup>(g))), page);
        c->setObjectName(QStringLiteral("chartGroupBox%1").arg(g + 1));
        c->adjustSize();
        c->move(8, 80 + 24 * g);
        checks_[static_cast<size_t>(g)] = c;
    }
    static constexpr const char* kHints[] = {"Reduce a picture", "Increase a picture",
                                             "Set Colors and Visibilities"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(page);
        b->setObjectName(QStringLiteral("zoomButton%1").arg(i + 1));
        b->setToolTip(QString::fromLatin1(kHints[i]));
        speed_[static_cast<size_t>(i)] = b;
    }
    speed_[0]->setIcon(magnifier(false));
    speed_[0]->setGeometry(8, 248, 23, 22);
    speed_[1]->setIcon(magnifier(true));
    speed_[1]->setGeometry(32, 248, 23, 22);
    speed_[2]->setText(QStringLiteral("Colors"));
    speed_[2]->setAutoRaise(true);
    speed_[2]->setGeometry(8, 272, 65, 22);

    chartClose_ = new QPushButton(QStringLiteral("Close"), page);
    chartClose_->setObjectName(QStringLiteral("chartCloseButton"));
    chartClose_->setGeometry(8, 304, 97, 25);
    chartClose_->setToolTip(QStringLiteral("Close this Window"));

    chartView_ = new ImageBox(page);
    chartView_->setObjectName(QStringLiteral("chartView"));
    chartView_->setGeometry(kChartLeft, kChartTop, 521, 297);
    chartImage_ = blankPicture(521, 297, clWhite);
    chartView_->setImage(chartImage_);

    chartScroll_ = new QScrollBar(Qt::Horizontal, page);
    chartScroll_->setObjectName(QStringLiteral("chartScroll"));
    chartScroll_->setGeometry(kChartLeft, 312, 521, kScrollThickness);
    chartScroll_->setRange(0, 100);
    chartScroll_->setValue(0);
    chartShift_ = new QScrollBar(Qt::Vertical, page);
    chartShift_->setObjectName(QStringLiteral("chartShift"));
    chartShift_->setGeometry(640, kChartTop, kScrollThickness, 297);
    chartShift_->setRange(0, 100);
    chartShift_->setValue(100);
}

void GraphicsWindow::layoutPages() {
    // The pages take the whole window: the bars of all 37 numbers need 553
    // pixels beside the controls, which a framed page control of the
    // window's own size does not leave.
    pages_->setGeometry(0, 0, width(), height());
    forestView_->resize(forestWidth(), kForestHeight);
}

int GraphicsWindow::forestWidth() const {
    // Frameless pages are as wide as the window, laid out or not yet.
    return std::clamp(width() - forestView_->x(), 1, kForestWidth);
}

void GraphicsWindow::refresh() {
    zoom_ = main_.state().SpinCount;
    redrawIfSpins();
}

void GraphicsWindow::redrawIfSpins() {
    if (main_.state().SpinCount > 0) DrawGraphics();
}

void GraphicsWindow::DrawGraphics() {
    ++drawCount_;
    hotList_->clear();
    coldList_->clear();
    layoutPages();
    tally_.sync(main_.state());
    if (pages_->currentIndex() == 1) {
        drawChartPage();
    } else {
        drawForestPage();
    }
}

int GraphicsWindow::baffle() const {
    const Settings& st = main_.settings();
    if (mode_ == ForestMode::Numbers) return st.NumbersBaffle;
    if (mode_ == ForestMode::Streets) return st.StreetsBaffle;
    return 0;
}

void GraphicsWindow::drawForestPage() {
    ForestRequest rq;
    rq.amount = parseSpinAmount(main_.settings().GraphicsSpins, tally_.spinCount());
    rq.mode = mode_;
    rq.baffle = baffle();
    rq.width = forestWidth();
    rq.height = kForestHeight;
    forest_ = drawForest(tally_, rq);
    if (forest_.shapes.empty()) return;
    forestImage_ = blankPicture(rq.width, kForestHeight, clMoneyGreen);
    paintPicture(forestImage_, forest_.shapes);
    forestView_->setImage(forestImage_);
    if (!forest_.memo1.empty()) hotList_->setPlainText(QString::fromStdString(forest_.memo1));
    if (!forest_.memo2.empty()) coldList_->setPlainText(QString::fromStdString(forest_.memo2));
}

void GraphicsWindow::drawChartPage() {
    const ChartLayout l = chartLayout(width() + kFrameWidth, height() + kFrameHeightNoMenu);
    const int w = std::max(1, l.paintWidth);
    const int h = std::max(1, l.paintHeight);
    chartView_->setGeometry(kChartLeft, kChartTop, w, h);
    chartScroll_->setGeometry(kChartLeft, l.scroll1Top, std::max(1, l.scroll1Width), kScrollThickness);
    chartShift_->setGeometry(l.scroll2Left, kChartTop, kScrollThickness, std::max(1, l.scroll2Height));

    ChartRequest rq;
    rq.amount = parseSpinAmount(main_.settings().GraphicsSpins, tally_.spinCount());
    rq.zoom = zoom_;
    rq.scroll1 = chartScroll_->value();
    rq.scroll2 = chartShift_->value();
    rq.width = w;
    rq.height = h;
    const ChartPicture chart = drawChart(tally_, style_, rq);
    // The span drawn is also the span the zoom buttons go on from.
    if (chart.view.spinsCounted > 0) zoom_ = chart.view.span;
    chartImage_ = blankPicture(w, h, clWhite);
    paintPicture(chartImage_, chart.shapes);
    chartView_->setImage(chartImage_);
}

void GraphicsWindow::spinAmountTyped(QLineEdit* from, QLineEdit* to) {
    {
        const QSignalBlocker block(to);
        to->setText(from->text());
    }
    main_.settings().GraphicsSpins = from->text().toStdString();
    redrawIfSpins();
}

void GraphicsWindow::forestSpinsChanged() { spinAmountTyped(forestSpins_, chartSpins_); }
void GraphicsWindow::chartSpinsChanged() { spinAmountTyped(chartSpins_, forestSpins_); }

void GraphicsWindow::showBaffle(bool on) {
    baffleCaption_->setVisible(on);
    baffleValue_->setVisible(on);
    trackBar_->setVisible(on);
}

void GraphicsWindow::setForestMode(ForestMode mode) {
    mode_ = mode;
    main_.settings().ForestMode = static_cast<int32_t>(mode);
    const bool withBaffle = mode == ForestMode::Numbers || mode == ForestMode::Streets;
    showBaffle(withBaffle);
    if (withBaffle) {
        // Each mode keeps its own baffle: the range change must not store a
        // clamped value into the other mode's setting.
        const QSignalBlocker block(trackBar_);
        trackBar_->setRange(0, forestBaffleMax(mode));
        trackBar_->setValue(baffle());
        baffleValue_->setText(QString::number(baffle()));
    }
    redrawIfSpins();
}

void GraphicsWindow::baffleChanged() {
    Settings& st = main_.settings();
    if (mode_ == ForestMode::Numbers) st.NumbersBaffle = trackBar_->value();
    if (mode_ == ForestMode::Streets) st.StreetsBaffle = trackBar_->value();
    baffleValue_->setText(QString::number(trackBar_->value()));
    redrawIfSpins();
}

void GraphicsWindow::chartGroupToggled(int group) {
    const bool on = checks_[static_cast<size_t>(group)]->isChecked();
    style_.groups[static_cast<size_t>(group)] = on;
    main_.settings().ChartChecks[static_cast<size_t>(group)] = on ? 1 : 0;
    redrawIfSpins();
}

void GraphicsWindow::zoomOut() {
    zoom_ = kv::zoomOut(zoom_, main_.state().SpinCount);
    redrawIfSpins();
}

void GraphicsWindow::zoomIn() {
    zoom_ = kv::zoomIn(zoom_);
    redrawIfSpins();
}

void GraphicsWindow::showColors() {
    if (auto* colors = qobject_cast<ColorsWindow*>(main_.window(WindowId::Colors)))
        colors->openFromGraphics();
}

void GraphicsWindow::pageChanged() {
    main_.settings().GraphicsPage = pages_->currentIndex();
    redrawIfSpins();
}

void GraphicsWindow::storeStyle() {
    Settings& st = main_.settings();
    for (int k = 1; k <= kv::kChartEntryCount; ++k) {
        st.ChartColors[static_cast<size_t>(k - 1)] =
            static_cast<int32_t>(style_.colour[static_cast<size_t>(k)] & 0xFFFFFF);
        st.ChartShown[static_cast<size_t>(k - 1)] = style_.shown[static_cast<size_t>(k)];
    }
}

void GraphicsWindow::setChartStyle(const ChartStyle& style) {
    style_ = style;
    // Written through at once: a choice confirmed with "OK" survives the
    // program ending while this window is still open.
    storeStyle();
    if (isVisible()) redrawIfSpins();
}

void GraphicsWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refresh();
}

void GraphicsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void GraphicsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPages();
    redrawIfSpins();
}

void GraphicsWindow::closeEvent(QCloseEvent* event) {
    storeStyle();
    QWidget::closeEvent(event);
}

}  // namespace kv
