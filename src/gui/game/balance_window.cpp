#include "gui/game/balance_window.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include "core/money.h"
#include "gui/common/window_geometry.h"
#include "gui/game/balance_chart.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

// The chart fills the window but for a strip on the right (the controls)
// and a little height; sizes are outer window sizes.
constexpr int kStripWidth = 266;
constexpr int kStripHeight = 48;

class BalanceChartBox : public QWidget {
  public:
    BalanceChartBox(const GameState& s, QWidget* parent) : QWidget(parent), state_(s) {
        setObjectName(QStringLiteral("chartView"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QImage img(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
        drawBalanceChart(img, state_);
        QPainter(this).drawImage(0, 0, img);
    }

  private:
    const GameState& state_;
};

}  // namespace

BalanceWindow::BalanceWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("BalanceWindow"));
    setWindowTitle(QStringLiteral("Balance"));
    chart_ = new BalanceChartBox(main_.state(), this);
    chart_->move(0, 0);

    auto label = [this](const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->move(x, y);
        return l;
    };
    label(QStringLiteral("Balance:"), 0, 12);
    label(QStringLiteral("Credit:"), 0, 40);
    balanceValue_ = label(QString(), 0, 12);
    creditValue_ = label(QString(), 0, 40);
    QFont bold = balanceValue_->font();
    bold.setBold(true);
    balanceValue_->setFont(bold);
    creditValue_->setFont(bold);
    amount_ = new QSpinBox(this);
    amount_->setRange(0, 32000);
    getMoney_ = new QPushButton(QStringLiteral("Get Money"), this);
    putMoney_ = new QPushButton(QStringLiteral("Put Money"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);

    connect(getMoney_, &QPushButton::clicked, this, &BalanceWindow::takeMoney);
    connect(putMoney_, &QPushButton::clicked, this, &BalanceWindow::putMoney);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    // Settlement and the menu's money commands repaint the chart.
    connect(&main_, &MainWindow::moneyChanged, this, [this] {
        if (isVisible()) chart_->update();
    });

    refresh();
    main_.registerWindow(WindowId::Balance, this, MenuItem::Balance);
}

void BalanceWindow::refresh() {
    const GameState& s = main_.state();
    balanceValue_->setText(QString::number(s.Balance));
    creditValue_->setText(QString::number(s.Credit));
    balanceValue_->adjustSize();
    creditValue_->adjustSize();
    amount_->setValue(s.InputCredits);
}

void BalanceWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refresh();
}

void BalanceWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void BalanceWindow::takeMoney() {
    balanceGetMoney(main_.state(), amount_->value());
    main_.redrawTable();
    emit main_.moneyChanged();
    close();
}

void BalanceWindow::putMoney() {
    balancePutMoney(main_.state(), amount_->value());
    main_.redrawTable();
    emit main_.moneyChanged();
    close();
}

void BalanceWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int outerW = width() + kFrameWidth;
    const int outerH = height() + kFrameHeightNoMenu;
    chart_->resize(std::max(1, outerW - kStripWidth), std::max(1, outerH - kStripHeight));
    // The controls keep to the strip on the right.
    const int x = chart_->width() + 16;
    for (QLabel* l : findChildren<QLabel*>()) {
        if (l == balanceValue_ || l == creditValue_) {
            l->move(x + 70, l->y());
        } else {
            l->move(x, l->y());
        }
    }
    amount_->setGeometry(x, 72, 120, 26);
    getMoney_->setGeometry(x, 108, 110, 28);
    putMoney_->setGeometry(x + 118, 108, 110, 28);
    cancel_->setGeometry(x, 144, 110, 28);
    chart_->update();
}

}  // namespace kv
