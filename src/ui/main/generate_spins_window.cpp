#include "ui/main/generate_spins_window.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <charconv>
#include <string>

#include "ui/main/main_window.h"
#include "ui/main/memo_edit.h"

namespace kv {

namespace {

constexpr int32_t kMaxSpins = 30000;

// The digits of the text (thousands separators written by the up-down
// vanish); nothing when there is none.
std::string digitsOf(const QString& text) {
    std::string d;
    for (QChar ch : text) {
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) d.push_back(static_cast<char>(ch.unicode()));
    }
    return d;
}

QString withSeparators(int32_t v) {
    QString s = QString::number(v);
    for (int i = static_cast<int>(s.size()) - 3; i > 0; i -= 3) s.insert(i, QLatin1Char(','));
    return s;
}

}  // namespace

TForm7::TForm7(TForm1& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Generate Spins"));
    edit_ = new QLineEdit(QStringLiteral("10"));
    edit_->setObjectName(QStringLiteral("Edit1"));
    up_ = new QToolButton;
    down_ = new QToolButton;
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAutoRepeat(true);
    down_->setAutoRepeat(true);
    up_->setFixedSize(18, 12);
    down_->setFixedSize(18, 12);
    auto* updown = new QVBoxLayout;
    updown->setSpacing(0);
    updown->addWidget(up_);
    updown->addWidget(down_);
    generate_ = new QPushButton(QStringLiteral("Generate"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    generate_->setDefault(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(edit_, 0, 0);
    grid->addLayout(updown, 0, 1);
    grid->addWidget(generate_, 1, 0);
    grid->addWidget(cancel_, 1, 1);
    connect(up_, &QToolButton::clicked, this, [this] { stepUpDown(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepUpDown(-1); });
    connect(generate_, &QPushButton::clicked, this, &TForm7::GenerateClick);
    connect(edit_, &QLineEdit::returnPressed, this, &TForm7::GenerateClick);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    main_.registerWindow(WindowId::GenerateSpins, this, MenuItem::GenerateSpins);
}

void TForm7::stepUpDown(int delta) {
    const std::string d = digitsOf(edit_->text());
    int64_t v = 10;
    if (!d.empty()) {
        int32_t parsed = 0;
        const auto [ptr, ec] = std::from_chars(d.data(), d.data() + d.size(), parsed);
        v = ec == std::errc() ? parsed : kMaxSpins;
    }
    v = std::clamp<int64_t>(v + delta, 0, kMaxSpins);
    edit_->setText(withSeparators(static_cast<int32_t>(v)));
}

void TForm7::GenerateClick() {
    const std::string d = digitsOf(edit_->text());
    if (d.empty()) return;
    int32_t n = 0;
    const auto [ptr, ec] = std::from_chars(d.data(), d.data() + d.size(), n);
    // A count beyond what the up-down offers (or beyond 32 bits) would make
    // the history grow without bound: refuse it, change nothing.
    if (ec != std::errc() || n > kMaxSpins) {
        QMessageBox::warning(this, QStringLiteral("Generate Spins"),
                             QStringLiteral("'%1' is too many spins: enter a number from 0 to %2.")
                                 .arg(edit_->text())
                                 .arg(kMaxSpins));
        return;
    }
    GameState& s = main_.state();
    s.insertukazhis(n);
    for (int32_t k = s.SpinCount; k >= n + 1; --k) {
        s.setSpinHistory(k, s.SpinHistory(k - n));
        s.setSpinBets(k, s.SpinBets(k - n));
    }
    const BetGrid none;
    for (int32_t k = n; k >= 1; --k) {
        s.setSpinHistory(k, s.RandNum());
        s.setSpinBets(k, none);
    }
    main_.Memo1()->addLine(QStringLiteral("Generate %1 spins").arg(n));
    close();
}

}  // namespace kv
