#pragma once
// Helpers shared by the widget tests: answering message boxes, choosing list
// entries and typing into boxes the way a player does, and a program folder.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "gui/common/canvas.h"

namespace kvtest {

// Answers every message box as soon as it appears and keeps the last text,
// so that a test can go through a command that reports an error modally.
class MessageBoxCatcher {
  public:
    MessageBoxCatcher() {
        timer_ = std::make_unique<QTimer>();
        timer_->setInterval(5);
        QObject::connect(timer_.get(), &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text_ = box->text();
                ++count_;
                box->accept();
            }
        });
        timer_->start();
    }
    QString text() const { return text_; }
    int count() const { return count_; }

  private:
    std::unique_ptr<QTimer> timer_;
    QString text_;
    int count_ = 0;
};

inline uint32_t pixelAt(const QImage& img, int x, int y) { return kv::rgbToWin(img.pixel(x, y)); }

// Opens the list, moves to the entry and presses Enter on it.
// stays: false when the window is expected to put the box back.
inline void pick(QComboBox* box, const QString& text, bool stays = true) {
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << box->objectName().toStdString() << " has no " << text.toStdString();
    box->showPopup();
    QAbstractItemView* view = box->view();
    view->setCurrentIndex(view->model()->index(i, box->modelColumn(), view->rootIndex()));
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
    if (stays) {
        ASSERT_EQ(box->currentText(), text) << box->objectName().toStdString();
    }
}

// Clicks a check or radio box on its box (a click beside its caption would miss it).
inline void clickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

// Replaces the text of an editable box or a line edit by typing.
inline void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}
inline void typeInto(QComboBox* box, const QString& text) { typeInto(box->lineEdit(), text); }

inline void clickTab(QTabWidget* pages, int index) {
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

// The program folder is the current directory: each test gets an empty one.
class ProgramFolder {
  public:
    ProgramFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~ProgramFolder() { QDir::setCurrent(previous_); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace kvtest
