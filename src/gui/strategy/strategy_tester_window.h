#pragma once
// StrategyTesterWindow, "Test Strategy": a list of strategy files, the loaded strategy's
// description and visible parameters, and three runs of the interpreter:
// over the game's own spins, over random spins, and "RealTime Game", which
// replays the game and then puts the strategy's bets for the next spin on
// the main table. The run's balance is drawn as a curve that the mouse
// reads out.
//
// A run is a loop inside the button handler. It lets the window handle its
// events about every 20 ms (not every step, which would slow a long run many
// times over), so the stop button answers at once; the controls that could
// change the strategy under the run are disabled meanwhile.

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "strategy/balance_curve.h"
#include "strategy/interpreter.h"
#include "strategy/strategy.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace kv {

class MainWindow;
class ImageBox;

class StrategyTesterWindow : public QWidget {
    Q_OBJECT
  public:
    explicit StrategyTesterWindow(MainWindow& main);
    ~StrategyTesterWindow() override;

    // --- Handlers -------------------------------------------------------
    void addStrategy();     // Add
    void removeStrategy();  // Delete
    void strategyChosen(int index);
    void parameterChosen(int index);
    void parameterEdited();
    void moreSpins();         // ">"
    void fewerSpins();        // "<"
    void stop();              // stop
    void runOnGame();         // "Game on current sequence"
    void runOnRandomSpins();  // "Game on random sequence"
    void runRealTime();       // "RealTime Game"
    void readCurve(int x, int y);
    // Clears the curve area and draws the last run's curve.
    void drawCurve();

    // Asks for a strategy file for Add; an empty string cancels. Replaced by
    // tests; the default is the open dialog in the player's folder.
    std::function<QString(QWidget* parent, const QString& folder)> chooseStrategyFile;

    // --- State ----------------------------------------------------------
    const Strategy& strategy() const { return strategy_; }
    // The list entry of the chosen strategy; empty when none is chosen.
    QString chosenEntry() const;
    const Interpreter& interpreter() const { return run_; }
    bool isRunning() const { return busy_; }
    bool hasRun() const { return hasRun_; }
    const BalanceCurve& curve() const { return curve_; }
    const QImage& curveImage() const { return picture_; }

    // --- Controls -------------------------------------------------------
    QComboBox* strategyBox() const { return strategyBox_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }
    QPlainTextEdit* description() const { return memo_; }
    QLineEdit* spinsEdit() const { return spins_; }
    QPushButton* moreButton() const { return more_; }
    QPushButton* lessButton() const { return less_; }
    QComboBox* parameterBox() const { return parameterBox_; }
    QLineEdit* parameterEdit() const { return parameterEdit_; }
    QProgressBar* progress() const { return gauge_; }
    QToolButton* stopButton() const { return stop_; }
    QToolButton* replayButton() const { return replay_; }
    QToolButton* randomButton() const { return random_; }
    QToolButton* realTimeButton() const { return realTime_; }
    QPushButton* monteCarloButton() const { return monteCarlo_; }
    ImageBox* curveView() const { return paintBox_; }
    QLabel* stepLabel() const { return stepLabel_; }
    QLabel* balanceLabel() const { return balanceLabel_; }

  signals:
    // "Monte Carlo": many random sessions of the chosen strategy, in a window of their own.
    void monteCarloRequested();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildControls();
    void layoutForOuterSize(int wf, int hf);
    void fillStrategyBox();
    // Loads list entry `index`; returns why it could not be read (empty
    // when it was loaded, or when there is no such file: that is skipped
    // silently).
    QString loadStrategy(int index);
    // Runs the loaded strategy; true when every step was done.
    bool runGame(bool replay);
    void setRunning(bool running);
    // Returns when the main window's result phase is over, handling events
    // meanwhile (the main window's timer ends the phase).
    void waitForResultPhase();

    MainWindow& main_;
    QString folder_;
    Strategy strategy_;
    std::vector<int32_t> shownParameters_;  // parameterBox item -> parameter number
    int loads_ = 0;                         // counts loads, so a run knows if its strategy was replaced
    QString startupProblem_;                // why the first entry failed at start-up, until shown
    Interpreter run_;
    int32_t lastRequested_ = 0;
    bool hasRun_ = false;
    bool busy_ = false;
    bool closing_ = false;
    BalanceCurve curve_;
    QImage picture_;

    QLabel* strategyLabel_ = nullptr;
    QComboBox* strategyBox_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QLabel* scaleLabel_ = nullptr;
    QLabel* timesLabel_ = nullptr;
    QLineEdit* spins_ = nullptr;
    QPushButton* more_ = nullptr;
    QPushButton* less_ = nullptr;
    QLabel* parametersLabel_ = nullptr;
    QComboBox* parameterBox_ = nullptr;
    QLineEdit* parameterEdit_ = nullptr;
    QProgressBar* gauge_ = nullptr;
    QToolButton* stop_ = nullptr;
    QToolButton* replay_ = nullptr;
    QToolButton* random_ = nullptr;
    QToolButton* realTime_ = nullptr;
    QPushButton* monteCarlo_ = nullptr;
    ImageBox* paintBox_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QLabel* balanceLabel_ = nullptr;
};

}  // namespace kv
