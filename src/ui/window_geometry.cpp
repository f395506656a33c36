#include "ui/window_geometry.h"

#include <QWidget>
#include <algorithm>

namespace kv {

int clientWidthFor(int outerWidth) { return std::max(1, outerWidth - kFrameWidth); }
int clientHeightFor(int outerHeight) { return std::max(1, outerHeight - kFrameHeightNoMenu); }

void applyOuterGeometry(QWidget* w, const WindowGeometry& g) {
    w->move(g.left, g.top);
    if (g.width > 0 && g.height > 0) w->resize(clientWidthFor(g.width), clientHeightFor(g.height));
}

WindowGeometry outerGeometry(const QWidget* w) {
    WindowGeometry g;
    g.left = w->x();
    g.top = w->y();
    g.width = w->width() + kFrameWidth;
    g.height = w->height() + kFrameHeightNoMenu;
    g.shown = w->isVisible();
    return g;
}

void showOrFocus(QWidget* w) {
    if (w == nullptr) return;
    if (w->isMinimized()) w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace kv
