#include "gui/compact/compact_common.h"

#include <QCloseEvent>
#include <QPalette>
#include <QWidget>

#include "core/roulette.h"
#include "gui/common/canvas.h"
#include "gui/table/main_window.h"

namespace kv {

void paintGreen(QWidget* w) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, winColor(clGreen));
    w->setPalette(pal);
}

void closeCompactWindow(QWidget* self, MainWindow& main, bool closingByButton, QCloseEvent* event) {
    event->accept();
    if (closingByButton) return;
    self->hide();
    main.close();
}

void standIn(MainWindow& main, QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
    main.hide();
}

uint32_t compactNumberBackground(int n) {
    if (n == 0) return clLime;
    return isRed(n) ? clRed : clBlack;
}

}  // namespace kv
