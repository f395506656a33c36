#pragma once
// Plain drawing records that the statistics computations hand to their
// windows. A window draws a picture by walking the list in order and making
// the matching call of the drawing layer; it decides nothing itself.
//
// Coordinates are pixels of the picture the list is made for (a paint box or
// an image), y growing downwards. Colours are Windows colour values 0xBBGGRR.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kv {

using WinColor = uint32_t;

// 0xBBGGRR from red, green and blue bytes.
constexpr WinColor winRgb(int r, int g, int b) {
    return static_cast<WinColor>(r & 0xFF) | (static_cast<WinColor>(g & 0xFF) << 8) |
           (static_cast<WinColor>(b & 0xFF) << 16);
}

struct PicturePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PicturePoint&) const = default;
};

// A box as the classic raster calls take it: covers x1..x2-1, y1..y2-1.
struct PictureRect {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const PictureRect&) const = default;
};

// Rectangle(box) filled with `brush`, outlined by a 1-pixel `pen`.
struct ShapeRect {
    PictureRect box;
    WinColor brush = 0;
    WinColor pen = 0;
    bool operator==(const ShapeRect&) const = default;
};

// Ellipse(box) filled with `brush`, outlined by a 1-pixel `pen`.
struct ShapeEllipse {
    PictureRect box;
    WinColor brush = 0;
    WinColor pen = 0;
    bool operator==(const ShapeEllipse&) const = default;
};

// Pie(box, start, end): the wedge of the ellipse in `box` running
// counter-clockwise from the ray through `start` to the ray through `end`.
struct ShapePie {
    PictureRect box;
    PicturePoint start;
    PicturePoint end;
    WinColor brush = 0;
    WinColor pen = 0;
    bool operator==(const ShapePie&) const = default;
};

// MoveTo(from), LineTo(to) with a pen of `width` pixels (the end point is
// left out, as LineTo does).
struct ShapeLine {
    PicturePoint from;
    PicturePoint to;
    WinColor pen = 0;
    int width = 1;
    bool operator==(const ShapeLine&) const = default;
};

// MoveTo(points[0]), then LineTo every further point, 1-pixel `pen`.
struct ShapePolyline {
    std::vector<PicturePoint> points;
    WinColor pen = 0;
    bool operator==(const ShapePolyline&) const = default;
};

// TextOut(x, y, text): (x, y) is the top-left corner of the text box, which
// is filled with `background` (texts of these windows are always opaque).
// `size` is in points; 0 means the window's default font.
struct ShapeText {
    int x = 0;
    int y = 0;
    std::string text;
    WinColor color = 0;
    WinColor background = 0;
    int size = 0;
    bool bold = false;
    bool operator==(const ShapeText&) const = default;
};

// Single pixels, all in one colour.
struct ShapePixels {
    std::vector<PicturePoint> points;
    WinColor color = 0;
    bool operator==(const ShapePixels&) const = default;
};

using Shape =
    std::variant<ShapeRect, ShapeEllipse, ShapePie, ShapeLine, ShapePolyline, ShapeText, ShapePixels>;
using Picture = std::vector<Shape>;

}  // namespace kv
