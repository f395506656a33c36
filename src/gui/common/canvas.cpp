#include "gui/common/canvas.h"

#include <QFontMetrics>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kv {

QColor winColor(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

uint32_t toWinColor(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

uint32_t rgbToWin(QRgb p) {
    return static_cast<uint32_t>(qRed(p)) | (static_cast<uint32_t>(qGreen(p)) << 8) |
           (static_cast<uint32_t>(qBlue(p)) << 16);
}

QRgb winToRgb(uint32_t bgr) {
    return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

int pointsToPixels(int points) {
    // MulDiv(points, 96, 72): rounded, symmetric for negative values.
    const int num = points * 96;
    return num >= 0 ? (num + 36) / 72 : -((-num + 36) / 72);
}

QStringList defaultFontFamilies() {
    // Narrow sans faces first: the table's texts were laid out for Arial
    // metrics, and DejaVu Sans is much wider.
    return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
            QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
}

Canvas::Canvas(QImage& image) : image_(image) {
    if (image_.format() != QImage::Format_RGB32 && image_.format() != QImage::Format_ARGB32 &&
        image_.format() != QImage::Format_ARGB32_Premultiplied) {
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    }
    // Own the pixels before painting: the raw row access and the painter must
    // see one and the same buffer.
    image_.detach();
    bits_ = image_.bits();
    stride_ = image_.bytesPerLine();
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    // Glyph edges stay smoothed; text boxes still start exactly at (x, y).
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

Canvas::~Canvas() { painter_.end(); }

QFont Canvas::qfont() const {
    QFont f;
    f.setFamilies(font.families);
    f.setPixelSize(std::max(1, pointsToPixels(font.size)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

void Canvas::plot(int x, int y, QRgb c) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    scanLine(y)[x] = c;
}

void Canvas::FillRect(int x1, int y1, int x2, int y2) {
    if (brush.clear) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, image_.width());
    y2 = std::min(y2, image_.height());
    // A rectangle wholly outside the image is clipped to nothing.
    if (x1 >= x2 || y1 >= y2) return;
    const QRgb c = winToRgb(brush.color);
    for (int y = y1; y < y2; ++y) std::fill(scanLine(y) + x1, scanLine(y) + x2, c);
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 <= 0 || y2 - y1 <= 0) return;
    FillRect(x1, y1, x2, y2);
    if (pen.clear) return;
    // The outline lies inside the covered area, pen.width pixels thick.
    const int w = std::max(1, pen.width);
    const Brush saved = brush;
    brush = Brush{pen.color, false};
    FillRect(x1, y1, x2, std::min(y2, y1 + w));
    FillRect(x1, std::max(y1, y2 - w), x2, y2);
    FillRect(x1, y1, std::min(x2, x1 + w), y2);
    FillRect(std::max(x1, x2 - w), y1, x2, y2);
    brush = saved;
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 <= 0 || y2 - y1 <= 0) return;
    painter_.setPen(pen.clear ? QPen(Qt::NoPen) : QPen(winColor(pen.color), std::max(1, pen.width)));
    painter_.setBrush(brush.clear ? QBrush(Qt::NoBrush) : QBrush(winColor(brush.color)));
    // With a one-pixel pen Qt covers x..x+w inclusive: one less than the box.
    painter_.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void Canvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 <= 0 || y2 - y1 <= 0) return;
    const double cx = (x1 + x2) / 2.0;
    const double cy = (y1 + y2) / 2.0;
    // Screen y grows downwards; angles count counter-clockwise as seen.
    const double a3 = std::atan2(cy - y3, x3 - cx) * 180.0 / M_PI;
    const double a4 = std::atan2(cy - y4, x4 - cx) * 180.0 / M_PI;
    double span = a4 - a3;
    while (span <= 0) span += 360.0;  // equal rays: the whole ellipse
    painter_.setPen(pen.clear ? QPen(Qt::NoPen) : QPen(winColor(pen.color), std::max(1, pen.width)));
    painter_.setBrush(brush.clear ? QBrush(Qt::NoBrush) : QBrush(winColor(brush.color)));
    painter_.drawPie(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), static_cast<int>(std::lround(a3 * 16)),
                     static_cast<int>(std::lround(span * 16)));
}

void Canvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void Canvas::LineTo(int x, int y) {
    const int x0 = penX_;
    const int y0 = penY_;
    penX_ = x;
    penY_ = y;
    if (pen.clear) return;
    if (pen.width > 1) {
        QPen p(winColor(pen.color), pen.width);
        p.setCapStyle(Qt::FlatCap);
        painter_.setPen(p);
        painter_.drawLine(x0, y0, x, y);
        return;
    }
    // Bresenham, end point excluded.
    const QRgb c = winToRgb(pen.color);
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    int px = x0;
    int py = y0;
    while (px != x || py != y) {
        plot(px, py, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            px += sx;
        }
        if (e2 <= dx) {
            err += dx;
            py += sy;
        }
    }
}

int Canvas::TextWidth(const QString& text) { return QFontMetrics(qfont()).horizontalAdvance(text); }

int Canvas::TextHeight(const QString&) { return QFontMetrics(qfont()).height(); }

void Canvas::TextOut(int x, int y, const QString& text) {
    const QFont f = qfont();
    const QFontMetrics fm(f);
    if (!brush.clear) {
        FillRect(x, y, x + fm.horizontalAdvance(text), y + fm.height());
    }
    painter_.setFont(f);
    painter_.setPen(winColor(font.color));
    painter_.drawText(x, y + fm.ascent(), text);
    penX_ = x + fm.horizontalAdvance(text);
    penY_ = y;
}

uint32_t Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return 0xFFFFFFFFu;
    return rgbToWin(reinterpret_cast<const QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_)[x]);
}

void Canvas::setPixel(int x, int y, uint32_t bgr) { plot(x, y, winToRgb(bgr)); }

void Canvas::Draw(int x, int y, const QImage& picture) { painter_.drawImage(x, y, picture); }

}  // namespace kv
