#include "gui/strategy/monte_carlo_window.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "gui/common/local_text.h"
#include "gui/common/save_target.h"
#include "gui/common/window_geometry.h"
#include "gui/table/main_window.h"
#include "strategy/monte_carlo_report.h"
#include "strategy/strategy_file.h"
#include "strategy/tester_controls.h"

namespace kv {

namespace {

const QString kTitle = QStringLiteral("Kelvora");
// The progress bar counts in tenths of a percent, so a long run visibly moves.
constexpr int kProgressSteps = 1000;
// How often the window looks at the worker: well inside the 100 ms a Stop
// may take, so the run ends on screen as soon as the engine ends it.
constexpr int kPollMs = 30;
constexpr int kHistogramBins = 40;

QLineEdit* fieldEdit(QWidget* parent, const char* name, const QString& hint) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setToolTip(hint);
    return e;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    return b;
}

QChart* emptyChart(const QString& title) {
    auto* chart = new QChart();
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

void titleAxes(QChart* chart, const QString& x, const QString& y) {
    chart->createDefaultAxes();
    const auto horizontal = chart->axes(Qt::Horizontal);
    const auto vertical = chart->axes(Qt::Vertical);
    if (!horizontal.isEmpty()) horizontal.first()->setTitleText(x);
    if (!vertical.isEmpty()) vertical.first()->setTitleText(y);
    for (QAbstractAxis* a : chart->axes())
        if (auto* v = qobject_cast<QValueAxis*>(a)) {
            v->applyNiceNumbers();
            v->setLabelFormat(QStringLiteral("%.0f"));
        }
}

}  // namespace

MonteCarloWindow::MonteCarloWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("MonteCarloWindow"));
    setWindowTitle(QStringLiteral("Monte Carlo"));
    chooseStrategyFile = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Strategy File"), folder,
                                            QStringLiteral("*.stg"));
    };
    chooseCsvFile = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Export CSV"), folder,
                                            QStringLiteral("*.csv"));
    };
    buildControls();
    const std::filesystem::path file(
        QFile::encodeName(main_.folders().userFile(QString::fromLatin1(kMonteCarloSettingsFileName)))
            .toStdString());
    setFields(readMonteCarloFields(file).value_or(MonteCarloFields{}));
    setRunning(false);

    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &MonteCarloWindow::poll);

    // Not one of the windows info.ini places: a menu command only.
    main_.registerCommand(MenuItem::MonteCarlo, [this] { showOrFocus(this); });
    connect(&main_, &MainWindow::closed, this, [this] {
        cancelAndWait(false);
        saveFields();
    });
    resize(1000, 660);
}

MonteCarloWindow::~MonteCarloWindow() { cancelAndWait(false); }

void MonteCarloWindow::buildControls() {
    auto* form = new QFormLayout();
    form->setLabelAlignment(Qt::AlignLeft);
    strategyBox_ = new QComboBox(this);
    strategyBox_->setObjectName(QStringLiteral("strategyBox"));
    strategyBox_->setToolTip(QStringLiteral("A strategy of the Test Strategy list, or a file"));
    strategyBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    strategyBox_->setMinimumContentsLength(12);
    file_ =
        button(this, "fileButton", QStringLiteral("File..."), QStringLiteral("Take a strategy from a file"));
    auto* strategyRow = new QHBoxLayout();
    strategyRow->addWidget(strategyBox_, 1);
    strategyRow->addWidget(file_);
    form->addRow(QStringLiteral("Strategy"), strategyRow);
    sessions_ = fieldEdit(this, "sessionsEdit", QStringLiteral("Number of sessions"));
    spins_ = fieldEdit(this, "spinsEdit", QStringLiteral("Spins of a session that is not stopped"));
    bankroll_ = fieldEdit(this, "bankrollEdit",
                          QStringLiteral("Money behind the balance: a stake above bankroll + balance ruins"));
    stopLoss_ = fieldEdit(this, "stopLossEdit", QStringLiteral("End a session at this loss; empty: none"));
    takeProfit_ =
        fieldEdit(this, "takeProfitEdit", QStringLiteral("End a session at this gain; empty: none"));
    seed_ = fieldEdit(this, "seedEdit", QStringLiteral("The same seed gives the same sessions"));
    threads_ = fieldEdit(this, "threadsEdit", QStringLiteral("0: one per processor"));
    targetRisk_ = fieldEdit(
        this, "targetRiskEdit",
        QStringLiteral("Also find the smallest bankroll with at most this risk of ruin; empty: no"));
    form->addRow(QStringLiteral("Sessions"), sessions_);
    form->addRow(QStringLiteral("Spins"), spins_);
    form->addRow(QStringLiteral("Bankroll"), bankroll_);
    form->addRow(QStringLiteral("Stop-loss"), stopLoss_);
    form->addRow(QStringLiteral("Take-profit"), takeProfit_);
    form->addRow(QStringLiteral("Seed"), seed_);
    form->addRow(QStringLiteral("Threads"), threads_);
    form->addRow(QStringLiteral("Target risk %"), targetRisk_);

    run_ = button(this, "runButton", QStringLiteral("Run"), QStringLiteral("Play the sessions"));
    stop_ = button(this, "stopButton", QStringLiteral("Stop"), QStringLiteral("Stop the run"));
    export_ = button(this, "exportButton", QStringLiteral("Export CSV"),
                     QStringLiteral("Write every session of the last run to a CSV file"));
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(run_);
    buttons->addWidget(stop_);
    buttons->addWidget(export_);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("statusLabel"));
    status_->setWordWrap(true);

    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName(QStringLiteral("resultTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Result"), QStringLiteral("Value")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setColumnWidth(0, 165);
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(20);

    auto* left = new QVBoxLayout();
    left->addLayout(form);
    left->addLayout(buttons);
    left->addWidget(progress_);
    left->addWidget(status_);
    left->addWidget(table_, 1);
    auto* leftBox = new QWidget(this);
    leftBox->setLayout(left);
    leftBox->setFixedWidth(430);
    left->setContentsMargins(0, 0, 0, 0);

    histogram_ = emptyChart(QStringLiteral("Final balance of the sessions"));
    fan_ = emptyChart(QStringLiteral("Balance over the session: percentiles"));
    histogramView_ = new QChartView(histogram_, this);
    histogramView_->setObjectName(QStringLiteral("histogramView"));
    histogramView_->setRenderHint(QPainter::Antialiasing);
    fanView_ = new QChartView(fan_, this);
    fanView_->setObjectName(QStringLiteral("fanView"));
    fanView_->setRenderHint(QPainter::Antialiasing);
    auto* right = new QVBoxLayout();
    right->addWidget(histogramView_, 1);
    right->addWidget(fanView_, 1);

    auto* all = new QHBoxLayout(this);
    all->addWidget(leftBox);
    all->addLayout(right, 1);

    connect(strategyBox_, &QComboBox::activated, this, &MonteCarloWindow::strategyChosen);
    connect(file_, &QPushButton::clicked, this, &MonteCarloWindow::chooseFile);
    connect(run_, &QPushButton::clicked, this, &MonteCarloWindow::run);
    connect(stop_, &QPushButton::clicked, this, &MonteCarloWindow::stop);
    connect(export_, &QPushButton::clicked, this, &MonteCarloWindow::exportCsv);
}

// ------------------------------------------------------------ fields

void MonteCarloWindow::fillStrategyBox(const QString& select) {
    strategyBox_->clear();
    for (const std::string& entry : main_.settings().StrategyList)
        strategyBox_->addItem(local(strategyDisplayName(entry)), local(entry));
    int index = strategyBox_->findData(select);
    // A file chosen outside the list stays on offer under its own name.
    if (index < 0 && !select.isEmpty()) {
        strategyBox_->addItem(local(strategyDisplayName(bareFileName(local(select)))), select);
        index = strategyBox_->count() - 1;
    }
    strategyBox_->setCurrentIndex(index >= 0 ? index : (strategyBox_->count() > 0 ? 0 : -1));
}

void MonteCarloWindow::setFields(const MonteCarloFields& f) {
    fillStrategyBox(local(f.strategy));
    sessions_->setText(local(f.sessions));
    spins_->setText(local(f.spins));
    bankroll_->setText(local(f.bankroll));
    stopLoss_->setText(local(f.stopLoss));
    takeProfit_->setText(local(f.takeProfit));
    seed_->setText(local(f.seed));
    threads_->setText(local(f.threads));
    targetRisk_->setText(local(f.targetRisk));
}

MonteCarloFields MonteCarloWindow::fields() const {
    MonteCarloFields f;
    f.strategy = local(strategyBox_->currentData().toString());
    f.sessions = local(sessions_->text());
    f.spins = local(spins_->text());
    f.bankroll = local(bankroll_->text());
    f.stopLoss = local(stopLoss_->text());
    f.takeProfit = local(takeProfit_->text());
    f.seed = local(seed_->text());
    f.threads = local(threads_->text());
    f.targetRisk = local(targetRisk_->text());
    return f;
}

void MonteCarloWindow::saveFields() const {
    // Losing the fields costs the player a few keystrokes next time: not
    // worth a message box.
    const std::filesystem::path file(
        QFile::encodeName(main_.folders().userFile(QString::fromLatin1(kMonteCarloSettingsFileName)))
            .toStdString());
    (void)writeMonteCarloFields(file, fields());
}

// ---------------------------------------------------------- strategy

QString MonteCarloWindow::strategyPath(const QString& entry) const {
    if (QDir::isAbsolutePath(entry)) return entry;
    // List entries are bare names in the player's folder, as for the tester.
    return QDir(main_.folders().userDir()).filePath(local(bareFileName(local(entry))));
}

void MonteCarloWindow::showForStrategy(const Strategy& strategy, const QString& entry) {
    if (!isRunning() && !entry.isEmpty()) {
        fillStrategyBox(entry);
        strategy_ = strategy;
        loadedEntry_ = entry;
        loaded_ = true;
    }
    showOrFocus(this);
}

void MonteCarloWindow::strategyChosen(int) {
    // Read again at the next run: the file may have changed meanwhile.
    if (strategyBox_->currentData().toString() != loadedEntry_) loaded_ = false;
}

void MonteCarloWindow::chooseFile() {
    if (isRunning()) return;
    const QString path = chooseStrategyFile ? chooseStrategyFile(this, main_.folders().userDir()) : QString();
    if (path.isEmpty()) return;
    fillStrategyBox(QFileInfo(path).absoluteFilePath());
    loaded_ = false;
}

bool MonteCarloWindow::loadChosenStrategy() {
    const QString entry = strategyBox_->currentData().toString();
    if (entry.isEmpty()) {
        QMessageBox::critical(this, kTitle, QStringLiteral("Choose a strategy first"));
        return false;
    }
    if (loaded_ && entry == loadedEntry_) return true;
    const QString path = strategyPath(entry);
    StrategyFileRead read = loadStrategyFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    if (read.status != StrategyFileStatus::Ok) {
        const QString message = read.status == StrategyFileStatus::CannotOpen
                                    ? QStringLiteral("Cannot open %1").arg(QDir::toNativeSeparators(path))
                                    : local(read.message);
        QMessageBox::critical(this, kTitle, message);
        return false;
    }
    strategy_ = std::move(read.strategy);
    loadedEntry_ = entry;
    loaded_ = true;
    return true;
}

// --------------------------------------------------------------- run

void MonteCarloWindow::setRunning(bool running) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{strategyBox_, file_, sessions_, spins_, bankroll_, stopLoss_,
                                         takeProfit_, seed_, threads_, targetRisk_, run_})
        w->setEnabled(!running);
    stop_->setEnabled(running);
    export_->setEnabled(!running && result_ && !result_->sessionRows.empty());
}

void MonteCarloWindow::run() {
    if (isRunning()) return;
    saveFields();
    const MonteCarloRequest request = monteCarloRequest(fields(), main_.state().TableLimits);
    if (!request.error.empty()) {
        QMessageBox::critical(this, kTitle, local(request.error));
        return;
    }
    if (!loadChosenStrategy()) return;

    cancel_ = false;
    done_ = false;
    searching_ = false;
    sessionsDone_ = 0;
    sessionsTotal_ = request.settings.sessions;
    progress_->setValue(0);
    progress_->setFormat(QStringLiteral("Sessions %p%"));
    status_->setText(QStringLiteral("Running..."));
    result_.reset();
    search_.reset();
    setRunning(true);
    // The worker has its own copies: the window may load another strategy
    // or be edited while it runs.
    worker_ = std::thread([this, strategy = strategy_, request] {
        MonteCarloControl control;
        control.cancel = &cancel_;
        control.progress = [this](const MonteCarloProgress& p) {
            sessionsDone_ = p.sessionsDone;
            sessionsTotal_ = p.sessions;
        };
        MonteCarloResult r = runMonteCarlo(strategy, request.settings, control);
        std::optional<BankrollSearch> s;
        if (request.targetRisk && r.end == MonteCarloEnd::Finished) {
            sessionsDone_ = 0;
            searching_ = true;
            s = bankrollForRisk(strategy, request.settings, *request.targetRisk, control);
        }
        {
            std::lock_guard lock(resultMutex_);
            workerResult_ = std::move(r);
            workerSearch_ = std::move(s);
        }
        done_ = true;
    });
    poll_->start();
}

void MonteCarloWindow::stop() { cancel_ = true; }

void MonteCarloWindow::poll() {
    const int64_t total = sessionsTotal_;
    if (total > 0) progress_->setValue(static_cast<int>(sessionsDone_ * kProgressSteps / total));
    if (searching_) progress_->setFormat(QStringLiteral("Bankroll search %p%"));
    if (done_) finishRun(true);
}

void MonteCarloWindow::cancelAndWait(bool show) {
    if (!worker_.joinable()) return;
    cancel_ = true;
    finishRun(show);
}

void MonteCarloWindow::finishRun(bool show) {
    if (worker_.joinable()) worker_.join();
    poll_->stop();
    MonteCarloResult r;
    std::optional<BankrollSearch> s;
    {
        std::lock_guard lock(resultMutex_);
        r = std::move(workerResult_);
        workerResult_ = {};
        s = std::move(workerSearch_);
        workerSearch_.reset();
    }
    if (r.end == MonteCarloEnd::Failed) {
        result_.reset();
        setRunning(false);
        status_->setText(QString());
        if (show) QMessageBox::critical(this, kTitle, local(r.message));
        return;
    }
    result_ = std::move(r);
    // A search that was stopped says nothing about the bankroll; one that
    // failed (a target the engine refuses) says why, after the results.
    const std::string searchError = s && s->end == MonteCarloEnd::Failed ? s->message : std::string();
    if (s && s->end == MonteCarloEnd::Finished) search_ = std::move(s);
    setRunning(false);
    showResult();
    if (show && !searchError.empty()) QMessageBox::critical(this, kTitle, local(searchError));
}

// ------------------------------------------------------------ result

void MonteCarloWindow::showResult() {
    const MonteCarloResult& r = *result_;
    if (r.end == MonteCarloEnd::Cancelled)
        status_->setText(QStringLiteral("Stopped: the results cover %1 of %2 sessions.")
                             .arg(r.sessionsDone)
                             .arg(r.sessionsRequested));
    else
        status_->setText(
            QStringLiteral("%1 sessions in %2 s.").arg(r.sessionsDone).arg(r.seconds, 0, 'f', 2));
    progress_->setFormat(QStringLiteral("%p%"));
    if (r.end == MonteCarloEnd::Finished) progress_->setValue(kProgressSteps);
    const std::vector<SummaryRow> rows = monteCarloSummary(r, search_);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        table_->setItem(i, 0, new QTableWidgetItem(local(rows[static_cast<size_t>(i)].label)));
        table_->setItem(i, 1, new QTableWidgetItem(local(rows[static_cast<size_t>(i)].value)));
    }
    drawHistogram();
    drawFan();
}

void MonteCarloWindow::drawHistogram() {
    histogram_->removeAllSeries();
    // Removing an axis does not delete it.
    for (QAbstractAxis* a : histogram_->axes()) {
        histogram_->removeAxis(a);
        delete a;
    }
    const BalanceHistogram h = finalBalanceHistogram(result_->sessionRows, kHistogramBins);
    if (h.counts.empty()) return;
    // Bars as one stepped outline, each bin centred on the balances it holds.
    auto* top = new QLineSeries();
    const double start = static_cast<double>(h.low) - 0.5;
    top->append(start, 0);
    for (size_t i = 0; i < h.counts.size(); ++i) {
        const double x0 = start + static_cast<double>(i) * static_cast<double>(h.width);
        const auto c = static_cast<double>(h.counts[i]);
        top->append(x0, c);
        top->append(x0 + static_cast<double>(h.width), c);
    }
    top->append(start + static_cast<double>(h.counts.size()) * static_cast<double>(h.width), 0);
    auto* bars = new QAreaSeries(top);
    top->setParent(bars);  // an area series does not own its lines
    bars->setName(QStringLiteral("sessions"));
    bars->setColor(QColor(70, 130, 180));
    bars->setBorderColor(QColor(30, 60, 110));
    histogram_->addSeries(bars);
    histogram_->legend()->hide();
    titleAxes(histogram_, QStringLiteral("final balance"), QStringLiteral("sessions"));
}

void MonteCarloWindow::drawFan() {
    fan_->removeAllSeries();
    // Removing an axis does not delete it.
    for (QAbstractAxis* a : fan_->axes()) {
        fan_->removeAxis(a);
        delete a;
    }
    const std::vector<FanPoint>& fan = result_->fan;
    if (fan.empty() || result_->sessionsDone == 0) return;
    // Every session starts at balance 0.
    auto line = [&](int32_t FanPoint::*member) {
        auto* s = new QLineSeries();
        s->append(0, 0);
        for (const FanPoint& p : fan) s->append(static_cast<double>(p.spin), p.*member);
        return s;
    };
    // An area series does not own its lines: they are given to it.
    auto area = [&](int32_t FanPoint::*upper, int32_t FanPoint::*lower) {
        QLineSeries* u = line(upper);
        QLineSeries* l = line(lower);
        auto* a = new QAreaSeries(u, l);
        u->setParent(a);
        l->setParent(a);
        return a;
    };
    auto* outer = area(&FanPoint::p95, &FanPoint::p5);
    outer->setName(QStringLiteral("5 to 95 %"));
    outer->setColor(QColor(198, 219, 239));
    outer->setBorderColor(QColor(158, 202, 225));
    auto* inner = area(&FanPoint::p75, &FanPoint::p25);
    inner->setName(QStringLiteral("25 to 75 %"));
    inner->setColor(QColor(107, 174, 214));
    inner->setBorderColor(QColor(66, 146, 198));
    QLineSeries* median = line(&FanPoint::p50);
    median->setName(QStringLiteral("median"));
    median->setPen(QPen(QColor(8, 48, 107), 2));
    fan_->addSeries(outer);
    fan_->addSeries(inner);
    fan_->addSeries(median);
    fan_->legend()->show();
    titleAxes(fan_, QStringLiteral("spin"), QStringLiteral("balance"));
}

void MonteCarloWindow::exportCsv() {
    if (isRunning() || !result_ || result_->sessionRows.empty()) return;
    const QString chosen = chooseCsvFile ? chooseCsvFile(this, main_.folders().userDir()) : QString();
    if (chosen.isEmpty()) return;
    const QString path = QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".csv") : chosen;
    if (!mayReplaceAddedName(this, chosen, path, QStringLiteral("Export CSV"))) return;
    const FileStatus st = writeMonteCarloSessionsCsv(
        std::filesystem::path(QFile::encodeName(path).toStdString()), result_->sessionRows);
    if (!st) QMessageBox::critical(this, kTitle, local(st.message()));
}

// ------------------------------------------------------------ window

void MonteCarloWindow::showEvent(QShowEvent* event) {
    // The tester may have added or removed strategies meanwhile.
    if (!isRunning()) fillStrategyBox(strategyBox_->currentData().toString());
    QWidget::showEvent(event);
}

void MonteCarloWindow::closeEvent(QCloseEvent* event) {
    cancelAndWait(false);
    saveFields();
    QWidget::closeEvent(event);
}

}  // namespace kv
