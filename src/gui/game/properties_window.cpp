#include "gui/game/properties_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/roulette.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

// The picture of the factory-values button: a stack of three chips.
QPixmap factoryPicture() {
    QPixmap pm(28, 28);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colors[] = {QColor(160, 160, 255), QColor(255, 210, 80), QColor(220, 40, 40)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(colors[i]);
        p.drawEllipse(QRectF(3, 15 - 5 * i, 22, 10));
    }
    return pm;
}

}  // namespace

PropertiesWindow::PropertiesWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("PropertiesWindow"));
    setWindowTitle(QStringLiteral("Properties"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Bets")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Min")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Max")), 0, 2);
    for (int cls = 0; cls < kPayoutClassCount; ++cls) {
        grid->addWidget(new QLabel(QString::fromLatin1(payoutCaption(static_cast<PayoutClass>(cls)))),
                        cls + 1, 0);
        for (int k = 0; k < 2; ++k) {
            auto* box = new QSpinBox;
            box->setRange(kLimitMin, kLimitMax);
            box->setObjectName(QStringLiteral("%1%2").arg(k == 0 ? "Min" : "Max").arg(cls));
            limits_[2 * cls + k] = box;
            grid->addWidget(box, cls + 1, 1 + k);
        }
    }
    grid->addWidget(new QLabel(QStringLiteral("Input Credits")), 8, 0);
    inputCredits_ = new QSpinBox;
    inputCredits_->setObjectName(QStringLiteral("InputCredits"));
    inputCredits_->setRange(1, kInputCreditsMax);
    grid->addWidget(inputCredits_, 8, 1);
    factory_ = new QToolButton;
    factory_->setIcon(QIcon(factoryPicture()));
    factory_->setIconSize(QSize(28, 28));
    factory_->setToolTip(QStringLiteral("Factory values"));
    grid->addWidget(factory_, 8, 2, Qt::AlignCenter);

    ok_ = new QPushButton(QStringLiteral("OK"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    ok_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addStretch();
    outer->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &PropertiesWindow::accept);
    connect(cancel_, &QPushButton::clicked, this, &PropertiesWindow::cancel);
    connect(factory_, &QToolButton::clicked, this, &PropertiesWindow::loadFactoryValues);

    showCurrentValues();
    main_.registerWindow(WindowId::Properties, this, MenuItem::GameProperties);
}

void PropertiesWindow::showCurrentValues() {
    const GameState& s = main_.state();
    for (int i = 0; i < 14; ++i) limits_[i]->setValue(s.TableLimits.v[i]);
    inputCredits_->setValue(s.InputCredits);
}

void PropertiesWindow::loadFactoryValues() {
    const TableLimits factory;
    for (int i = 0; i < 14; ++i) limits_[i]->setValue(factory.v[i]);
    inputCredits_->setValue(kDefaultInputCredits);
}

void PropertiesWindow::accept() {
    // A minimum above its maximum would make the spot unplayable: refuse it
    // and change nothing.
    for (int cls = 0; cls < kPayoutClassCount; ++cls) {
        if (minBox(cls)->value() > maxBox(cls)->value()) {
            QMessageBox::warning(this, QStringLiteral("Properties"),
                                 QStringLiteral("The minimum of %1 bets (%2) is above their maximum (%3).")
                                     .arg(QString::fromLatin1(payoutCaption(static_cast<PayoutClass>(cls))))
                                     .arg(minBox(cls)->value())
                                     .arg(maxBox(cls)->value()));
            return;
        }
    }
    main_.PropertiesOpen = false;
    GameState& s = main_.state();
    for (int i = 0; i < 14; ++i) s.TableLimits.v[i] = limits_[i]->value();
    s.InputCredits = inputCredits_->value();
    close();
}

void PropertiesWindow::cancel() {
    main_.PropertiesOpen = false;
    showCurrentValues();
    close();
}

void PropertiesWindow::closeEvent(QCloseEvent* event) {
    showCurrentValues();
    main_.PropertiesOpen = false;
    QWidget::closeEvent(event);
}

}  // namespace kv
