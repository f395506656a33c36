#include "analysis/graphics_window.h"

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
#include "analysis/colors_window.h"
#include "ui/canvas.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"
#include "ui/picture_painter.h"
#include "ui/window_geometry.h"

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

TForm11::TForm11(TForm1& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Graphics"));
    setBackground(this, clMoneyGreen);
    setFont(classicFont());

    Settings& st = main_.settings();
    style_ = styleFromSettings(st);
    zoom_ = main_.state().SpinCount;

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    // Without a frame the pages are wide enough for the whole FOREST chart.
    pages_->setDocumentMode(true);
    auto* forestPage = new QWidget;
    forestPage->setObjectName(QStringLiteral("TabSheet1"));
    auto* chartPage = new QWidget;
    chartPage->setObjectName(QStringLiteral("TabSheet2"));
    setBackground(forestPage, clMoneyGreen);
    setBackground(chartPage, clMoneyGreen);
    pages_->addTab(forestPage, QStringLiteral("  FOREST  "));
    pages_->addTab(chartPage, QStringLiteral("   CHART   "));
    buildForestPage(forestPage);
    buildChartPage(chartPage);

    // The saved state of the controls, before any handler is connected.
    pages_->setCurrentIndex(std::clamp(st.GraphicsPage, 0, 1));
    edit1_->setText(QString::fromStdString(st.GraphicsSpins));
    edit2_->setText(edit1_->text());
    st.NumbersBaffle = std::clamp(st.NumbersBaffle, 0, forestBaffleMax(ForestMode::Numbers));
    st.StreetsBaffle = std::clamp(st.StreetsBaffle, 0, forestBaffleMax(ForestMode::Streets));
    const int savedMode = std::clamp(st.ForestMode, 1, 4);
    mode_ = static_cast<ForestMode>(savedMode);
    static constexpr int kRadioOfMode[] = {0, 1, 4, 2, 3};
    RadioButton(kRadioOfMode[savedMode])->setChecked(true);
    for (int g = 0; g < kChartGroupCount; ++g)
        checks_[static_cast<size_t>(g)]->setChecked(style_.groups[static_cast<size_t>(g)]);
    setForestMode(mode_);

    connect(pages_, &QTabWidget::currentChanged, this, &TForm11::PageControl1Change);
    connect(edit1_, &QLineEdit::textChanged, this, &TForm11::Edit1Change);
    connect(edit2_, &QLineEdit::textChanged, this, &TForm11::Edit2Change);
    static constexpr ForestMode kModeOfRadio[] = {ForestMode::Numbers, ForestMode::Chances,
                                                  ForestMode::DozensColumns, ForestMode::Streets};
    for (int i = 0; i < 4; ++i) {
        connect(radio_[static_cast<size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) setForestMode(kModeOfRadio[i]);
        });
    }
    connect(trackBar_, &QSlider::valueChanged, this, &TForm11::TrackBar1Change);
    for (int g = 0; g < kChartGroupCount; ++g) {
        connect(checks_[static_cast<size_t>(g)], &QCheckBox::toggled, this, [this, g] { CheckBoxClick(g); });
    }
    connect(speed_[0], &QToolButton::clicked, this, &TForm11::SpeedButton1Click);
    connect(speed_[1], &QToolButton::clicked, this, &TForm11::SpeedButton2Click);
    connect(speed_[2], &QToolButton::clicked, this, &TForm11::SpeedButton3Click);
    connect(scroll1_, &QScrollBar::valueChanged, this, &TForm11::redrawIfSpins);
    connect(scroll2_, &QScrollBar::valueChanged, this, &TForm11::redrawIfSpins);
    connect(button1_, &QPushButton::clicked, this, &QWidget::close);
    connect(button2_, &QPushButton::clicked, this, &QWidget::close);
    connect(&main_, &TForm1::spinsChanged, this, [this] {
        if (isVisible()) FormActivate();
    });

    resize(clientWidthFor(685), clientHeightFor(428));
    layoutPages();
    redrawIfSpins();
    main_.registerWindow(WindowId::Graphics, this, MenuItem::Graphics);
}

void TForm11::buildForestPage(QWidget* page) {
    label(page, QStringLiteral("Label1"), QStringLiteral("Statistic Numbers"), 8, 8);
    label(page, QStringLiteral("Label2"), QStringLiteral("(0-MAX)"), 8, 24);
    edit1_ = spinAmountEdit(page, QStringLiteral("Edit1"));

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
        b->setObjectName(QStringLiteral("RadioButton%1").arg(r.index));
        b->setToolTip(QString::fromLatin1(r.hint));
        b->adjustSize();
        b->move(8, r.y);
        radio_[static_cast<size_t>(r.index - 1)] = b;
    }

    label6_ = label(page, QStringLiteral("Label6"), QStringLiteral("Baffle"), 8, 176);
    label7_ = label(page, QStringLiteral("Label7"), QStringLiteral("1"), 88, 176);
    label7_->setMinimumWidth(24);
    trackBar_ = new QSlider(Qt::Horizontal, page);
    trackBar_->setObjectName(QStringLiteral("TrackBar1"));
    trackBar_->setGeometry(0, 192, 112, 33);
    trackBar_->setTickPosition(QSlider::TicksBelow);
    trackBar_->setRange(0, forestBaffleMax(ForestMode::Numbers));
    trackBar_->setPageStep(1);

    memo1_ = new QPlainTextEdit(page);
    memo1_->setObjectName(QStringLiteral("Memo1"));
    memo1_->setGeometry(8, 224, 113, 49);
    memo2_ = new QPlainTextEdit(page);
    memo2_->setObjectName(QStringLiteral("Memo2"));
    memo2_->setGeometry(8, 272, 113, 49);
    for (QPlainTextEdit* m : {memo1_, memo2_}) {
        m->setReadOnly(true);
        setBackground(m, clMoneyGreen);
    }
    memo1_->setToolTip(QStringLiteral("Hot numbers that have not come for a while"));
    memo2_->setToolTip(QStringLiteral("Cold numbers that came recently"));

    button1_ = new QPushButton(QStringLiteral("Close"), page);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setGeometry(8, 328, 75, 25);
    button1_->setToolTip(QStringLiteral("Close this Window"));

    paintBox1_ = new ImageBox(page);
    paintBox1_->setObjectName(QStringLiteral("PaintBox1"));
    paintBox1_->setGeometry(128, 4, kForestWidth, kForestHeight);
    forestImage_ = blankPicture(kForestWidth, kForestHeight, clMoneyGreen);
    paintBox1_->setImage(forestImage_);
    label(page, QStringLiteral("Label5"), QStringLiteral("Last falling out"), 128, 336);
}

void TForm11::buildChartPage(QWidget* page) {
    label(page, QStringLiteral("Label3"), QStringLiteral("Statistic Numbers"), 8, 8);
    label(page, QStringLiteral("Label4"), QStringLiteral("(0-MAX)"), 8, 24);
    edit2_ = spinAmountEdit(page, QStringLiteral("Edit2"));
    for (int g = 0; g < kChartGroupCount; ++g) {
        auto* c = new QCheckBox(QString::fromLatin1(chartGroupCaption(static_cast<ChartGroup>(g))), page);
        c->setObjectName(QStringLiteral("CheckBox%1").arg(g + 1));
        c->adjustSize();
        c->move(8, 80 + 24 * g);
        checks_[static_cast<size_t>(g)] = c;
    }
    static constexpr const char* kHints[] = {"Reduce a picture", "Increase a picture",
                                             "Set Colors and Visibilities"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(page);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
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

    button2_ = new QPushButton(QStringLiteral("Close"), page);
    button2_->setObjectName(QStringLiteral("Button2"));
    button2_->setGeometry(8, 304, 97, 25);
    button2_->setToolTip(QStringLiteral("Close this Window"));

    paintBox2_ = new ImageBox(page);
    paintBox2_->setObjectName(QStringLiteral("PaintBox2"));
    paintBox2_->setGeometry(kChartLeft, kChartTop, 521, 297);
    chartImage_ = blankPicture(521, 297, clWhite);
    paintBox2_->setImage(chartImage_);

    scroll1_ = new QScrollBar(Qt::Horizontal, page);
    scroll1_->setObjectName(QStringLiteral("ScrollBar1"));
    scroll1_->setGeometry(kChartLeft, 312, 521, kScrollThickness);
    scroll1_->setRange(0, 100);
    scroll1_->setValue(0);
    scroll2_ = new QScrollBar(Qt::Vertical, page);
    scroll2_->setObjectName(QStringLiteral("ScrollBar2"));
    scroll2_->setGeometry(640, kChartTop, kScrollThickness, 297);
    scroll2_->setRange(0, 100);
    scroll2_->setValue(100);
}

void TForm11::layoutPages() {
    // The pages take the whole window: the bars of all 37 numbers need 553
    // pixels beside the controls, which a framed page control of the
    // window's own size does not leave.
    pages_->setGeometry(0, 0, width(), height());
    paintBox1_->resize(forestWidth(), kForestHeight);
}

int TForm11::forestWidth() const {
    // Frameless pages are as wide as the window, laid out or not yet.
    return std::clamp(width() - paintBox1_->x(), 1, kForestWidth);
}

void TForm11::FormActivate() {
    zoom_ = main_.state().SpinCount;
    redrawIfSpins();
}

void TForm11::redrawIfSpins() {
    if (main_.state().SpinCount > 0) DrawGraphics();
}

void TForm11::DrawGraphics() {
    ++drawCount_;
    memo1_->clear();
    memo2_->clear();
    layoutPages();
    tally_.sync(main_.state());
    if (pages_->currentIndex() == 1) {
        drawChartPage();
    } else {
        drawForestPage();
    }
}

int TForm11::baffle() const {
    const Settings& st = main_.settings();
    if (mode_ == ForestMode::Numbers) return st.NumbersBaffle;
    if (mode_ == ForestMode::Streets) return st.StreetsBaffle;
    return 0;
}

void TForm11::drawForestPage() {
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
    paintBox1_->setImage(forestImage_);
    if (!forest_.memo1.empty()) memo1_->setPlainText(QString::fromStdString(forest_.memo1));
    if (!forest_.memo2.empty()) memo2_->setPlainText(QString::fromStdString(forest_.memo2));
}

void TForm11::drawChartPage() {
    const ChartLayout l = chartLayout(width() + kFrameWidth, height() + kFrameHeightNoMenu);
    const int w = std::max(1, l.paintWidth);
    const int h = std::max(1, l.paintHeight);
    paintBox2_->setGeometry(kChartLeft, kChartTop, w, h);
    scroll1_->setGeometry(kChartLeft, l.scroll1Top, std::max(1, l.scroll1Width), kScrollThickness);
    scroll2_->setGeometry(l.scroll2Left, kChartTop, kScrollThickness, std::max(1, l.scroll2Height));

    ChartRequest rq;
    rq.amount = parseSpinAmount(main_.settings().GraphicsSpins, tally_.spinCount());
    rq.zoom = zoom_;
    rq.scroll1 = scroll1_->value();
    rq.scroll2 = scroll2_->value();
    rq.width = w;
    rq.height = h;
    const ChartPicture chart = drawChart(tally_, style_, rq);
    // The span drawn is also the span the zoom buttons go on from.
    if (chart.view.m > 0) zoom_ = chart.view.z;
    chartImage_ = blankPicture(w, h, clWhite);
    paintPicture(chartImage_, chart.shapes);
    paintBox2_->setImage(chartImage_);
}

void TForm11::spinAmountTyped(QLineEdit* from, QLineEdit* to) {
    {
        const QSignalBlocker block(to);
        to->setText(from->text());
    }
    main_.settings().GraphicsSpins = from->text().toStdString();
    redrawIfSpins();
}

void TForm11::Edit1Change() { spinAmountTyped(edit1_, edit2_); }
void TForm11::Edit2Change() { spinAmountTyped(edit2_, edit1_); }

void TForm11::showBaffle(bool on) {
    label6_->setVisible(on);
    label7_->setVisible(on);
    trackBar_->setVisible(on);
}

void TForm11::setForestMode(ForestMode mode) {
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
        label7_->setText(QString::number(baffle()));
    }
    redrawIfSpins();
}

void TForm11::TrackBar1Change() {
    Settings& st = main_.settings();
    if (mode_ == ForestMode::Numbers) st.NumbersBaffle = trackBar_->value();
    if (mode_ == ForestMode::Streets) st.StreetsBaffle = trackBar_->value();
    label7_->setText(QString::number(trackBar_->value()));
    redrawIfSpins();
}

void TForm11::CheckBoxClick(int group) {
    const bool on = checks_[static_cast<size_t>(group)]->isChecked();
    style_.groups[static_cast<size_t>(group)] = on;
    main_.settings().ChartChecks[static_cast<size_t>(group)] = on ? 1 : 0;
    redrawIfSpins();
}

void TForm11::SpeedButton1Click() {
    zoom_ = zoomOut(zoom_, main_.state().SpinCount);
    redrawIfSpins();
}

void TForm11::SpeedButton2Click() {
    zoom_ = zoomIn(zoom_);
    redrawIfSpins();
}

void TForm11::SpeedButton3Click() {
    if (auto* colors = qobject_cast<TForm12*>(main_.window(WindowId::Colors))) colors->openFromGraphics();
}

void TForm11::PageControl1Change() {
    main_.settings().GraphicsPage = pages_->currentIndex();
    redrawIfSpins();
}

void TForm11::storeStyle() {
    Settings& st = main_.settings();
    for (int k = 1; k <= kv::kChartEntryCount; ++k) {
        st.ChartColors[static_cast<size_t>(k - 1)] =
            static_cast<int32_t>(style_.colour[static_cast<size_t>(k)] & 0xFFFFFF);
        st.ChartShown[static_cast<size_t>(k - 1)] = style_.shown[static_cast<size_t>(k)];
    }
}

void TForm11::setChartStyle(const ChartStyle& style) {
    style_ = style;
    // Written through at once: a choice confirmed with "OK" survives the
    // program ending while this window is still open.
    storeStyle();
    if (isVisible()) redrawIfSpins();
}

void TForm11::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TForm11::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormActivate();
}

void TForm11::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPages();
    redrawIfSpins();
}

void TForm11::closeEvent(QCloseEvent* event) {
    storeStyle();
    QWidget::closeEvent(event);
}

}  // namespace kv
