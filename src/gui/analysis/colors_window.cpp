#include "gui/analysis/colors_window.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QPushButton>

#include "analysis/colors_layout.h"
#include "gui/analysis/graphics_window.h"
#include "gui/common/canvas.h"
#include "gui/common/picture_painter.h"
#include "gui/common/window_geometry.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

// Boxes sit 32 pixels apart in most rows; the wider captions get the room
// up to their right-hand neighbour.
int boxWidth(int k) {
    if (k >= kEntryStreet1 + 9 && k <= kEntryStreet1 + 11) return 39;
    if (k >= kEntryRed) return 47;
    return 31;
}

}  // namespace

ColorsWindow::ColorsWindow(MainWindow& main, GraphicsWindow& graphics)
    : QWidget(nullptr), main_(main), graphics_(graphics) {
    setObjectName(QStringLiteral("ColorsWindow"));
    setWindowTitle(QStringLiteral("Colors"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(clMoneyGreen));
    setPalette(pal);
    setFont(classicFont());

    for (int i = 1; i <= 4; ++i) {
        const ColorsPlace p = colorsLabelPlace(i);
        auto* l = new QLabel(QString::fromStdString(p.caption), this);
        l->setObjectName(QStringLiteral("Label%1").arg(i));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->adjustSize();
        l->move(p.x, p.y);
    }
    for (int k = 1; k <= kChartEntryCount; ++k) {
        const ColorsPlace p = colorsBoxPlace(k);
        auto* b = new QCheckBox(QString::fromStdString(p.caption), this);
        b->setObjectName(QStringLiteral("CheckBox%1").arg(k));
        b->setGeometry(p.x, p.y, boxWidth(k), 17);
        // A change made by the program runs the handler too; AskForColours
        // keeps the colour chooser closed then.
        connect(b, &QCheckBox::toggled, this, [this, k] { toggleTick(k); });
        boxes_[static_cast<size_t>(k)] = b;
    }
    for (int i = 1; i <= 4; ++i) {
        const ColorsPlace p = colorsButtonPlace(i);
        auto* b = new QPushButton(QString::fromStdString(p.caption), this);
        b->setObjectName(QStringLiteral("Button%1").arg(i));
        b->setGeometry(p.x, p.y, 75, 25);
        buttons_[static_cast<size_t>(i - 1)] = b;
    }
    connect(buttons_[0], &QPushButton::clicked, this, &ColorsWindow::accept);
    connect(buttons_[1], &QPushButton::clicked, this, &ColorsWindow::cancel);
    connect(buttons_[2], &QPushButton::clicked, this, &ColorsWindow::randomColours);
    connect(buttons_[3], &QPushButton::clicked, this, &ColorsWindow::tickAll);

    choice_.loadFrom(graphics_.chartStyle());
    setTicks(graphics_.chartStyle());
    Apply();
    main_.registerWindow(WindowId::Colors, this);
}

void ColorsWindow::setTicks(const ChartStyle& style) {
    AskForColours = false;
    for (int k = 1; k <= kChartEntryCount; ++k)
        boxes_[static_cast<size_t>(k)]->setChecked(style.shown[static_cast<size_t>(k)]);
    AskForColours = true;
}

void ColorsWindow::reloadTicks() {
    choice_.reloadTicks(graphics_.chartStyle());
    setTicks(graphics_.chartStyle());
    Apply();
}

void ColorsWindow::openFromGraphics() {
    showOrFocus(this);
    reloadTicks();
}

void ColorsWindow::Apply() {
    for (int k = 1; k <= kChartEntryCount; ++k) {
        const QColor c = winColor(choice_.colour(k));
        // The caption stays readable on any colour.
        const char* text = qGray(c.rgb()) < 110 ? "white" : "black";
        boxes_[static_cast<size_t>(k)]->setStyleSheet(
            QStringLiteral("QCheckBox { background-color: %1; color: %2; spacing: 1px; }")
                .arg(c.name(), QLatin1String(text)));
    }
}

std::optional<uint32_t> ColorsWindow::askForColour(int k) {
    QColorDialog dialog(winColor(choice_.colour(k)), this);
    dialog.setObjectName(QStringLiteral("colorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return toWinColor(dialog.selectedColor());
}

void ColorsWindow::toggleTick(int k) {
    const bool ticked = boxes_[static_cast<size_t>(k)]->isChecked();
    if (choice_.setTicked(k, ticked) && AskForColours) {
        if (const std::optional<uint32_t> c = askForColour(k)) choice_.colourChosen(k, *c);
    }
    Apply();
}

void ColorsWindow::accept() {
    graphics_.setChartStyle(choice_.acceptedStyle(graphics_.chartStyle()));
    close();
}

void ColorsWindow::cancel() { close(); }

void ColorsWindow::randomColours() {
    choice_.randomize(main_.state().rng);
    Apply();
}

void ColorsWindow::tickAll() {
    AskForColours = false;
    for (int k = 1; k <= kChartEntryCount; ++k) boxes_[static_cast<size_t>(k)]->setChecked(true);
    choice_.tickAll();
    AskForColours = true;
}

}  // namespace kv
