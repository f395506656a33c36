#pragma once
// Shows the finished TableBitmap and hands mouse presses and
// moves, in table picture coordinates, to the main window.

#include <QWidget>
#include <functional>

#include "core/bets.h"

namespace kv {

class TableRenderer;

class TablePaintBox : public QWidget {
    Q_OBJECT
  public:
    TablePaintBox(const TableRenderer& renderer, QWidget* parent);

    std::function<void(MouseButton, int, int)> onMouseDown;
    std::function<void(int, int)> onMouseMove;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const TableRenderer& renderer_;
};

}  // namespace kv
