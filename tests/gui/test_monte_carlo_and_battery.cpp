// The Monte Carlo window and the Test Game window's fairness battery, driven
// with real clicks: a run gives what the engine gives for the same fields,
// Stop and closing end a run, and the battery shows the engine's verdict.
#include <gtest/gtest.h>

#include <QAction>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <random>

#include "analysis/test_game_concentration.h"
#include "gui/analysis/fairness_battery_panel.h"
#include "gui/analysis/honesty_test_window.h"
#include "gui/gui_test_support.h"
#include "gui/program.h"
#include "gui/strategy/monte_carlo_window.h"
#include "gui/strategy/strategy_tester_window.h"
#include "gui/table/main_window.h"
#include "strategy/monte_carlo_report.h"
#include "strategy/strategy_file.h"

namespace {

using kv::MonteCarloWindow;
using kvtest::typeInto;

void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center()); }

bool waitUntilIdle(MonteCarloWindow& w) {
    return QTest::qWaitFor([&] { return !w.isRunning(); }, 60000);
}

std::vector<std::pair<QString, QString>> tableRows(const QTableWidget* t) {
    std::vector<std::pair<QString, QString>> rows;
    for (int r = 0; r < t->rowCount(); ++r) rows.emplace_back(t->item(r, 0)->text(), t->item(r, 1)->text());
    return rows;
}

// The whole program, as the executable builds it, in the test's own folder,
// with a shipped strategy added to the Test Strategy list.
class MonteCarloWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(KV_SOURCE_DIR "/data/strategies/martingale_red.stg"),
                                QDir::current().filePath(QStringLiteral("martingale_red.stg"))));
        program = std::make_unique<kv::KelvoraProgram>();
        tester = program->strategyTesterWindow.get();
        mc = program->monteCarloWindow.get();
        tester->chooseStrategyFile = [](QWidget*, const QString& folder) {
            return QDir(folder).filePath(QStringLiteral("martingale_red.stg"));
        };
        tester->show();
        click(tester->addButton());
        kvtest::pick(tester->strategyBox(), QStringLiteral("martingale_red"));
    }
    void fill(const kv::MonteCarloFields& f) {
        typeInto(mc->sessionsEdit(), QString::fromStdString(f.sessions));
        typeInto(mc->spinsEdit(), QString::fromStdString(f.spins));
        typeInto(mc->bankrollEdit(), QString::fromStdString(f.bankroll));
        typeInto(mc->stopLossEdit(), QString::fromStdString(f.stopLoss));
        typeInto(mc->takeProfitEdit(), QString::fromStdString(f.takeProfit));
        typeInto(mc->seedEdit(), QString::fromStdString(f.seed));
        typeInto(mc->threadsEdit(), QString::fromStdString(f.threads));
        typeInto(mc->targetRiskEdit(), QString::fromStdString(f.targetRisk));
    }

    std::unique_ptr<kv::KelvoraProgram> program;
    kv::StrategyTesterWindow* tester = nullptr;
    MonteCarloWindow* mc = nullptr;
};

TEST_F(MonteCarloWindowTest, ARunFromTheTesterGivesTheEnginesResultAndExportsItsSessions) {
    click(tester->monteCarloButton());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mc));
    EXPECT_EQ(mc->strategyBox()->currentText(), QStringLiteral("martingale_red"));

    kv::MonteCarloFields f;
    f.strategy = "martingale_red.stg";
    f.sessions = "400";
    f.spins = "150";
    f.bankroll = "300";
    f.stopLoss = "";
    f.takeProfit = "60";
    f.seed = "4242";
    f.threads = "3";
    f.targetRisk = "5";
    fill(f);
    click(mc->runButton());
    ASSERT_TRUE(waitUntilIdle(*mc));

    // The same fields through the engine, with the game's table limits.
    const kv::MonteCarloRequest request = kv::monteCarloRequest(f, program->main().state().TableLimits);
    ASSERT_EQ(request.error, "");
    const kv::Strategy strategy = kv::loadStrategyFile("martingale_red.stg").strategy;
    const kv::MonteCarloResult engine = kv::runMonteCarlo(strategy, request.settings);
    const kv::BankrollSearch search = kv::bankrollForRisk(strategy, request.settings, *request.targetRisk);
    std::vector<std::pair<QString, QString>> expected;
    for (const kv::SummaryRow& r : kv::monteCarloSummary(engine, search))
        expected.emplace_back(QString::fromStdString(r.label), QString::fromStdString(r.value));
    std::vector<std::pair<QString, QString>> shown = tableRows(mc->resultTable());
    // The speed is the only line that depends on the machine.
    ASSERT_EQ(shown.back().first, QStringLiteral("Spins per second"));
    shown.pop_back();
    expected.pop_back();
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(mc->fanChart()->series().size(), 3);

    // The fields wait in montecarlo.ini for the next start.
    EXPECT_EQ(kv::readMonteCarloFields("montecarlo.ini"), f);

    const QString csv = QDir::current().filePath(QStringLiteral("sessions"));
    mc->chooseCsvFile = [&](QWidget*, const QString&) { return csv; };
    click(mc->exportButton());
    QFile written(csv + QStringLiteral(".csv"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), kv::monteCarloSessionsCsv(engine.sessionRows));
}

TEST_F(MonteCarloWindowTest, StopAndClosingEndARunWithTheSessionsDone) {
    program->main().action(kv::MenuItem::MonteCarlo)->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mc));
    kvtest::pick(mc->strategyBox(), QStringLiteral("martingale_red"));
    kv::MonteCarloFields f;
    f.sessions = "1000000";
    f.spins = "2000";
    f.threads = "2";
    fill(f);

    click(mc->runButton());
    ASSERT_TRUE(mc->isRunning());
    QTest::qWait(300);
    click(mc->stopButton());
    ASSERT_TRUE(waitUntilIdle(*mc));
    ASSERT_TRUE(mc->result().has_value());
    EXPECT_EQ(mc->result()->end, kv::MonteCarloEnd::Cancelled);
    EXPECT_TRUE(mc->statusLabel()->text().startsWith(QStringLiteral("Stopped")));
    EXPECT_TRUE(mc->runButton()->isEnabled());

    // Closing cancels the run and returns only when its thread is gone.
    click(mc->runButton());
    ASSERT_TRUE(mc->isRunning());
    mc->close();
    EXPECT_FALSE(mc->isRunning());
    EXPECT_FALSE(mc->isVisible());
}

TEST(FairnessBatteryPage, TheBatteryButtonShowsTheEnginesReportAtTheChosenLevel) {
    kv::MainWindow form;
    form.setFramePace(0, 0);
    form.state().NewGame();
    // A wheel that repeats its last number too often, and is fair otherwise.
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> spin(0, 36);
    std::bernoulli_distribution repeat(0.08);
    int last = spin(gen);
    for (int i = 0; i < 600; ++i) {
        last = repeat(gen) ? last : spin(gen);
        form.state().RecordSpin(last);
    }
    kv::HonestyTestWindow window(form);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    kvtest::clickTab(window.tabs(), 1);
    kv::FairnessBatteryPanel* panel = window.fairnessPanel();
    ASSERT_TRUE(panel->isVisible());

    kv::SectorNullCache cache;
    const std::vector<uint8_t> spins = kv::oldestFirstSpins(kv::spinNumbers(form.state()));
    for (const QString& level : {QStringLiteral("1 %"), QStringLiteral("5 %")}) {
        kvtest::pick(panel->levelBox(), level);
        click(panel->batteryButton());
        const kv::FairnessReport engine = kv::runFairnessBattery(spins, panel->level(), cache);
        EXPECT_EQ(panel->verdictLabel()->text().toStdString(), engine.verdict);
        ASSERT_EQ(panel->reportTable()->rowCount(), static_cast<int>(engine.tests.size()));
        EXPECT_EQ(panel->reportTable()->item(0, 0)->text().toStdString(), engine.tests[0].name);
    }
    EXPECT_TRUE(panel->report()->biased);
    // Another level judges the same tests anew, without the button.
    kvtest::pick(panel->levelBox(), QStringLiteral("0.1 %"));
    EXPECT_EQ(panel->verdictLabel()->text().toStdString(),
              kv::runFairnessBattery(spins, 0.001, cache).verdict);
    // The sector test's law for this length is kept beside the settings.
    EXPECT_TRUE(std::filesystem::exists(panel->sectorNull().fileFor(panel->report()->spins)));
}

}  // namespace
