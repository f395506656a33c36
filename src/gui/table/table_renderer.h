#pragma once
// Everything the main table shows, composed on the off-screen TableBitmap:
// the money panel, the last numbers, the chips, the hover highlight, the
// blink of the winning number and the wheel with its ball. The window copies
// the finished bitmap to the screen in one piece.

#include <QImage>
#include <functional>
#include <optional>

#include "core/game_state.h"
#include "core/roulette.h"

namespace kv {

class Canvas;

class TableRenderer {
  public:
    TableRenderer();

    // The untouched table picture; the tints read it (TablePixels), so they
    // never accumulate.
    const QImage& picture() const { return picture_; }
    // The composed table. Read it (or copy it with .copy()) before the next
    // drawing call.
    const QImage& TableBitmap() const { return bitmap_; }

    // Full redraw: a fresh copy of the picture, then the highlight of a spot
    // or drawBetsAndPanel, then the wheel with its ring and the ball in the pocket.
    // The ring is drawn whatever the rotate mode.
    void fullRedraw(GameState& s, std::optional<BetCell> highlight = std::nullopt);
    // TableBitmap becomes a fresh copy of the picture.
    void freshCopy();
    void drawBetsAndPanel(const GameState& s);
    void DrawChips(const BetGrid& bets);
    void DrawChip(int x, int y, int32_t amount);
    // Adds a colour ($BBGGRR) to the picture's pixels for x0 < x < x1 and
    // y0 < y <= y1; pure red pixels lose their red first (except for the
    // grey of the hover highlight) so that a blink shows its own colour.
    void TintRect(int x0, int y0, int x1, int y1, uint32_t color);
    void HighlightCells(GameState& s, BetCell cell);
    // The wheel: the rotated number ring (when asked), the ball
    // erased from its previous place on the outer track and drawn anew.
    // Brings the angles into 0..36 and recomputes BallPocket.
    void DrawWheel(GameState& s, bool ring, bool ball, bool outer);
    // One blink of the timer: the winning cell (the whole zero column for
    // zero) tinted in the colour, and the chips over it.
    void blink(const GameState& s, uint32_t color);

    // Asked at the end of drawBetsAndPanel outside the result phase (a compact
    // window copies the table then).
    std::function<void()> onTablePainted;

  private:
    void drawBetsAndPanelOn(Canvas& c, const GameState& s);
    void drawChipsOn(Canvas& c, const BetGrid& bets);
    void drawChipOn(Canvas& c, int x, int y, int32_t amount);
    void tintOn(Canvas& c, int x0, int y0, int x1, int y1, uint32_t color);
    void drawWheelOn(Canvas& c, GameState& s, bool ring, bool ball, bool outer);
    void winCellTint(Canvas& c, const GameState& s, uint32_t color);

    QImage picture_;
    QImage bitmap_;
};

}  // namespace kv
