#pragma once
// The drawing layer every window paints through: the classic raster
// primitives over QPainter on a QImage, with their exact pixel meaning.
//
// - Rectangle/Ellipse/FillRect(x1, y1, x2, y2) cover x1..x2-1 and y1..y2-1,
//   filled with the brush and outlined with the pen.
// - Pie runs counter-clockwise from the ray through (x3, y3) to the ray
//   through (x4, y4).
// - MoveTo/LineTo leave the end point out, so joined lines never draw a
//   corner pixel twice.
// - TextOut puts the top-left corner of the text box at (x, y) and fills the
//   box with the brush colour when the brush is solid.
// - Font sizes are points at 96 dots per inch, whatever the screen says.
// - Geometry is drawn without antialiasing, so a pixel lands where the
//   coordinates say.
//
// Colours are Windows colour values 0xBBGGRR throughout.
//
// A Canvas is a paint session on one image: make it, draw, let it go. The
// image must stay alive and must not be copied while the Canvas draws.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>

namespace kv {

// 0xBBGGRR -> QColor, the one conversion of the program.
QColor winColor(uint32_t bgr);
// QColor -> 0xBBGGRR (alpha dropped).
uint32_t toWinColor(const QColor& c);
// An RGB32 pixel value -> 0xBBGGRR.
uint32_t rgbToWin(QRgb p);
QRgb winToRgb(uint32_t bgr);

// Standard colour values.
inline constexpr uint32_t clBlack = 0x000000;
inline constexpr uint32_t clWhite = 0xFFFFFF;
inline constexpr uint32_t clRed = 0x0000FF;
inline constexpr uint32_t clBlue = 0xFF0000;
inline constexpr uint32_t clLime = 0x00FF00;
inline constexpr uint32_t clYellow = 0x00FFFF;
inline constexpr uint32_t clAqua = 0xFFFF00;
inline constexpr uint32_t clFuchsia = 0xFF00FF;
inline constexpr uint32_t clGreen = 0x008000;
inline constexpr uint32_t clPurple = 0x800080;
inline constexpr uint32_t clMaroon = 0x000080;
inline constexpr uint32_t clNavy = 0x800000;
inline constexpr uint32_t clOlive = 0x008080;
inline constexpr uint32_t clTeal = 0x808000;
inline constexpr uint32_t clGray = 0x808080;
inline constexpr uint32_t clSilver = 0xC0C0C0;
inline constexpr uint32_t clMoneyGreen = 0xC0DCC0;
inline constexpr uint32_t clSkyBlue = 0xF0CAA6;
inline constexpr uint32_t clCream = 0xF0FBFF;

// Pixel size of a font of `points` points at 96 dpi, rounded like MulDiv.
int pointsToPixels(int points);

// The sans-serif family list the program draws its texts with.
QStringList defaultFontFamilies();

class Canvas {
  public:
    struct Pen {
        uint32_t color = clBlack;
        int width = 1;
        bool clear = false;  // no outline at all
    };
    struct Brush {
        uint32_t color = clWhite;
        bool clear = false;  // no fill, and TextOut leaves the background
    };
    struct Font {
        QStringList families = defaultFontFamilies();
        int size = 8;  // points at 96 dpi
        uint32_t color = clBlack;
        bool bold = false;
        bool italic = false;
    };

    explicit Canvas(QImage& image);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Pen pen;
    Brush brush;
    Font font;

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    QImage& image() { return image_; }

    void Rectangle(int x1, int y1, int x2, int y2);
    void FillRect(int x1, int y1, int x2, int y2);  // brush only, no outline
    void Ellipse(int x1, int y1, int x2, int y2);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    int penX() const { return penX_; }
    int penY() const { return penY_; }
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);

    // 0xBBGGRR of one pixel; 0xFFFFFFFF outside the image.
    uint32_t Pixel(int x, int y) const;
    // Sets one pixel; outside the image nothing happens.
    void setPixel(int x, int y, uint32_t bgr);
    // Raw row access for bulk pixel work (RGB32 values).
    QRgb* scanLine(int y) { return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_); }

    // Copies a picture with its top-left corner at (x, y).
    void Draw(int x, int y, const QImage& picture);

    // For the rare drawing that needs more than the primitives above.
    QPainter& painter() { return painter_; }

  private:
    QFont qfont() const;
    void plot(int x, int y, QRgb c);

    QImage& image_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    QPainter painter_;
    int penX_ = 0;
    int penY_ = 0;
};

}  // namespace kv
