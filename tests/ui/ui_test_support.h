#pragma once
// Helpers shared by the widget tests of the main window and its windows.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "ui/canvas.h"

namespace kvtest {

// Answers the next message box as soon as it appears and keeps its text, so
// that a test can go through a command that reports an error modally.
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

}  // namespace kvtest
