#include "gui/game/random_properties_window.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "core/generator.h"
#include "gui/table/main_window.h"

namespace kv {

RandomPropertiesWindow::RandomPropertiesWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("RandomPropertiesWindow"));
    setWindowTitle(QStringLiteral("Random Properties"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Algorithm of")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Random")), 1, 0);
    depth_ = new QSpinBox;
    depth_->setObjectName(QStringLiteral("depth"));
    depth_->setRange(kRandomDepthMin, kRandomDepthMax);
    depth_->setValue(1);
    grid->addWidget(depth_, 0, 1, 2, 1);
    ok_ = new QPushButton(QStringLiteral("OK"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    ok_->setDefault(true);
    grid->addWidget(ok_, 2, 0);
    grid->addWidget(cancel_, 2, 1);
    connect(ok_, &QPushButton::clicked, this, &RandomPropertiesWindow::accept);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    main_.registerWindow(WindowId::RandomProperties, this, MenuItem::RandomProperties);
}

void RandomPropertiesWindow::refresh() { depth_->setValue(main_.state().RandomDepth); }

void RandomPropertiesWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refresh();
}

void RandomPropertiesWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void RandomPropertiesWindow::accept() {
    main_.state().RandomDepth = depth_->value();
    close();
}

}  // namespace kv
