// Pixel meaning of the drawing layer: every window relies on these
// conventions, so they are pinned here once.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>

#include "gui/common/canvas.h"

namespace {

struct Probe {
    int x, y;
    uint32_t colour;
};

struct Drawing {
    std::string name;
    std::function<void(kv::Canvas&)> draw;
    std::vector<Probe> probes;
};

}  // namespace

TEST(Canvas, DrawingConventions) {
    using namespace kv;
    const std::vector<Drawing> drawings = {
        {"Rectangle covers x1..x2-1, outlined by the pen",
         [](Canvas& c) {
             c.pen.color = clBlack;
             c.brush.color = clRed;
             c.Rectangle(5, 6, 15, 20);
         },
         {{5, 6, clBlack}, {14, 19, clBlack}, {15, 10, clWhite}, {10, 20, clWhite}, {10, 12, clRed}}},
        {"LineTo leaves the end point out; the next line draws it",
         [](Canvas& c) {
             c.pen.color = clBlue;
             c.MoveTo(2, 3);
             c.LineTo(12, 3);
             c.MoveTo(0, 10);
             c.LineTo(10, 20);
             c.LineTo(20, 20);
         },
         {{2, 3, clBlue},
          {11, 3, clBlue},
          {12, 3, clWhite},
          {5, 15, clBlue},
          {10, 20, clBlue},
          {20, 20, clWhite}}},
        {"Pie runs counter-clockwise from the start ray to the end ray",
         [](Canvas& c) {
             c.brush.color = clRed;
             c.Pie(0, 0, 41, 41, 40, 20, 20, 0);
         },
         {{30, 10, clRed}, {10, 10, clWhite}, {10, 30, clWhite}, {30, 30, clWhite}}},
        {"Rectangles partly or wholly outside the image are clipped",
         [](Canvas& c) {
             c.pen.color = clBlack;
             c.brush.color = clRed;
             c.Rectangle(45, 2, 57, 8);
             c.FillRect(3, 41, 9, 44);
             c.Rectangle(-20, -20, -2, -3);
             c.Rectangle(37, 2, 50, 9);
         },
         {{37, 2, clBlack}, {39, 5, clRed}, {5, 39, clWhite}, {0, 0, clWhite}}},
    };
    for (const Drawing& d : drawings) {
        QImage img(40, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        Canvas c(img);
        d.draw(c);
        for (const Probe& p : d.probes)
            EXPECT_EQ(c.Pixel(p.x, p.y), p.colour) << d.name << " at (" << p.x << "," << p.y << ")";
    }

    // TextOut fills its box from the top left corner.
    QImage img(120, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    Canvas c(img);
    c.font.size = 19;
    c.font.color = clYellow;
    c.brush.color = clBlack;
    const int w = c.TextWidth("BET: 5");
    const int h = c.TextHeight("BET: 5");
    c.TextOut(10, 7, "BET: 5");
    EXPECT_EQ(c.Pixel(10, 7), clBlack);
    EXPECT_EQ(c.Pixel(9, 7), clWhite);
    EXPECT_EQ(c.Pixel(10 + w, 7), clWhite);
    EXPECT_EQ(c.Pixel(10 + w - 1, 7 + h - 1), clBlack);
    EXPECT_EQ(c.Pixel(10, 7 + h), clWhite);
}
