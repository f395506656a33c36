#include "gui/common/picture_painter.h"

#include <QImage>
#include <variant>

#include "gui/common/canvas.h"

namespace kv {

namespace {

class ShapePainter {
  public:
    explicit ShapePainter(Canvas& c) : c_(c) {}

    void operator()(const ShapeRect& s) {
        outline(s.pen);
        fill(s.brush);
        c_.Rectangle(s.box.x1, s.box.y1, s.box.x2, s.box.y2);
    }
    void operator()(const ShapeEllipse& s) {
        outline(s.pen);
        fill(s.brush);
        c_.Ellipse(s.box.x1, s.box.y1, s.box.x2, s.box.y2);
    }
    void operator()(const ShapePie& s) {
        outline(s.pen);
        fill(s.brush);
        c_.Pie(s.box.x1, s.box.y1, s.box.x2, s.box.y2, s.start.x, s.start.y, s.end.x, s.end.y);
    }
    void operator()(const ShapeLine& s) {
        c_.pen = {s.pen, s.width, false};
        c_.MoveTo(s.from.x, s.from.y);
        c_.LineTo(s.to.x, s.to.y);
    }
    void operator()(const ShapePolyline& s) {
        if (s.points.empty()) return;
        outline(s.pen);
        c_.MoveTo(s.points.front().x, s.points.front().y);
        for (size_t i = 1; i < s.points.size(); ++i) c_.LineTo(s.points[i].x, s.points[i].y);
    }
    void operator()(const ShapeText& s) {
        fill(s.background);
        Canvas::Font f;
        if (s.size > 0) f.size = s.size;
        f.bold = s.bold;
        f.color = s.color;
        c_.font = f;
        c_.TextOut(s.x, s.y, QString::fromLatin1(s.text.data(), static_cast<qsizetype>(s.text.size())));
    }
    void operator()(const ShapePixels& s) {
        for (const PicturePoint& p : s.points) c_.setPixel(p.x, p.y, s.color);
    }

  private:
    void outline(WinColor colour) { c_.pen = {colour, 1, false}; }
    void fill(WinColor colour) { c_.brush = {colour, false}; }

    Canvas& c_;
};

}  // namespace

QFont classicFont() {
    QFont f;
    f.setFamilies(defaultFontFamilies());
    f.setPixelSize(pointsToPixels(Canvas::Font().size));
    return f;
}

void paintPicture(Canvas& c, const Picture& picture) {
    ShapePainter painter(c);
    for (const Shape& s : picture) std::visit(painter, s);
}

void paintPicture(QImage& image, const Picture& picture) {
    Canvas c(image);
    paintPicture(c, picture);
}

}  // namespace kv
