#include "gui/analysis/wheel_sectors_window.h"

#include <QPainter>
#include <cmath>
#include <optional>

#include "core/roulette.h"
#include "gui/analysis/statistic_window.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/common/picture_painter.h"
#include "gui/compact/compact_table_window.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

constexpr double kPocketDegrees = 360.0 / 37.0;

std::optional<MouseButton> tableButton(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

}  // namespace

QImage WheelSectorsWindow::wheelPicture() {
    QImage img(kWheelPictureSize, kWheelPictureSize, QImage::Format_RGB32);
    img.fill(winColor(clGreen));
    Canvas c(img);
    // The pockets: wedges of the outer circle centred on their rays, the
    // zero at the top and the numbers running clockwise.
    for (int q = 1; q <= 37; ++q) {
        const int n = NumberAtWheelPosition(q);
        const double mid = pocketAngle(q);
        const PicturePoint from = wheelPoint(mid - kPocketDegrees / 2, kPocketOuterRadius);
        const PicturePoint to = wheelPoint(mid + kPocketDegrees / 2, kPocketOuterRadius);
        c.pen = {clSilver, 1, false};
        c.brush = {n == 0 ? winRgb(0, 176, 0) : (isRed(n) ? winRgb(200, 0, 0) : winRgb(16, 16, 16)), false};
        c.Pie(0, 0, 2 * kPocketOuterRadius, 2 * kPocketOuterRadius, from.x, from.y, to.x, to.y);
    }
    // Inside the pocket ring the picture is background: the pie covers most
    // of it and the boundary ring stays green.
    c.pen = {clSilver, 1, false};
    c.brush = {clGreen, false};
    const int r = kPocketInnerRadius;
    c.Ellipse(kWheelPictureCentre - r, kWheelPictureCentre - r, kWheelPictureCentre + r + 1,
              kWheelPictureCentre + r + 1);

    // Numbers read from the rim towards the centre, upright at the zero.
    QPainter& p = c.painter();
    QFont f;
    f.setFamilies(defaultFontFamilies());
    f.setPixelSize(pointsToPixels(7));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    const double textRadius = (kPocketInnerRadius + kPocketOuterRadius) / 2.0 + 2;
    for (int q = 1; q <= 37; ++q) {
        const double a = pocketAngle(q);
        const double rad = (a + 90.0) * 3.14159265358979323846 / 180.0;
        p.save();
        p.translate(kWheelPictureCentre + textRadius * std::cos(rad),
                    kWheelPictureCentre - textRadius * std::sin(rad));
        p.rotate(-a);
        const QString text = QString::number(NumberAtWheelPosition(q));
        p.drawText(QRectF(-10, -8, 20, 16), Qt::AlignCenter, text);
        p.restore();
    }
    return img;
}

WheelSectorsWindow::WheelSectorsWindow(MainWindow& main)
    : QWidget(nullptr), main_(main), sectors_(main.settings().SectorBounds) {
    setObjectName(QStringLiteral("WheelSectorsWindow"));
    setWindowTitle(QStringLiteral("Wheel Sectors"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(clGreen));
    setPalette(pal);

    wheel_ = wheelPicture();
    wheelView_ = new ImageBox(this);
    wheelView_->setObjectName(QStringLiteral("wheelView"));
    wheelView_->setGeometry(8, 0, kWheelPictureSize, kWheelPictureSize);
    wheelView_->onMouseMove = [this](Qt::MouseButtons, int x, int y) { hoverWheel(x, y); };
    wheelView_->onMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        pressWheel(b, x, y);
    };
    // A damaged settings entry was replaced by the defaults: keep what is
    // drawn and what is saved the same.
    main_.settings().SectorBounds = sectors_.bounds().numbers();
    drawSectorPie();
    main_.registerWindow(WindowId::WheelSectors, this, MenuItem::WheelSectors);
}

void WheelSectorsWindow::drawSectorPie() {
    ++pieCount_;
    shown_ = wheel_.copy();
    paintPicture(shown_, sectors_.picture());
    wheelView_->setImage(shown_);
}

void WheelSectorsWindow::hoverWheel(int x, int y) {
    if (sectors_.mouseMove(x, y)) drawSectorPie();
}

void WheelSectorsWindow::pressWheel(Qt::MouseButton button, int x, int y) {
    const std::optional<MouseButton> b = tableButton(button);
    if (!b) return;
    const WheelClick click = sectors_.mouseDown(x, y);
    // Each chip goes through the table's own click handler, so limits and
    // credit apply exactly as to a click on the table.
    for (const TablePoint& p : click.tableClicks) main_.pressTable(*b, p.x, p.y);
    // The table's own click lit the spot it hit; the pointer is not over
    // the table, so the table is drawn again without it (outside the result
    // phase, where the blink owns the picture).
    if (!click.tableClicks.empty() && main_.state().ResultTicks == 0) main_.redrawTable();
    if (click.boundsChanged) main_.settings().SectorBounds = sectors_.bounds().numbers();
    if (click.refreshStatistic) {
        auto* statistic = qobject_cast<StatisticWindow*>(main_.window(WindowId::Statistic));
        if (statistic != nullptr && statistic->isVisible()) statistic->refresh();
    }
    drawSectorPie();
    refreshCompactWindows(main_);
}

}  // namespace kv
