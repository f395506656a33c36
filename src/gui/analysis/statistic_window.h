#pragma once
// StatisticWindow, "Statistic": the spin history as a table of one row per spin,
// paged with a vertical scroll bar. It keeps no game data: every drawing
// reads the main window's history and the current sector boundaries.

#include <QImage>
#include <QWidget>

#include "analysis/statistic_table.h"

class QLabel;
class QScrollBar;

namespace kv {

class ImageBox;
class MainWindow;

class StatisticWindow : public QWidget {
    Q_OBJECT
  public:
    explicit StatisticWindow(MainWindow& main);

    // Lays out, moves the scroll bar to its end and draws: on activation,
    // after every spin while visible and after the sectors changed.
    void refresh();
    void FormResize();
    void scrolled();
    void hoverTable();
    // Draws the visible page; unless forced, only when the spin count or
    // the scroll bar changed since the last drawing.
    void DrawStatisticTable(bool force);

    ImageBox* tableView() const { return paintBox_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
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

    MainWindow& main_;
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
