#include "gui/table/table_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/table_geometry.h"
#include "gui/common/canvas.h"
#include "gui/table/table_picture.h"

namespace kv {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kControlColor = 0xAF00AF;
constexpr uint32_t kChipColor = 0xFFA0A0;
constexpr uint32_t kTrackColor = 0x004080;
constexpr uint32_t kBallColor = 0xE0E0E0;
constexpr uint32_t kHighlight = 0x707070;
constexpr uint32_t kZeroHighlight = 0x404040;
constexpr int kRingInner = 93;
constexpr int kRingOuter = 127;
// The chip selector's circle covers x 325..379; its label ends 4 pixels
// inside it, as "x 100" starts 4 pixels inside on the left.
constexpr int kChipLabelRight = 376;

// Angle in radians of a count of pockets, turned the way the drawing wants
// it (a positive count turns the picture clockwise on the screen).
double pocketsToRadians(int pockets) { return -pockets * kPi / 180.0 * 360.0 / 37.0; }

}  // namespace

TableRenderer::TableRenderer() : picture_(buildTablePicture()), bitmap_(picture_.copy()) {}

void TableRenderer::freshCopy() {
    // Same size and format: a plain copy of the pixel rows, no reallocation.
    bitmap_.detach();
    std::memcpy(bitmap_.bits(), picture_.constBits(), static_cast<size_t>(picture_.sizeInBytes()));
}

void TableRenderer::fullRedraw(GameState& s, std::optional<BetCell> highlight) {
    freshCopy();
    if (highlight) {
        HighlightCells(s, *highlight);
    } else {
        drawBetsAndPanel(s);
        DrawWheel(s, true, true, false);
    }
}

void TableRenderer::drawBetsAndPanel(const GameState& s) {
    {
        Canvas c(bitmap_);
        drawBetsAndPanelOn(c, s);
    }
    if (s.ResultTicks == 0 && onTablePainted) onTablePainted();
}

void TableRenderer::drawBetsAndPanelOn(Canvas& c, const GameState& s) {
    // 1. The four control circles.
    c.pen = {kControlColor, 1, false};
    c.brush = {kControlColor, false};
    c.Ellipse(325, 279, 380, 334);
    c.Ellipse(325, 344, 380, 399);
    c.Ellipse(948, 280, 1003, 335);
    c.Ellipse(948, 346, 1003, 401);

    // 2. The chip selector's label, on the circle's colour. Its places were
    // laid out for narrow type: a wider face gets a smaller size, so that
    // the label ends inside the circle, at the height it would have had.
    c.font.size = 15;
    c.font.color = clYellow;
    c.font.bold = true;
    const int32_t chip = s.ChipValue;
    const QString label = chip <= 100 ? QStringLiteral("x %1").arg(chip) : QStringLiteral("Full");
    const int labelX = chip < 10 ? 340 : chip < 100 ? 333 : chip == 100 ? 329 : 337;
    int labelY = chip <= 100 ? 293 : 295;
    const int fullHeight = c.TextHeight(label);
    while (c.font.size > 1 && labelX + c.TextWidth(label) > kChipLabelRight) --c.font.size;
    labelY += (fullHeight - c.TextHeight(label)) / 2;
    c.TextOut(labelX, labelY, label);

    // 3. Clear, repeat and double.
    c.font.size = 25;
    c.font.color = clBlack;
    c.TextOut(342, 355, QStringLiteral("X"));
    c.font.color = clLime;
    c.TextOut(965, 290, QStringLiteral("R"));
    c.font.color = clYellow;
    c.TextOut(962, 355, QStringLiteral("M"));

    // 4. The last ten numbers, newest on the left.
    c.pen = {clYellow, 1, false};
    for (int k = 1; k <= 10 && k <= s.SpinCount; ++k) {
        const int n = s.SpinHistory(k);
        c.brush.color = numberColor(n);
        c.Rectangle(390 + 55 * (k - 1), 404, 389 + 55 * k, 480);
        c.font.color = clYellow;
        c.TextOut((n < 10 ? 408 : 399) + 55 * (k - 1), 420, QString::number(n));
    }

    // 5. The money.
    c.font.size = 19;
    c.font.color = clYellow;
    c.brush = {clBlack, false};
    const int64_t credits = s.ResultTicks > 0 ? s.Credit : static_cast<int64_t>(s.Credit) - s.Bet;
    c.TextOut(398, 362, QStringLiteral("CREDITS: %1").arg(credits));
    c.TextOut(602, 362, QStringLiteral("BET: %1").arg(s.Bet));
    c.TextOut(749, 362, QStringLiteral("WIN: %1").arg(s.Win));

    // 7. The chips.
    drawChipsOn(c, s.CurrentBets);
}

void TableRenderer::DrawChips(const BetGrid& bets) {
    Canvas c(bitmap_);
    drawChipsOn(c, bets);
}

void TableRenderer::drawChipsOn(Canvas& c, const BetGrid& bets) {
    for (int col = 1; col <= kGridColumns; ++col) {
        for (int row = 1; row <= kGridRows; ++row) {
            const int32_t amount = bets.at(col, row);
            if (amount == 0) continue;
            const TablePoint p = chipCentre({col, row});
            drawChipOn(c, p.x, p.y, amount);
        }
    }
}

void TableRenderer::DrawChip(int x, int y, int32_t amount) {
    Canvas c(bitmap_);
    drawChipOn(c, x, y, amount);
}

void TableRenderer::drawChipOn(Canvas& c, int x, int y, int32_t amount) {
    c.pen = {clBlack, 1, false};
    c.brush = {kChipColor, false};
    c.Ellipse(x - 11, y - 11, x + 12, y + 12);
    c.font.size = 8;
    c.font.color = clBlack;
    c.font.bold = false;
    const QString text = QString::number(amount);
    const int digits = static_cast<int>(text.size());
    const int dx = digits <= 1 ? 3 : digits == 2 ? 6 : 9;
    c.TextOut(x - dx, y - 6, text);
}

void TableRenderer::TintRect(int x0, int y0, int x1, int y1, uint32_t color) {
    Canvas c(bitmap_);
    tintOn(c, x0, y0, x1, y1, color);
}

void TableRenderer::tintOn(Canvas& c, int x0, int y0, int x1, int y1, uint32_t color) {
    const int addR = static_cast<int>(color & 0xFF);
    const int addG = static_cast<int>((color >> 8) & 0xFF);
    const int addB = static_cast<int>((color >> 16) & 0xFF);
    const int xs = std::max(x0 + 1, 0);
    const int xe = std::min(x1, picture_.width());  // exclusive
    const int ys = std::max(y0 + 1, 0);
    const int ye = std::min(y1 + 1, picture_.height());  // exclusive
    const QRgb pureRed = qRgb(255, 0, 0);
    for (int y = ys; y < ye; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(picture_.constScanLine(y));
        QRgb* dst = c.scanLine(y);
        for (int x = xs; x < xe; ++x) {
            const QRgb p = src[x];
            int r = qRed(p);
            if ((p & 0xFFFFFF) == (pureRed & 0xFFFFFF) && color != kHighlight) r = 0;
            dst[x] = qRgb(std::min(r + addR, 255), std::min(qGreen(p) + addG, 255),
                          std::min(qBlue(p) + addB, 255));
        }
    }
}

void TableRenderer::HighlightCells(GameState& s, BetCell cell) {
    {
        Canvas c(bitmap_);
        bool zeroDone = false;
        for (int n : CellNumbers(cell.c, cell.r)) {
            if (n == 0) {
                if (!zeroDone) tintOn(c, 342, 12, 388, 264, kZeroHighlight);
                zeroDone = true;
                continue;
            }
            const int street = (n - 1) / 3 + 1;
            const int row = 2 - (n - 1) % 3;
            tintOn(c, kTableLeft + kCellWidth * street, 12 + kCellHeight * row,
                   kTableLeft + kCellWidth * (street + 1), 12 + kCellHeight * (row + 1), kHighlight);
        }
    }
    drawBetsAndPanel(s);
    DrawWheel(s, true, true, false);
}

void TableRenderer::DrawWheel(GameState& s, bool ring, bool ball, bool outer) {
    Canvas c(bitmap_);
    drawWheelOn(c, s, ring, ball, outer);
}

void TableRenderer::drawWheelOn(Canvas& c, GameState& s, bool ring, bool ball, bool outer) {
    s.normalizeWheel();
    const int cx = kWheelCentre.x;
    const int cy = kWheelCentre.y;

    if (ring) {
        const double a = pocketsToRadians(s.WheelAngle);
        const double ca = std::cos(a);
        const double sa = std::sin(a);
        constexpr int inner2 = kRingInner * kRingInner;
        constexpr int outer2 = kRingOuter * kRingOuter;
        // The ring is read from the picture itself: a rotated point of the
        // ring stays within radius 127 of the centre, which the picture
        // always holds (a 257-pixel square copy round the centre would miss
        // a few columns on its left).
        for (int y = -126; y <= 127; ++y) {
            QRgb* dst = c.scanLine(y + cy);
            for (int x = -124; x <= 126; ++x) {
                const int d2 = x * x + y * y;
                if (d2 < inner2 || d2 > outer2) continue;
                const int sx = static_cast<int>(x * ca - y * sa);
                const int sy = static_cast<int>(x * sa + y * ca);
                dst[x + cx] = reinterpret_cast<const QRgb*>(picture_.constScanLine(sy + cy))[sx + cx];
            }
        }
    }

    // Erase the ball where it ran last on the outer track.
    {
        const double p = pocketsToRadians(s.PrevBallAngle);
        const int bx = static_cast<int>(-12 * std::cos(p) + 148 * std::sin(p));
        const int by = static_cast<int>(-12 * std::sin(p) - 148 * std::cos(p));
        c.pen = {kTrackColor, 1, false};
        c.brush = {kTrackColor, false};
        c.Ellipse(bx + 165, by + 176, bx + 178, by + 189);
    }

    if (ball) {
        const double q = pocketsToRadians(s.BallAngle);
        const double dx = outer ? -12 : -10;
        const double dy = outer ? -148 : -100;
        const int bx = static_cast<int>(dx * std::cos(q) - dy * std::sin(q));
        const int by = static_cast<int>(dx * std::sin(q) + dy * std::cos(q));
        c.pen = {clBlack, 1, false};
        c.brush = {kBallColor, false};
        c.Ellipse(bx + 165, by + 176, bx + 178, by + 189);
        c.pen = {clWhite, 1, false};
        c.brush = {clWhite, false};
        c.Ellipse(bx + 169, by + 180, bx + 176, by + 187);
    }
    s.normalizeWheel();
}

void TableRenderer::winCellTint(Canvas& c, const GameState& s, uint32_t color) {
    const int col = s.WinCell.col;
    const int row = s.WinCell.row;
    const int x0 = kTableLeft + kCellWidth * (col - 1);
    const int x1 = kTableLeft + kCellWidth * col;
    tintOn(c, x0, 12 + kCellHeight * (row - 1), x1, 12 + kCellHeight * row, color);
    if (col == 1) {
        // Zero stands across the three rows: the whole column blinks.
        for (int r = 2; r <= 3; ++r)
            tintOn(c, x0, 12 + kCellHeight * (r - 1), x1, 12 + kCellHeight * r, color);
    }
}

void TableRenderer::blink(const GameState& s, uint32_t color) {
    Canvas c(bitmap_);
    winCellTint(c, s, color);
    drawChipsOn(c, s.CurrentBets);
}

}  // namespace kv
