#include "ui/compact/hide_window.h"

#include <QCloseEvent>
#include <QPushButton>

#include "ui/compact/compact_common.h"
#include "ui/main/main_window.h"

namespace kv {

TForm15::TForm15(TForm1& main) : QWidget(nullptr, Qt::Window), main_(main) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Hide"));
    paintGreen(this);
    button1_ = new QPushButton(QStringLiteral("Visible"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    QFont f = button1_->font();
    f.setBold(true);
    button1_->setFont(f);
    button1_->setGeometry(8, 6, 97, 26);
    connect(button1_, &QPushButton::clicked, this, &TForm15::Button1Click);
    main_.registerWindow(WindowId::Hide, this);
    main_.registerCommand(MenuItem::Hide, [this] { standIn(main_, this); });
}

void TForm15::Button1Click() {
    main_.show();
    main_.activateWindow();
    closingByButton_ = true;
    close();
    closingByButton_ = false;
}

void TForm15::closeEvent(QCloseEvent* event) {
    closeCompactWindow(this, main_, closingByButton_, event);
}

}  // namespace kv
