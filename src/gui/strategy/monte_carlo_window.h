#pragma once
// MonteCarloWindow, "Monte Carlo": many random sessions of a strategy
// against a bankroll ("will this strategy survive?"), with the risk of
// ruin, the spread of the final balance, its histogram and the percentile
// fan of the balance over the session, and the bankroll that meets a target
// risk.
//
// The sessions run on a worker thread, so the window stays responsive; a
// timer reads the progress and picks up the result. Stop sets the engine's
// cancel flag (it stops within 100 ms and reports the sessions done);
// closing the window, or the program, cancels a run and waits for it.
//
// The fields live in montecarlo.ini beside info.ini, written at each run and
// when the window closes; the window is not one of the windows info.ini
// places, so its lines stay as they were.

#include <QString>
#include <QWidget>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "strategy/monte_carlo.h"
#include "strategy/monte_carlo_settings.h"
#include "strategy/strategy.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace kv {

class MainWindow;

class MonteCarloWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MonteCarloWindow(MainWindow& main);
    ~MonteCarloWindow() override;

    // Shows the window for a strategy already loaded elsewhere (the Test
    // Strategy window, with its parameter values); `entry` is its name in
    // the strategy list.
    void showForStrategy(const Strategy& strategy, const QString& entry);

    // --- Handlers -------------------------------------------------------
    void run();
    void stop();
    void exportCsv();
    void chooseFile();
    void strategyChosen(int index);

    // Replaced by tests; the defaults are the file dialogs.
    std::function<QString(QWidget* parent, const QString& folder)> chooseStrategyFile;
    std::function<QString(QWidget* parent, const QString& folder)> chooseCsvFile;

    // --- State ----------------------------------------------------------
    bool isRunning() const { return worker_.joinable(); }
    const std::optional<MonteCarloResult>& result() const { return result_; }
    const std::optional<BankrollSearch>& search() const { return search_; }
    // The fields as the controls hold them.
    MonteCarloFields fields() const;
    const Strategy& strategy() const { return strategy_; }

    // --- Controls -------------------------------------------------------
    QComboBox* strategyBox() const { return strategyBox_; }
    QPushButton* fileButton() const { return file_; }
    QLineEdit* sessionsEdit() const { return sessions_; }
    QLineEdit* spinsEdit() const { return spins_; }
    QLineEdit* bankrollEdit() const { return bankroll_; }
    QLineEdit* stopLossEdit() const { return stopLoss_; }
    QLineEdit* takeProfitEdit() const { return takeProfit_; }
    QLineEdit* seedEdit() const { return seed_; }
    QLineEdit* threadsEdit() const { return threads_; }
    QLineEdit* targetRiskEdit() const { return targetRisk_; }
    QPushButton* runButton() const { return run_; }
    QPushButton* stopButton() const { return stop_; }
    QPushButton* exportButton() const { return export_; }
    QProgressBar* progress() const { return progress_; }
    QLabel* statusLabel() const { return status_; }
    QTableWidget* resultTable() const { return table_; }
    QChart* histogramChart() const { return histogram_; }
    QChart* fanChart() const { return fan_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    void fillStrategyBox(const QString& select);
    void setFields(const MonteCarloFields& f);
    void saveFields() const;
    // Loads the entry chosen in the box; false (and told) when it fails.
    bool loadChosenStrategy();
    QString strategyPath(const QString& entry) const;
    void poll();
    // Takes the worker's result; `show` tells failures in a message box.
    void finishRun(bool show);
    // Cancels a run and waits for its thread.
    void cancelAndWait(bool show);
    void setRunning(bool running);
    void showResult();
    void drawHistogram();
    void drawFan();

    MainWindow& main_;
    Strategy strategy_;
    QString loadedEntry_;  // the entry strategy_ came from; empty when none
    bool loaded_ = false;

    // Shared with the worker thread.
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    std::atomic<bool> searching_{false};
    std::atomic<int64_t> sessionsDone_{0};
    std::atomic<int64_t> sessionsTotal_{0};
    std::mutex resultMutex_;
    MonteCarloResult workerResult_;
    std::optional<BankrollSearch> workerSearch_;

    std::optional<MonteCarloResult> result_;
    std::optional<BankrollSearch> search_;
    QTimer* poll_ = nullptr;

    QComboBox* strategyBox_ = nullptr;
    QPushButton* file_ = nullptr;
    QLineEdit* sessions_ = nullptr;
    QLineEdit* spins_ = nullptr;
    QLineEdit* bankroll_ = nullptr;
    QLineEdit* stopLoss_ = nullptr;
    QLineEdit* takeProfit_ = nullptr;
    QLineEdit* seed_ = nullptr;
    QLineEdit* threads_ = nullptr;
    QLineEdit* targetRisk_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* export_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* table_ = nullptr;
    QChartView* histogramView_ = nullptr;
    QChartView* fanView_ = nullptr;
    QChart* histogram_ = nullptr;
    QChart* fan_ = nullptr;
};

}  // namespace kv
