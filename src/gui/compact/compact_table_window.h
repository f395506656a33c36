#pragma once
// The reduced table windows "Minimize" (a third of the table) and
// "Minimize 2" (a half, with more detail). They stand in for the hidden main
// window: they show the last numbers, the money and the bets, and pass
// presses, typed numbers and Ctrl+W on to the main table.

#include <QImage>
#include <QWidget>

#include "core/minimize_view.h"

class QPlainTextEdit;
class QPushButton;

namespace kv {

class MainWindow;
class ImageBox;

class CompactTableWindow : public QWidget {
    Q_OBJECT
  public:
    // The picture and the off-screen copy of it, made at creation.
    const QImage& picture() const { return picture_; }
    // What the window shows now.
    const QImage& shown() const { return frame_; }
    QPlainTextEdit* memo() const { return memo_; }
    QPushButton* maxButton() const { return maxButton_; }
    QWidget* tableView() const;

    // Redraws the window from the game state.
    void copyTablePicture();
    bool refreshRequested() const { return refreshRequested_; }

    void restoreMainWindow();  // "MAX"
    void pictureMouseDown(Qt::MouseButton button, int x, int y);
    void pictureMouseMove();

    // "Minimize" shows the table at a third of its size; "Minimize 2" at
    // half, with the chip value, the latest number ringed and the amounts in
    // the markers.
    enum class Kind { Third, Half };
    CompactTableWindow(MainWindow& main, Kind kind);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void memoChanged();

    MainWindow& main_;
    Kind kind_;
    MinimizeScale scale_;
    QImage picture_;
    QImage frame_;
    ImageBox* paintBox_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QPushButton* maxButton_ = nullptr;
    bool refreshRequested_ = false;
    bool closingByButton_ = false;
    bool clearingMemo_ = false;
};

// The shown compact windows copy the table as it now stands: for changes
// made to the game outside the table's own paint.
void refreshCompactWindows(MainWindow& main);

}  // namespace kv
