#pragma once
// TForm14, "Test Strategy": a list of strategy files, the loaded strategy's
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

class TForm1;
class ImageBox;

class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(TForm1& main);
    ~TForm14() override;

    // --- Handlers -------------------------------------------------------
    void Button1Click();       // Add
    void Button5Click();       // Delete
    void ComboBox1Select(int index);
    void ComboBox2Select(int index);
    void Edit2Change();
    void Button6Click();       // ">"
    void Button7Click();       // "<"
    void SpeedButton1Click();  // stop
    void SpeedButton2Click();  // "Game on current sequence"
    void SpeedButton3Click();  // "Game on random sequence"
    void SpeedButton4Click();  // "RealTime Game"
    void PaintBox1MouseMove(int x, int y);
    // Clears the curve area and draws the last run's curve.
    void drawCurve();

    // Asks for a strategy file for Add; an empty string cancels. Replaced by
    // tests; the default is the open dialog in the program folder.
    std::function<QString(QWidget* parent, const QString& folder)> chooseStrategyFile;

    // --- State ----------------------------------------------------------
    const Strategy& strategy() const { return strategy_; }
    const Interpreter& interpreter() const { return run_; }
    bool isRunning() const { return busy_; }
    bool hasRun() const { return hasRun_; }
    const BalanceCurve& curve() const { return curve_; }
    const QImage& curveImage() const { return picture_; }

    // --- Controls -------------------------------------------------------
    QComboBox* ComboBox1() const { return strategyBox_; }
    QPushButton* Button1() const { return add_; }
    QPushButton* Button5() const { return delete_; }
    QPlainTextEdit* Memo1() const { return memo_; }
    QLineEdit* Edit1() const { return spins_; }
    QPushButton* Button6() const { return more_; }
    QPushButton* Button7() const { return less_; }
    QComboBox* ComboBox2() const { return parameterBox_; }
    QLineEdit* Edit2() const { return parameterEdit_; }
    QProgressBar* Gauge1() const { return gauge_; }
    QToolButton* SpeedButton1() const { return stop_; }
    QToolButton* SpeedButton2() const { return replay_; }
    QToolButton* SpeedButton3() const { return random_; }
    QToolButton* SpeedButton4() const { return realTime_; }
    ImageBox* PaintBox1() const { return paintBox_; }
    QLabel* Label8() const { return stepLabel_; }
    QLabel* Label9() const { return balanceLabel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void layoutForOuterSize(int wf, int hf);
    void fillStrategyBox();
    void loadStrategy(int index);
    // Runs the loaded strategy; true when every step was done.
    bool runGame(bool replay);
    void setRunning(bool running);
    // Returns when the main window's result phase is over, handling events
    // meanwhile (the main window's timer ends the phase).
    void waitForResultPhase();
    void repaintCompactWindows();

    TForm1& main_;
    QString folder_;
    Strategy strategy_;
    std::vector<int32_t> shownParameters_;  // ComboBox2 item -> parameter number
    int loads_ = 0;                         // counts loads, so a run knows if its strategy was replaced
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
    ImageBox* paintBox_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QLabel* balanceLabel_ = nullptr;
};

}  // namespace kv
