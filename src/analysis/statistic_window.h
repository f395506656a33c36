#pragma once
// TForm4, "Statistic": the spin history as a table of one row per spin,
// paged with a vertical scroll bar. It keeps no game data: every drawing
// reads the main window's history and the current sector boundaries.

#include <QImage>
#include <QWidget>

#include "analysis/statistic_table.h"

class QLabel;
class QScrollBar;

namespace kv {

class ImageBox;
class TForm1;

class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(TForm1& main);

    // Lays out, moves the scroll bar to its end and draws: on activation,
    // after every spin while visible and after the sectors changed.
    void FormActivate();
    void FormResize();
    void ScrollBar1Change();
    void PaintBox1MouseMove();
    // Draws the visible page; unless forced, only when the spin count or
    // the scroll bar changed since the last drawing.
    void DrawStatisticTable(bool force);

    ImageBox* PaintBox1() const { return paintBox_; }
    QScrollBar* ScrollBar1() const { return scrollBar_; }
    // R: whole rows on the page.
    int rows() const { return rows_; }
    // How many times the page was actually drawn (the mouse-move economy).
    int drawCount() const { return drawCount_; }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Layout steps 1 and 2: sizes that follow the window and the scroll
    // range; the scroll position stays where it is (within the range).
    void layoutPage();

    TForm1& main_;
    ImageBox* paintBox_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    bool created_ = false;
    int rows_ = kStatisticRowsAtStart;
    int paintHeight_ = 0;
    StatisticRedrawGate gate_;
    QImage page_;
    int drawCount_ = 0;
};

}  // namespace kv
