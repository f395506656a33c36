#include "gui/files/cut_game_window.h"

#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <string>

#include "files/bet_text.h"
#include "files/game_edit.h"
#include "gui/table/main_window.h"

namespace kv {

namespace {

std::string latin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// Keeps only the digits of a field, leaving the cursor after the digit it
// followed, so that typing a letter in the middle does not throw it to the end.
void keepOnlyDigits(QLineEdit* edit) {
    const QString text = edit->text();
    const std::string digits = keepDigits(latin1(text));
    if (digits.size() == static_cast<size_t>(text.size())) return;
    const int cursor = edit->cursorPosition();
    const int before = static_cast<int>(keepDigits(latin1(text.left(cursor))).size());
    edit->setText(QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size())));
    edit->setCursorPosition(before);
}

}  // namespace

CutGameWindow::CutGameWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("CutGameWindow"));
    setWindowTitle(QStringLiteral("Cut Game"));

    auto* firstLabel = new QLabel(QStringLiteral("First #"), this);
    firstLabel->setGeometry(12, 12, 56, 21);
    first_ = new QLineEdit(QStringLiteral("1"), this);
    first_->setObjectName(QStringLiteral("first"));
    first_->setGeometry(72, 12, 104, 21);
    auto* lastLabel = new QLabel(QStringLiteral("Last #"), this);
    lastLabel->setGeometry(12, 40, 56, 21);
    last_ = new QLineEdit(QStringLiteral("1"), this);
    last_->setObjectName(QStringLiteral("last"));
    last_->setGeometry(72, 40, 104, 21);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setGeometry(14, 70, 75, 25);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setGeometry(101, 70, 75, 25);

    connect(first_, &QLineEdit::textChanged, this, [this] { keepOnlyDigits(first_); });
    connect(last_, &QLineEdit::textChanged, this, [this] { keepOnlyDigits(last_); });
    // Enter in a field is the default button, Escape the cancel button, as
    // in a dialog box.
    connect(first_, &QLineEdit::returnPressed, this, &CutGameWindow::cut);
    connect(last_, &QLineEdit::returnPressed, this, &CutGameWindow::cut);
    connect(ok_, &QPushButton::clicked, this, &CutGameWindow::cut);
    connect(cancel_, &QPushButton::clicked, this, &CutGameWindow::cancel);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &CutGameWindow::cancel);

    main_.registerWindow(WindowId::CutGame, this, MenuItem::CutGame);
}

void CutGameWindow::fillWholeRange() {
    first_->setText(QStringLiteral("1"));
    last_->setText(QString::number(main_.state().SpinCount));
}

void CutGameWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A desktop without a window manager never activates the window; being
    // shown counts as being activated then.
    fillWholeRange();
}

void CutGameWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) fillWholeRange();
}

void CutGameWindow::cut() {
    GameState& s = main_.state();
    const int32_t first = cutFieldValue(latin1(first_->text()), 1);
    const int32_t last = cutFieldValue(latin1(last_->text()), s.SpinCount);
    const int32_t removed = CutGame(s, first, last);
    close();
    if (removed == 0) return;
    main_.redrawTable();
    emit main_.spinsChanged();
    emit main_.moneyChanged();
}

void CutGameWindow::cancel() { close(); }

}  // namespace kv
