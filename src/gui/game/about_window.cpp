#include "gui/game/about_window.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/table/main_window.h"

namespace kv {

AboutWindow::AboutWindow(MainWindow& main) : QWidget(nullptr) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    auto* name = new QLabel(QStringLiteral("Kelvora"));
    QFont big = name->font();
    big.setPixelSize(26);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QString::fromLatin1(kProgramVersion)));
    version->setAlignment(Qt::AlignCenter);
    auto* line = new QLabel(QStringLiteral("A trainer for single-zero roulette"));
    line->setAlignment(Qt::AlignCenter);
    ok_ = new QPushButton(QStringLiteral("OK"));
    ok_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(line);
    layout->addStretch();
    layout->addWidget(ok_, 0, Qt::AlignCenter);
    connect(ok_, &QPushButton::clicked, this, &QWidget::close);
    main.registerWindow(WindowId::About, this, MenuItem::About);
}

}  // namespace kv
