#include "gui/table/table_paint_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/table_geometry.h"
#include "gui/table/table_renderer.h"

namespace kv {

TablePaintBox::TablePaintBox(const TableRenderer& renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer) {
    setObjectName(QStringLiteral("tableView"));
    setFixedSize(kTableWidth, kTableHeight);
    setMouseTracking(true);
    // Everything is composed off-screen; the widget only copies the result.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TablePaintBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, renderer_.TableBitmap());
}

void TablePaintBox::mousePressEvent(QMouseEvent* event) {
    if (!onMouseDown) return;
    MouseButton b = MouseButton::Left;
    switch (event->button()) {
        case Qt::LeftButton:
            b = MouseButton::Left;
            break;
        case Qt::RightButton:
            b = MouseButton::Right;
            break;
        case Qt::MiddleButton:
            b = MouseButton::Middle;
            break;
        default:
            return;
    }
    const QPoint p = event->position().toPoint();
    onMouseDown(b, p.x(), p.y());
}

void TablePaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (!onMouseMove) return;
    const QPoint p = event->position().toPoint();
    onMouseMove(p.x(), p.y());
}

}  // namespace kv
