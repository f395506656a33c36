#include "gui/table/table_picture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "core/roulette.h"
#include "core/table_geometry.h"
#include "gui/common/canvas.h"

namespace kv {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPocket = 2.0 * kPi / 37.0;

// The ball track: DrawWheel erases the ball there with $004080, so the track
// must be exactly that colour to leave no trace.
constexpr QRgb kTrack = qRgb(128, 64, 0);
constexpr QRgb kLine = qRgb(236, 236, 224);
constexpr QRgb kGold = qRgb(214, 172, 64);

QRgb shade(QRgb c, double f) {
    auto ch = [f](int v) { return std::clamp(static_cast<int>(std::lround(v * f)), 0, 255); };
    return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

QRgb mix(QRgb a, QRgb b, double t) {
    auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return qRgb(ch(qRed(a), qRed(b)), ch(qGreen(a), qGreen(b)), ch(qBlue(a), qBlue(b)));
}

// A small fixed hash, so the felt grain is the same on every start.
uint32_t grain(int x, int y) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

void paintFelt(Canvas& c) {
    const QRgb base = qRgb(14, 96, 46);
    const double cx = c.width() / 2.0;
    const double cy = c.height() / 2.0;
    for (int y = 0; y < c.height(); ++y) {
        QRgb* row = c.scanLine(y);
        for (int x = 0; x < c.width(); ++x) {
            const double dx = (x - cx) / cx;
            const double dy = (y - cy) / cy;
            const double vignette = 1.0 - 0.22 * (dx * dx + dy * dy) / 2.0;
            const double noise = 1.0 + (static_cast<int>(grain(x, y) & 15) - 7) / 160.0;
            row[x] = shade(base, vignette * noise);
        }
    }
}

QRgb plateColor(int n) {
    if (n == 0) return qRgb(0, 140, 60);
    return isRed(n) ? qRgb(196, 18, 24) : qRgb(24, 24, 26);
}

// Angle counter-clockwise from the top, 0..2pi, of the offset (dx, dy).
double angleFromTop(double dx, double dy) {
    double a = std::atan2(-dx, -dy);
    if (a < 0) a += 2.0 * kPi;
    return a;
}

void paintWheel(Canvas& c) {
    const int cx = kWheelCentre.x;
    const int cy = kWheelCentre.y;
    const int outer = 163;
    for (int y = cy - outer; y <= cy + outer; ++y) {
        if (y < 0 || y >= c.height()) continue;
        QRgb* row = c.scanLine(y);
        for (int x = cx - outer; x <= cx + outer; ++x) {
            if (x < 0 || x >= c.width()) continue;
            const double dx = x - cx;
            const double dy = y - cy;
            const double r = std::sqrt(dx * dx + dy * dy);
            if (r > outer + 0.5) continue;
            const double a = angleFromTop(dx, dy);
            // Light falls from the top left.
            const double light = 0.85 + 0.25 * std::cos(a - kPi / 4);
            QRgb p;
            if (r > 160.5) {
                p = shade(qRgb(70, 36, 12), light);
            } else if (r > 156.5) {
                p = shade(kGold, light);
            } else if (r > 128.5) {
                p = kTrack;
            } else if (r > 127.0) {
                p = qRgb(60, 30, 0);
            } else if (r > 123.5) {
                p = shade(qRgb(200, 200, 206), 0.9 + 0.1 * light);
            } else if (r > 95.0) {
                const double pos = a / kPocket;
                const int pocket = static_cast<int>(pos) % 37;
                const double frac = pos - std::floor(pos);
                const double fretPx = std::min(frac, 1.0 - frac) * kPocket * r;
                const int n = NumberAtWheelPosition(pocket + 1);
                if (fretPx < (r > 111.5 ? 0.7 : 1.1)) {
                    p = qRgb(206, 206, 214);
                } else if (r > 111.5 && r < 112.8) {
                    p = qRgb(206, 206, 214);
                } else if (r > 111.5) {
                    p = plateColor(n);
                } else {
                    // The pocket floor, darker towards the hub.
                    p = shade(plateColor(n), 0.55 + 0.25 * (r - 95.0) / 16.0);
                }
            } else if (r > 91.5) {
                p = shade(kGold, light);
            } else if (r > 14.5) {
                // The cone: warm wood, lighter towards the rim.
                const double t = (r - 14.5) / 77.0;
                p = shade(mix(qRgb(92, 48, 18), qRgb(150, 86, 36), t), 0.9 + 0.15 * light);
                if (std::fabs(r - 62.0) < 1.0) p = shade(p, 0.7);
            } else {
                p = shade(qRgb(205, 205, 212), 0.85 + 0.2 * light);
            }
            row[x] = p;
        }
    }

    QPainter& pt = c.painter();
    pt.save();
    pt.setRenderHint(QPainter::Antialiasing, true);
    pt.translate(cx, cy);
    // The numbers, upright when read from outside the wheel.
    QFont f;
    f.setFamilies(defaultFontFamilies());
    f.setPixelSize(11);
    f.setBold(true);
    pt.setFont(f);
    pt.setPen(Qt::white);
    for (int pocket = 0; pocket < 37; ++pocket) {
        pt.save();
        pt.rotate(-(pocket + 0.5) * 360.0 / 37.0);
        pt.drawText(QRect(-12, -124, 24, 12), Qt::AlignCenter,
                    QString::number(NumberAtWheelPosition(pocket + 1)));
        pt.restore();
    }
    // Diamonds on the ball track, inside the part the ball never runs over.
    pt.setPen(QPen(QColor(120, 90, 30), 1));
    pt.setBrush(QColor(kGold));
    for (int k = 0; k < 8; ++k) {
        pt.save();
        pt.rotate(k * 45.0 + 22.5);
        pt.drawPolygon(QPolygonF({QPointF(0, -139), QPointF(3, -134), QPointF(0, -130), QPointF(-3, -134)}));
        pt.restore();
    }
    // The turret: four arms with knobs over the cone.
    pt.setPen(QPen(QColor(90, 90, 96), 1));
    for (int k = 0; k < 4; ++k) {
        pt.save();
        pt.rotate(k * 90.0);
        pt.setBrush(QColor(215, 215, 222));
        pt.drawRoundedRect(QRectF(-3, -46, 6, 34), 3, 3);
        pt.drawEllipse(QPointF(0, -47), 5.5, 5.5);
        pt.restore();
    }
    pt.setBrush(QColor(230, 230, 236));
    pt.drawEllipse(QPointF(0, 0), 12, 12);
    pt.setBrush(QColor(kGold));
    pt.drawEllipse(QPointF(0, 0), 5, 5);
    pt.restore();
}

void lineRect(Canvas& c, int x1, int y1, int x2, int y2, QRgb col) {
    c.brush.clear = false;
    c.brush.color = rgbToWin(col);
    c.FillRect(x1, y1, x2, y2);
}

void paintTable(Canvas& c) {
    const int left = kTableLeft;
    const int top = kTableTop;
    const int w = kCellWidth;
    const int h = kCellHeight;
    QPainter& pt = c.painter();
    pt.save();
    pt.setRenderHint(QPainter::Antialiasing, true);

    QFont numFont;
    numFont.setFamilies(defaultFontFamilies());
    numFont.setPixelSize(23);
    numFont.setBold(true);

    // Number tiles: pure red and black, so that the blink of the winning
    // number turns them cleanly green or magenta.
    for (int s = 1; s <= 12; ++s) {
        for (int j = 0; j <= 2; ++j) {
            const int n = 3 * s - j;
            const int x0 = left + w * s;
            const int y0 = top + h * j;
            pt.setPen(Qt::NoPen);
            pt.setBrush(isRed(n) ? QColor(255, 0, 0) : QColor(16, 16, 18));
            pt.drawRoundedRect(QRectF(x0 + 5, y0 + 5, w - 9, h - 9), 6, 6);
            pt.setFont(numFont);
            pt.setPen(Qt::white);
            pt.drawText(QRect(x0 + 1, y0 + 10, w, 36), Qt::AlignCenter, QString::number(n));
        }
    }

    // Zero, a tile pointing left across the three rows.
    QPainterPath zero;
    zero.moveTo(left + w - 4, top + 5);
    zero.lineTo(left + 14, top + 5);
    zero.lineTo(left + 5, top + 3 * h / 2);
    zero.lineTo(left + 14, top + 3 * h - 5);
    zero.lineTo(left + w - 4, top + 3 * h - 5);
    zero.closeSubpath();
    pt.setPen(Qt::NoPen);
    pt.setBrush(QColor(0, 176, 72));
    pt.drawPath(zero);
    QFont zeroFont = numFont;
    zeroFont.setPixelSize(30);
    pt.setFont(zeroFont);
    pt.setPen(Qt::white);
    pt.drawText(QRect(left + 4, top + 70, w - 4, 40), Qt::AlignCenter, QStringLiteral("0"));

    // Column bets.
    QFont smallFont = numFont;
    smallFont.setPixelSize(13);
    pt.setFont(smallFont);
    for (int j = 0; j <= 2; ++j) {
        const int x0 = left + w * 13;
        const int y0 = top + h * j;
        pt.drawText(QRect(x0 + 1, y0 + 14, w, 20), Qt::AlignCenter, QStringLiteral("2 to 1"));
    }

    // Dozens and even chances.
    const int dozTop = top + 3 * h + 14;   // 279
    const int evenTop = top + 3 * h + 42;  // 307
    const int outBottom = top + 4 * h;     // 349
    QFont outFont = numFont;
    outFont.setPixelSize(17);
    pt.setFont(outFont);
    const char* dozens[] = {"1st 12", "2nd 12", "3rd 12"};
    for (int d = 0; d < 3; ++d) {
        pt.drawText(QRect(left + w * (1 + 4 * d), dozTop, 4 * w, evenTop - dozTop), Qt::AlignCenter,
                    QString::fromLatin1(dozens[d]));
    }
    const char* even[] = {"1-18", "ODD", nullptr, nullptr, "EVEN", "19-36"};
    for (int e = 0; e < 6; ++e) {
        const QRect box(left + w * (1 + 2 * e), evenTop, 2 * w, outBottom - evenTop);
        if (even[e] != nullptr) {
            pt.setPen(Qt::white);
            pt.drawText(box, Qt::AlignCenter, QString::fromLatin1(even[e]));
            continue;
        }
        const QPointF m = QRectF(box).center();
        QPolygonF diamond({QPointF(m.x(), m.y() - 15), QPointF(m.x() + 27, m.y()), QPointF(m.x(), m.y() + 15),
                           QPointF(m.x() - 27, m.y())});
        pt.setPen(QPen(QColor(kLine), 2));
        pt.setBrush(e == 2 ? QColor(255, 0, 0) : QColor(16, 16, 18));
        pt.drawPolygon(diamond);
    }
    pt.restore();

    // The lines of the layout, two pixels wide, on the cell borders.
    for (int i = 1; i <= 14; ++i) {
        const int x = left + w * i;
        lineRect(c, x - 1, top - 1, x + 1, top + 3 * h + 1, kLine);
    }
    lineRect(c, left - 1, top - 1, left + 1, top + 3 * h + 1, kLine);
    for (int j = 0; j <= 3; ++j) {
        const int y = top + h * j;
        lineRect(c, left + (j == 1 || j == 2 ? w : 0) - 1, y - 1, left + 14 * w + 1, y + 1, kLine);
    }
    // The outside rows.
    const int oLeft = left + w;
    const int oRight = left + 13 * w;
    for (int y : {dozTop, evenTop, outBottom}) lineRect(c, oLeft - 1, y - 1, oRight + 1, y + 1, kLine);
    for (int i = 1; i <= 13; ++i) {
        const int x = left + w * i;
        const bool dozenBorder = (i - 1) % 4 == 0;
        const bool evenBorder = (i - 1) % 2 == 0;
        if (dozenBorder) lineRect(c, x - 1, dozTop - 1, x + 1, evenTop + 1, kLine);
        if (evenBorder) lineRect(c, x - 1, evenTop - 1, x + 1, outBottom + 1, kLine);
    }
}

void paintPanelsAndControls(Canvas& c) {
    QPainter& pt = c.painter();
    pt.save();
    pt.setRenderHint(QPainter::Antialiasing, true);
    auto panel = [&pt](QRectF r) {
        pt.setPen(QPen(QColor(kGold), 2));
        pt.setBrush(Qt::black);
        pt.drawRoundedRect(r, 7, 7);
    };
    panel(QRectF(9, 347, 314, 142));    // under the memo
    panel(QRectF(386, 352, 556, 137));  // money and the last numbers
    // Gold rims round the four control circles that drawBetsAndPanel fills.
    pt.setPen(Qt::NoPen);
    for (const TablePoint& p : {kChipSelector, kClearControl, kRepeatControl, kDoubleControl}) {
        pt.setBrush(QColor(kGold));
        pt.drawEllipse(QPointF(p.x + 0.5, p.y + 0.5), 31, 31);
        pt.setBrush(QColor(60, 20, 60));
        pt.drawEllipse(QPointF(p.x + 0.5, p.y + 0.5), 29, 29);
    }
    QFont f;
    f.setFamilies(defaultFontFamilies());
    f.setPixelSize(13);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    pt.setFont(f);
    pt.setPen(QColor(kGold));
    pt.drawText(QRect(944, 425, 73, 40), Qt::AlignCenter, QStringLiteral("KELVORA"));
    pt.restore();
}

}  // namespace

QImage buildTablePicture() {
    QImage img(kTableWidth, kTableHeight, QImage::Format_RGB32);
    {
        Canvas c(img);
        paintFelt(c);
        paintWheel(c);
        paintTable(c);
        paintPanelsAndControls(c);
    }
    return img;
}

}  // namespace kv
