#pragma once
// The text box for typed numbers. Its key-down handler belongs to
// the main window, which may consume a key (Enter, Ctrl+W, Ctrl+S).

#include <QPlainTextEdit>
#include <functional>

namespace kv {

class MemoEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit MemoEdit(QWidget* parent);

    // Returns true when the key was handled and must not reach the text.
    std::function<bool(int key, Qt::KeyboardModifiers)> onKeyDown;

    // Adds a line at the end, like Lines.Add.
    void addLine(const QString& line);
    // Removes the last line, like Lines.Delete(Count - 1).
    void removeLastLine();
    QStringList lines() const;

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kv
