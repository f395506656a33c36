#include "gui/game/generate_spins_window.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <string>

#include "core/spin_store.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"

namespace kv {

namespace {

// The up-down steps through the range it always had; a typed count may go
// beyond it, up to what the history holds.
constexpr int32_t kUpDownMax = 30000;

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

GenerateSpinsWindow::GenerateSpinsWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("GenerateSpinsWindow"));
    setWindowTitle(QStringLiteral("Generate Spins"));
    edit_ = new QLineEdit(QStringLiteral("10"));
    edit_->setObjectName(QStringLiteral("edit"));
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
    connect(generate_, &QPushButton::clicked, this, &GenerateSpinsWindow::generate);
    connect(edit_, &QLineEdit::returnPressed, this, &GenerateSpinsWindow::generate);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    main_.registerWindow(WindowId::GenerateSpins, this, MenuItem::GenerateSpins);
}

void GenerateSpinsWindow::stepUpDown(int delta) {
    const std::string d = digitsOf(edit_->text());
    int64_t v = 10;
    if (!d.empty()) {
        int32_t parsed = 0;
        const auto [ptr, ec] = std::from_chars(d.data(), d.data() + d.size(), parsed);
        v = ec == std::errc() ? parsed : kUpDownMax;
    }
    v = std::clamp<int64_t>(v + delta, 0, kUpDownMax);
    edit_->setText(withSeparators(static_cast<int32_t>(v)));
}

void GenerateSpinsWindow::generate() {
    const std::string d = digitsOf(edit_->text());
    if (d.empty()) return;
    GameState& s = main_.state();
    int32_t n = 0;
    const auto [ptr, ec] = std::from_chars(d.data(), d.data() + d.size(), n);
    // info.ini keeps every spin with its bet line and is written at every
    // exit, so one command adds at most kMaxSpinsAddedAtOnce spins; the
    // history itself holds at most kMaxHistorySpins.
    const int32_t room = std::min(kMaxSpinsAddedAtOnce, kMaxHistorySpins - s.SpinCount);
    if (ec != std::errc() || n > room) {
        QMessageBox::warning(
            this, QStringLiteral("Generate Spins"),
            QStringLiteral("'%1' is too many spins: one command adds at most %2 spins (the last "
                           "game is saved with every spin), so enter a number from 0 to %3.")
                .arg(edit_->text(), withSeparators(kMaxSpinsAddedAtOnce), withSeparators(room)));
        return;
    }
    s.addToSpinCount(n);
    for (int32_t k = s.SpinCount; k >= n + 1; --k) {
        s.setSpinHistory(k, s.SpinHistory(k - n));
        s.setSpinBets(k, s.SpinBets(k - n));
    }
    const BetGrid none;
    for (int32_t k = n; k >= 1; --k) {
        s.setSpinHistory(k, s.RandNum());
        s.setSpinBets(k, none);
    }
    main_.memo()->addLine(QStringLiteral("Generate %1 spins").arg(n));
    // The history views that are open follow the new spins, as after the
    // file commands, rather than show the old history until they redraw.
    emit main_.spinsChanged();
    close();
}

}  // namespace kv
