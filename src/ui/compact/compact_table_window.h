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

class TForm1;
class ImageBox;

class CompactTableWindow : public QWidget {
    Q_OBJECT
public:
    // The picture and the off-screen copy of it, made at creation.
    const QImage& picture() const { return picture_; }
    // What the window shows now (izobr's result).
    const QImage& shown() const { return frame_; }
    QPlainTextEdit* Memo1() const { return memo_; }
    QPushButton* SpeedButton1() const { return maxButton_; }
    QWidget* PaintBox2() const;

    // Redraws the window from the game state.
    void izobr();
    bool refreshRequested() const { return refreshRequested_; }

    void SpeedButton1Click();  // "MAX"
    void pictureMouseDown(Qt::MouseButton button, int x, int y);
    void pictureMouseMove();

protected:
    enum class Kind { Third, Half };
    CompactTableWindow(TForm1& main, Kind kind);

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void memoChanged();
    void drawNumbers(class Canvas& c);

    TForm1& main_;
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

// "Minimize": the table at a third of its size.
class TForm16 : public CompactTableWindow {
    Q_OBJECT
public:
    explicit TForm16(TForm1& main) : CompactTableWindow(main, Kind::Third) {}
};

// "Minimize 2": the table at half its size, with the chip value, the latest
// number ringed and the amounts in the markers.
class TForm21 : public CompactTableWindow {
    Q_OBJECT
public:
    explicit TForm21(TForm1& main) : CompactTableWindow(main, Kind::Half) {}
};

}  // namespace kv
