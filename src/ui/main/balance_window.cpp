#include "ui/main/balance_window.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include "core/money.h"
#include "ui/main/balance_chart.h"
#include "ui/main/main_window.h"
#include "ui/window_geometry.h"

namespace kv {

namespace {

// The chart fills the window but for a strip on the right (the controls)
// and a little height; sizes are outer window sizes.
constexpr int kStripWidth = 266;
constexpr int kStripHeight = 48;

class BalanceChartBox : public QWidget {
public:
    BalanceChartBox(const GameState& s, QWidget* parent) : QWidget(parent), state_(s) {
        setObjectName(QStringLiteral("PaintBox1"));
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

TForm3::TForm3(TForm1& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("Form3"));
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

    connect(getMoney_, &QPushButton::clicked, this, &TForm3::GetMoneyClick);
    connect(putMoney_, &QPushButton::clicked, this, &TForm3::PutMoneyClick);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    // Settlement and the menu's money commands repaint the chart.
    connect(&main_, &TForm1::moneyChanged, this, [this] {
        if (isVisible()) chart_->update();
    });

    FormActivate();
    main_.registerWindow(WindowId::Balance, this, MenuItem::Balance);
}

void TForm3::FormActivate() {
    const GameState& s = main_.state();
    balanceValue_->setText(QString::number(s.Balance));
    creditValue_->setText(QString::number(s.Credit));
    balanceValue_->adjustSize();
    creditValue_->adjustSize();
    amount_->setValue(s.InputCredits);
}

void TForm3::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormActivate();
}

void TForm3::GetMoneyClick() {
    balanceGetMoney(main_.state(), amount_->value());
    main_.redrawTable();
    emit main_.moneyChanged();
    close();
}

void TForm3::PutMoneyClick() {
    balancePutMoney(main_.state(), amount_->value());
    main_.redrawTable();
    emit main_.moneyChanged();
    close();
}

void TForm3::resizeEvent(QResizeEvent* event) {
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
