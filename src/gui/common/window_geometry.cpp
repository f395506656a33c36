#include "gui/common/window_geometry.h"

#include <QWidget>
#include <QWindow>
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

void keepAbove(QWidget* tool, QWidget* owner) {
    // Qt hands a transient parent on to an X11 window manager only for
    // tool windows and dialogs; a tool window is the kind meant for this.
    tool->setWindowFlags((tool->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
    // The transient parent belongs to the native windows; make them now,
    // hidden, so that it holds from the first showing on.
    owner->winId();
    tool->winId();
    tool->windowHandle()->setTransientParent(owner->windowHandle());
}

void showOrFocus(QWidget* w) {
    if (w == nullptr) return;
    if (w->isMinimized()) w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace kv
