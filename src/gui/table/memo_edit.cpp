#include "gui/table/memo_edit.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

namespace kv {

MemoEdit::MemoEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("memo"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    QFont f = font();
    f.setPixelSize(19);
    f.setBold(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, QColor(255, 255, 0));
    pal.setColor(QPalette::Highlight, QColor(128, 128, 0));
    pal.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(pal);
    // The palette alone does not reach the text cursor and the viewport under
    // every style.
    setStyleSheet(QStringLiteral("QPlainTextEdit { background: black; color: yellow; }"));
}

bool MemoEdit::event(QEvent* e) {
    // Ctrl+C is the menu's "Calculate", also while the memo has the focus;
    // the text box would otherwise claim it for copying.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_C && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            e->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void MemoEdit::addLine(const QString& line) {
    if (document()->isEmpty()) {
        setPlainText(line);
    } else {
        appendPlainText(line);
    }
    moveCursor(QTextCursor::End);
}

void MemoEdit::removeLastLine() {
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    c.select(QTextCursor::BlockUnderCursor);
    if (c.selectedText().isEmpty() && document()->blockCount() <= 1) {
        clear();
        return;
    }
    c.removeSelectedText();
    if (document()->blockCount() == 1 && document()->firstBlock().text().isEmpty()) clear();
}

QStringList MemoEdit::lines() const {
    if (document()->isEmpty()) return {};
    return toPlainText().split(QLatin1Char('\n'));
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown && onKeyDown(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

}  // namespace kv
