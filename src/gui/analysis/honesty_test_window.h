#pragma once
// HonestyTestWindow, "Test Game": three honesty tests over the game's history. The
// first looks for stretches where numbers came too often (by the limits of
// rndtest.dat) and draws the disorder curve, the second settles every bet
// again and compares the return with a fair wheel's and draws the result per
// betting spin, the third counts even and odd. A second page runs the
// fairness battery (FairnessBatteryPanel).
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
class QTabWidget;
class QToolButton;

namespace kv {

class MainWindow;
class ImageBox;
class FairnessBatteryPanel;

class HonestyTestWindow : public QWidget {
    Q_OBJECT
  public:
    // Reads rndtest.dat from the main window's data folder once; a
    // missing or damaged file leaves the first test without its limits.
    explicit HonestyTestWindow(MainWindow& main);
    ~HonestyTestWindow() override;

    // --- Handlers -------------------------------------------------------
    void testRandomOnly();  // Test Random Only
    void testWithBets();    // Test Random with Bets
    void testParity();      // Check on parity
    void close();           // Close
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
    QToolButton* randomOnlyButton() const { return speed_[0]; }
    QToolButton* withBetsButton() const { return speed_[1]; }
    QToolButton* parityButton() const { return speed_[2]; }
    QProgressBar* progress() const { return progress_; }
    QLabel* collectingLabel() const { return collecting_; }
    QLabel* statisticLabel() const { return statistic_; }
    QPushButton* closeButton() const { return close_; }
    QPlainTextEdit* report() const { return memo_; }
    ImageBox* curveView() const { return paintBox_; }
    // The two pages: the three tests above, and the fairness battery.
    QTabWidget* tabs() const { return tabs_; }
    FairnessBatteryPanel* fairnessPanel() const { return fairness_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setLines(const std::vector<std::string>& lines);
    // The progress callback of a test: moves the bar, and handles events
    // when 20 ms have passed since the last time.
    TestProgress progressCallback();
    void setRunning(bool running);
    char decimalSeparator() const;

    MainWindow& main_;
    RndTestTable limits_;
    TestCurve curve_;
    bool running_ = false;

    QToolButton* speed_[3] = {};
    QProgressBar* progress_ = nullptr;
    QLabel* collecting_ = nullptr;
    QLabel* statistic_ = nullptr;
    QPushButton* close_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    ImageBox* paintBox_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QWidget* page_ = nullptr;
    FairnessBatteryPanel* fairness_ = nullptr;
};

}  // namespace kv
