// The composed table: chips, highlights, blink, money texts and the wheel,
// checked on the pixels of TableBitmap.
#include <gtest/gtest.h>

#include <cmath>

#include "core/bets.h"
#include "core/table_geometry.h"
#include "ui/canvas.h"
#include "ui/main/table_renderer.h"
#include "ui_test_support.h"

namespace {

using kvtest::pixelAt;

// A pixel of the tile of number n that no chip and no digit covers.
QPoint tilePixel(int n) {
    const int street = (n - 1) / 3 + 1;
    const int row = 2 - (n - 1) % 3;
    return {kv::kTableLeft + kv::kCellWidth * street + 9, kv::kTableTop + kv::kCellHeight * row + 70};
}

uint32_t added(uint32_t picture, uint32_t tint) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c = std::min<uint32_t>(((picture >> shift) & 0xFF) + ((tint >> shift) & 0xFF), 255);
        out |= c << shift;
    }
    return out;
}

enum class Shade { Red, Dark, Green };
Shade classify(uint32_t bgr) {
    const int r = bgr & 0xFF;
    const int g = (bgr >> 8) & 0xFF;
    if (r > g + 50) return Shade::Red;
    if (g > r + 50) return Shade::Green;
    return Shade::Dark;
}
Shade expected(int n) {
    if (n == 0) return Shade::Green;
    return kv::isRed(n) ? Shade::Red : Shade::Dark;
}

class TableRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.rng.setSeed(12345);
        s.NewGame();
        s.ResultTicks = 0;
    }
    kv::GameState s;
    kv::TableRenderer r;
};

}  // namespace

TEST_F(TableRendererTest, PictureHasTheTableGeometry) {
    const QImage& pic = r.picture();
    ASSERT_EQ(pic.size(), QSize(kv::kTableWidth, kv::kTableHeight));
    // Red and black tiles where the numbers are, pure red for the blink.
    EXPECT_EQ(pixelAt(pic, tilePixel(3).x(), tilePixel(3).y()), kv::clRed);
    EXPECT_EQ(classify(pixelAt(pic, tilePixel(2).x(), tilePixel(2).y())), Shade::Dark);
    EXPECT_EQ(classify(pixelAt(pic, 350, 140)), Shade::Green) << "zero";
    // The ball track has the colour the ball is erased with.
    EXPECT_EQ(pixelAt(pic, kv::kWheelCentre.x, kv::kWheelCentre.y - 148), 0x004080u);
    EXPECT_EQ(pixelAt(pic, kv::kWheelCentre.x + 148, kv::kWheelCentre.y), 0x004080u);
    // Black panels under the memo and under the money.
    EXPECT_EQ(pixelAt(pic, 100, 420), kv::clBlack);
    EXPECT_EQ(pixelAt(pic, 600, 395), kv::clBlack);
}

TEST_F(TableRendererTest, WheelRingShowsWheelOrderCounterClockwiseFromZeroAtTheTop) {
    const QImage& pic = r.picture();
    const double pocket = 2 * M_PI / 37;
    for (int p = 0; p < 37; ++p) {
        // The pocket floor, halfway across pocket p counter-clockwise from the top.
        const double a = (p + 0.5) * pocket;
        const int x = kv::kWheelCentre.x + static_cast<int>(std::lround(-105 * std::sin(a)));
        const int y = kv::kWheelCentre.y + static_cast<int>(std::lround(-105 * std::cos(a)));
        EXPECT_EQ(classify(pixelAt(pic, x, y)), expected(kv::NumberAtWheelPosition(p + 1))) << "pocket " << p;
    }
}

TEST_F(TableRendererTest, BallLiesInThePocketOfTheNumberUnderIt) {
    for (int w : {0, 5, 17, 30}) {
        for (int b = 0; b < 37; ++b) {
            s.WheelAngle = w;
            s.BallAngle = b;
            s.PrevBallAngle = b;
            r.fullRedraw(s);
            const QImage& img = r.TableBitmap();
            // The ball's white heart, then the pocket floor beyond the ball
            // on the same ray.
            const double q = -b * 2 * M_PI / 37;
            const int bx = static_cast<int>(-10 * std::cos(q) + 100 * std::sin(q));
            const int by = static_cast<int>(-10 * std::sin(q) - 100 * std::cos(q));
            ASSERT_EQ(pixelAt(img, bx + 172, by + 183), kv::clWhite) << w << " " << b;
            const double len = std::hypot(bx - 1, by - 1);
            const int fx = kv::kWheelCentre.x + static_cast<int>(std::lround((bx - 1) * 109.5 / len));
            const int fy = kv::kWheelCentre.y + static_cast<int>(std::lround((by - 1) * 109.5 / len));
            EXPECT_EQ(classify(pixelAt(img, fx, fy)), expected(s.ballNumber())) << "wheel " << w << " ball " << b;
            EXPECT_EQ(s.BallPocket, (w + b) % 37 + 1);
        }
    }
}

TEST_F(TableRendererTest, ChipsLandWhereDrawChipsSays) {
    s.CurrentBets.at(7, 1) = 25;   // straight 9
    s.CurrentBets.at(11, 8) = 5;   // RED
    s.CurrentBets.at(26, 3) = 100; // COL2
    r.fullRedraw(s);
    const QImage& img = r.TableBitmap();
    for (kv::BetCell cell : {kv::BetCell{7, 1}, kv::BetCell{11, 8}, kv::BetCell{26, 3}}) {
        const kv::TablePoint p = kv::chipCentre(cell);
        EXPECT_EQ(pixelAt(img, p.x - 8, p.y + 2), 0xFFA0A0u) << cell.c << "," << cell.r;
        EXPECT_EQ(pixelAt(img, p.x - 11, p.y), kv::clBlack) << "outline";
        EXPECT_NE(pixelAt(img, p.x - 13, p.y), 0xFFA0A0u) << "nothing beyond the chip";
    }
    // No chip where nothing is bet.
    const kv::TablePoint empty = kv::chipCentre({9, 1});
    EXPECT_NE(pixelAt(img, empty.x - 8, empty.y + 2), 0xFFA0A0u);
}

TEST_F(TableRendererTest, HighlightTintsTheCoveredNumbersOnly) {
    // Corner 2-3-5-6.
    r.fullRedraw(s, kv::BetCell{4, 2});
    const QImage& img = r.TableBitmap();
    const QImage& pic = r.picture();
    for (int n : {2, 3, 5, 6}) {
        const QPoint p = tilePixel(n);
        EXPECT_EQ(pixelAt(img, p.x(), p.y()), added(pixelAt(pic, p.x(), p.y()), 0x707070)) << n;
    }
    for (int n : {1, 4, 8, 9}) {
        const QPoint p = tilePixel(n);
        EXPECT_EQ(pixelAt(img, p.x(), p.y()), pixelAt(pic, p.x(), p.y())) << n;
    }
    // Zero gets the darker grey once over its whole column.
    r.fullRedraw(s, kv::BetCell{2, 2});  // trio 0-2-3
    EXPECT_EQ(pixelAt(r.TableBitmap(), 350, 140), added(pixelAt(pic, 350, 140), 0x404040));
    EXPECT_EQ(pixelAt(r.TableBitmap(), 350, 240), added(pixelAt(pic, 350, 240), 0x404040));
}

TEST_F(TableRendererTest, BlinkTurnsRedTilesCleanlyGreenOrMagenta) {
    s.WinCell = kv::winCellFor(3);  // a red number
    r.fullRedraw(s);
    r.blink(s, 0x00FF00);
    const QPoint p = tilePixel(3);
    EXPECT_EQ(pixelAt(r.TableBitmap(), p.x(), p.y()), 0x00FF00u);
    r.blink(s, 0xFF00FF);
    EXPECT_EQ(pixelAt(r.TableBitmap(), p.x(), p.y()), 0xFF00FFu) << "tints do not accumulate";
    // Zero blinks over its whole column.
    s.WinCell = kv::winCellFor(0);
    r.fullRedraw(s);
    r.blink(s, 0x00FF00);
    const uint32_t bottom = pixelAt(r.TableBitmap(), 350, 240);
    EXPECT_EQ(bottom, added(pixelAt(r.picture(), 350, 240), 0x00FF00));
}

TEST_F(TableRendererTest, MoneyAndLastNumbersAreWrittenOnTheBlackPanel) {
    for (int n : {7, 0, 32}) s.RecordSpin(n);
    r.fullRedraw(s);
    const QImage& img = r.TableBitmap();
    // Newest first: 32 (red), then 0 (green), then 7 (red); yellow outlines.
    EXPECT_EQ(pixelAt(img, 392, 470), kv::clRed);
    EXPECT_EQ(pixelAt(img, 392 + 55, 470), kv::clLime);
    EXPECT_EQ(pixelAt(img, 392 + 110, 470), kv::clRed);
    EXPECT_EQ(pixelAt(img, 390, 404), kv::clYellow);
    EXPECT_EQ(pixelAt(img, 392 + 165, 470), kv::clBlack) << "only three spins";
    // "CREDITS:" starts with a yellow text on black at (398, 362).
    int yellow = 0;
    for (int y = 362; y < 392; ++y)
        for (int x = 398; x < 420; ++x) yellow += pixelAt(img, x, y) == kv::clYellow;
    EXPECT_GT(yellow, 10);
    // The control circles are filled in their colour.
    EXPECT_EQ(pixelAt(img, 352, 285), 0xAF00AFu);
    EXPECT_EQ(pixelAt(img, 975, 395), 0xAF00AFu);
}
