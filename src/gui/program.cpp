#include "gui/program.h"

#include "gui/analysis/colors_window.h"
#include "gui/analysis/graphics_window.h"
#include "gui/analysis/honesty_test_window.h"
#include "gui/analysis/statistic_window.h"
#include "gui/analysis/wheel_sectors_window.h"
#include "gui/calculate/calculate_window.h"
#include "gui/compact/compact_table_window.h"
#include "gui/compact/hide_window.h"
#include "gui/compact/number_pad_window.h"
#include "gui/files/cut_game_window.h"
#include "gui/files/file_commands.h"
#include "gui/game/about_window.h"
#include "gui/game/balance_window.h"
#include "gui/game/generate_spins_window.h"
#include "gui/game/properties_window.h"
#include "gui/game/random_properties_window.h"
#include "gui/strategy/monte_carlo_window.h"
#include "gui/strategy/strategy_editor_window.h"
#include "gui/strategy/strategy_tester_window.h"
#include "gui/table/main_window.h"

namespace kv {

KelvoraProgram::KelvoraProgram() {
    mainWindow = std::make_unique<MainWindow>();
    propertiesWindow = std::make_unique<PropertiesWindow>(*mainWindow);
    balanceWindow = std::make_unique<BalanceWindow>(*mainWindow);
    statisticWindow = std::make_unique<StatisticWindow>(*mainWindow);
    randomPropertiesWindow = std::make_unique<RandomPropertiesWindow>(*mainWindow);
    honestyTestWindow = std::make_unique<HonestyTestWindow>(*mainWindow);
    generateSpinsWindow = std::make_unique<GenerateSpinsWindow>(*mainWindow);
    wheelSectorsWindow = std::make_unique<WheelSectorsWindow>(*mainWindow);
    cutGameWindow = std::make_unique<CutGameWindow>(*mainWindow);
    calculateWindow = std::make_unique<CalculateWindow>(*mainWindow);
    graphicsWindow = std::make_unique<GraphicsWindow>(*mainWindow);
    colorsWindow = std::make_unique<ColorsWindow>(*mainWindow, *graphicsWindow);
    strategyEditorWindow = std::make_unique<StrategyEditorWindow>(*mainWindow);
    strategyTesterWindow = std::make_unique<StrategyTesterWindow>(*mainWindow);
    monteCarloWindow = std::make_unique<MonteCarloWindow>(*mainWindow);
    QObject::connect(strategyTesterWindow.get(), &StrategyTesterWindow::monteCarloRequested,
                     monteCarloWindow.get(), [this] {
                         monteCarloWindow->showForStrategy(strategyTesterWindow->strategy(),
                                                           strategyTesterWindow->chosenEntry());
                     });
    hideWindow = std::make_unique<HideWindow>(*mainWindow);
    minimizeWindow = std::make_unique<CompactTableWindow>(*mainWindow, CompactTableWindow::Kind::Third);
    numberPadWindow = std::make_unique<NumberPadWindow>(*mainWindow);
    minimize2Window = std::make_unique<CompactTableWindow>(*mainWindow, CompactTableWindow::Kind::Half);
    about = std::make_unique<AboutWindow>(*mainWindow);
    fileCommands = std::make_unique<FileCommands>(*mainWindow);
}

KelvoraProgram::~KelvoraProgram() {
    // The secondary windows go first, the main window last.
    fileCommands.reset();
    about.reset();
    minimize2Window.reset();
    numberPadWindow.reset();
    minimizeWindow.reset();
    hideWindow.reset();
    monteCarloWindow.reset();
    strategyTesterWindow.reset();
    strategyEditorWindow.reset();
    colorsWindow.reset();
    graphicsWindow.reset();
    calculateWindow.reset();
    cutGameWindow.reset();
    wheelSectorsWindow.reset();
    generateSpinsWindow.reset();
    honestyTestWindow.reset();
    randomPropertiesWindow.reset();
    statisticWindow.reset();
    balanceWindow.reset();
    propertiesWindow.reset();
    mainWindow.reset();
}

}  // namespace kv
