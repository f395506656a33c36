#include "gui/compact/hide_window.h"

#include <QCloseEvent>
#include <QPushButton>

#include "gui/compact/compact_common.h"
#include "gui/table/main_window.h"

namespace kv {

HideWindow::HideWindow(MainWindow& main) : QWidget(nullptr, Qt::Window), main_(main) {
    setObjectName(QStringLiteral("HideWindow"));
    setWindowTitle(QStringLiteral("Hide"));
    paintGreen(this);
    visible_ = new QPushButton(QStringLiteral("Visible"), this);
    visible_->setObjectName(QStringLiteral("visibleButton"));
    QFont f = visible_->font();
    f.setBold(true);
    visible_->setFont(f);
    visible_->setGeometry(8, 6, 97, 26);
    connect(visible_, &QPushButton::clicked, this, &HideWindow::showMainWindow);
    main_.registerWindow(WindowId::Hide, this);
    main_.registerCommand(MenuItem::Hide, [this] { standIn(main_, this); });
}

void HideWindow::showMainWindow() {
    main_.show();
    main_.activateWindow();
    closingByButton_ = true;
    close();
    closingByButton_ = false;
}

void HideWindow::closeEvent(QCloseEvent* event) { closeCompactWindow(this, main_, closingByButton_, event); }

}  // namespace kv
