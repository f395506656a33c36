#pragma once
// TForm6, "Test Game": three honesty tests over the game's history. The
// first looks for stretches where numbers came too often (by the limits of
// rndtest.dat) and draws the disorder curve, the second settles every bet
// again and compares the return with a fair wheel's and draws the result per
// betting spin, the third counts even and odd.
//
// The tests themselves are pure code; this window runs them with its
// progress bar, shows their lines in the memo and draws their curves. A test
// handles the window's events about every 20 ms (not every step), so the
// program stays responsive while it runs.

#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "analysis/rndtest_table.h"
#include "analysis/test_game_curve.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace kv {

class TForm1;
class ImageBox;

class TForm6 : public QWidget {
    Q_OBJECT
public:
    // Reads rndtest.dat from the main window's program folder once; a
    // missing or damaged file leaves the first test without its limits.
    explicit TForm6(TForm1& main);
    ~TForm6() override;

    // --- Handlers -------------------------------------------------------
    void SpeedButton1Click();  // Test Random Only
    void SpeedButton2Click();  // Test Random with Bets
    void SpeedButton3Click();  // Check on parity
    void Button3Click();       // Close
    // The outer size's layout: the paint box and the memo follow the window.
    void FormResize();
    // Frames the paint box and draws the last test's curve with its legend.
    void DrawTestCurve();

    // --- State ----------------------------------------------------------
    const RndTestTable& limits() const { return limits_; }
    const TestCurve& curve() const { return curve_; }
    bool isRunning() const { return running_; }
    // The memo's lines.
    std::vector<std::string> memoLines() const;

    // --- Controls -------------------------------------------------------
    QToolButton* SpeedButton1() const { return speed_[0]; }
    QToolButton* SpeedButton2() const { return speed_[1]; }
    QToolButton* SpeedButton3() const { return speed_[2]; }
    QProgressBar* ProgressBar1() const { return progress_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QPushButton* Button3() const { return close_; }
    QPlainTextEdit* Memo1() const { return memo_; }
    ImageBox* PaintBox1() const { return paintBox_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setLines(const std::vector<std::string>& lines);
    // The progress callback of a test: moves the bar, and handles events
    // when 20 ms have passed since the last time.
    TestProgress progressCallback();
    void setRunning(bool running);
    char decimalSeparator() const;

    TForm1& main_;
    RndTestTable limits_;
    TestCurve curve_;
    bool running_ = false;

    QToolButton* speed_[3] = {};
    QProgressBar* progress_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* close_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    ImageBox* paintBox_ = nullptr;
};

}  // namespace kv
