// Pixel meaning of the drawing layer: every window relies on these
// conventions, so they are pinned here once.
#include <gtest/gtest.h>

#include <QImage>

#include "ui/canvas.h"

namespace {

QImage blank(int w = 40, int h = 40) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

}  // namespace

TEST(Canvas, ColourValuesAreBlueGreenRed) {
    EXPECT_EQ(kv::winColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(kv::winColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(kv::winColor(kv::clMoneyGreen), QColor(192, 220, 192));
    EXPECT_EQ(kv::winColor(kv::clSkyBlue), QColor(166, 202, 240));
    EXPECT_EQ(kv::winColor(kv::clPurple), QColor(128, 0, 128));
    EXPECT_EQ(kv::toWinColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    EXPECT_EQ(kv::pointsToPixels(8), 11);
    EXPECT_EQ(kv::pointsToPixels(19), 25);
    EXPECT_EQ(kv::pointsToPixels(25), 33);
}

TEST(Canvas, RectangleCoversX1ToX2MinusOneWithPenOutline) {
    QImage img = blank();
    {
        kv::Canvas c(img);
        c.pen.color = kv::clBlack;
        c.brush.color = kv::clRed;
        c.Rectangle(5, 6, 15, 20);
    }
    kv::Canvas c(img);
    EXPECT_EQ(c.Pixel(5, 6), kv::clBlack);     // corner belongs to the outline
    EXPECT_EQ(c.Pixel(14, 19), kv::clBlack);   // last covered pixel
    EXPECT_EQ(c.Pixel(15, 10), kv::clWhite);   // x2 is outside
    EXPECT_EQ(c.Pixel(10, 20), kv::clWhite);   // y2 is outside
    EXPECT_EQ(c.Pixel(4, 10), kv::clWhite);
    EXPECT_EQ(c.Pixel(10, 12), kv::clRed);     // inside: the brush
    EXPECT_EQ(c.Pixel(13, 18), kv::clRed);
}

TEST(Canvas, RectanglesPartlyOrWhollyOutsideAreClipped) {
    QImage img = blank();
    const QImage before = img.copy();
    {
        kv::Canvas c(img);
        c.brush.color = kv::clRed;
        // Wholly right of and below the image: nothing is drawn.
        c.Rectangle(img.width() + 5, 2, img.width() + 17, 8);
        c.FillRect(3, img.height() + 1, 9, img.height() + 4);
        c.Rectangle(-20, -20, -2, -3);
    }
    EXPECT_EQ(img, before);
    {
        kv::Canvas c(img);
        c.pen.color = kv::clBlack;
        c.brush.color = kv::clRed;
        c.Rectangle(img.width() - 3, 2, img.width() + 10, 9);
    }
    kv::Canvas c(img);
    EXPECT_EQ(c.Pixel(img.width() - 3, 2), kv::clBlack);
    EXPECT_EQ(c.Pixel(img.width() - 1, 5), kv::clRed) << "the right edge of the outline lies outside";
}

TEST(Canvas, EllipseStaysInsideItsBox) {
    QImage img = blank();
    {
        kv::Canvas c(img);
        c.pen.color = kv::clBlack;
        c.brush.color = kv::clLime;
        c.Ellipse(10, 10, 21, 21);  // 11 x 11, centre (15, 15)
    }
    kv::Canvas c(img);
    EXPECT_EQ(c.Pixel(10, 15), kv::clBlack);
    EXPECT_EQ(c.Pixel(20, 15), kv::clBlack);
    EXPECT_EQ(c.Pixel(15, 10), kv::clBlack);
    EXPECT_EQ(c.Pixel(15, 20), kv::clBlack);
    EXPECT_EQ(c.Pixel(9, 15), kv::clWhite);
    EXPECT_EQ(c.Pixel(21, 15), kv::clWhite);
    EXPECT_EQ(c.Pixel(15, 21), kv::clWhite);
    EXPECT_EQ(c.Pixel(15, 15), kv::clLime);
    EXPECT_EQ(c.Pixel(10, 10), kv::clWhite);  // corners of the box stay clear
}

TEST(Canvas, LineToLeavesTheEndPointOut) {
    QImage img = blank();
    kv::Canvas c(img);
    c.pen.color = kv::clBlue;
    c.MoveTo(2, 3);
    c.LineTo(12, 3);
    EXPECT_EQ(c.Pixel(2, 3), kv::clBlue);
    EXPECT_EQ(c.Pixel(11, 3), kv::clBlue);
    EXPECT_EQ(c.Pixel(12, 3), kv::clWhite);
    c.LineTo(12, 13);  // continues from the end point: the corner is drawn now
    EXPECT_EQ(c.Pixel(12, 3), kv::clBlue);
    EXPECT_EQ(c.Pixel(12, 12), kv::clBlue);
    EXPECT_EQ(c.Pixel(12, 13), kv::clWhite);
    c.MoveTo(0, 0);
    c.LineTo(10, 10);
    EXPECT_EQ(c.Pixel(5, 5), kv::clBlue);
    EXPECT_EQ(c.Pixel(10, 10), kv::clWhite);
}

TEST(Canvas, PieRunsCounterClockwiseFromStartRayToEndRay) {
    QImage img = blank(60, 60);
    kv::Canvas c(img);
    c.pen.color = kv::clBlack;
    c.brush.color = kv::clRed;
    // From the ray to the right (3 o'clock) to the ray upwards (12 o'clock):
    // the upper right quarter.
    c.Pie(10, 10, 51, 51, 50, 30, 30, 0);
    EXPECT_EQ(c.Pixel(40, 20), kv::clRed);
    EXPECT_EQ(c.Pixel(20, 20), kv::clWhite);
    EXPECT_EQ(c.Pixel(20, 40), kv::clWhite);
    EXPECT_EQ(c.Pixel(40, 40), kv::clWhite);
    // The same rays the other way round: the other three quarters.
    QImage img2 = blank(60, 60);
    kv::Canvas c2(img2);
    c2.brush.color = kv::clRed;
    c2.Pie(10, 10, 51, 51, 30, 0, 50, 30);
    EXPECT_EQ(c2.Pixel(40, 20), kv::clWhite);
    EXPECT_EQ(c2.Pixel(20, 20), kv::clRed);
    EXPECT_EQ(c2.Pixel(20, 40), kv::clRed);
    EXPECT_EQ(c2.Pixel(40, 40), kv::clRed);
}

TEST(Canvas, TextOutFillsItsBoxFromTheTopLeftCorner) {
    QImage img = blank(120, 60);
    kv::Canvas c(img);
    c.font.size = 19;
    c.font.color = kv::clYellow;
    c.brush.color = kv::clBlack;
    const int w = c.TextWidth("BET: 5");
    const int h = c.TextHeight("BET: 5");
    EXPECT_GE(h, kv::pointsToPixels(19));
    c.TextOut(10, 7, "BET: 5");
    EXPECT_EQ(c.Pixel(10, 7), kv::clBlack);  // background box starts at (x, y)
    EXPECT_EQ(c.Pixel(9, 7), kv::clWhite);
    EXPECT_EQ(c.Pixel(10, 6), kv::clWhite);
    EXPECT_EQ(c.Pixel(10 + w, 7), kv::clWhite);
    EXPECT_EQ(c.Pixel(10 + w - 1, 7 + h - 1), kv::clBlack);
    EXPECT_EQ(c.Pixel(10, 7 + h), kv::clWhite);
    int yellow = 0;
    for (int y = 7; y < 7 + h; ++y)
        for (int x = 10; x < 10 + w; ++x) yellow += c.Pixel(x, y) == kv::clYellow;
    EXPECT_GT(yellow, 20);

    // A clear brush leaves the background alone.
    QImage img2 = blank(120, 60);
    kv::Canvas c2(img2);
    c2.brush.clear = true;
    c2.font.color = kv::clBlack;
    c2.TextOut(10, 7, "I");
    EXPECT_EQ(c2.Pixel(10, 7), kv::clWhite);
}

TEST(Canvas, PixelsReadAndSetOnePixelAndIgnoreTheOutside) {
    QImage img = blank(10, 10);
    kv::Canvas c(img);
    c.setPixel(3, 4, 0x123456);
    EXPECT_EQ(c.Pixel(3, 4), 0x123456u);
    EXPECT_EQ(c.Pixel(4, 4), kv::clWhite);
    c.setPixel(-1, 0, 0);
    c.setPixel(10, 0, 0);
    EXPECT_EQ(c.Pixel(-1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(c.Pixel(0, 10), 0xFFFFFFFFu);
    // Raw rows and the painter share one buffer.
    c.brush.color = kv::clAqua;
    c.FillRect(0, 0, 2, 2);
    EXPECT_EQ(c.Pixel(1, 1), kv::clAqua);
    EXPECT_EQ(kv::rgbToWin(img.pixel(1, 1)), kv::clAqua);
}
