#include "gui/common/image_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace kv {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void ImageBox::mousePressEvent(QMouseEvent* event) {
    const QPoint pt = event->position().toPoint();
    if (onMouseDown) onMouseDown(event->button(), event->modifiers(), pt.x(), pt.y());
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pt = event->position().toPoint();
    if (onMouseUp) onMouseUp(event->button(), pt.x(), pt.y());
}

void ImageBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pt = event->position().toPoint();
    if (onMouseMove) onMouseMove(event->buttons(), pt.x(), pt.y());
}

}  // namespace kv
