#include "ui/compact/compact_common.h"

#include <QCloseEvent>
#include <QPalette>
#include <QWidget>

#include "core/roulette.h"
#include "ui/canvas.h"
#include "ui/main/main_window.h"

namespace kv {

void paintGreen(QWidget* w) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, winColor(clGreen));
    w->setPalette(pal);
}

void closeCompactWindow(QWidget* self, TForm1& main, bool closingByButton, QCloseEvent* event) {
    event->accept();
    if (closingByButton) return;
    self->hide();
    main.close();
}

void standIn(TForm1& main, QWidget* window) {
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
