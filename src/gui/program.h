#pragma once
// The whole program: the main window first, then every secondary window in
// the order of its class number, each created hidden and kept for the run.
// The executable and the end-to-end test build it the same way.

#include <memory>

namespace kv {

class MainWindow;
class PropertiesWindow;
class BalanceWindow;
class StatisticWindow;
class RandomPropertiesWindow;
class HonestyTestWindow;
class GenerateSpinsWindow;
class WheelSectorsWindow;
class CutGameWindow;
class CalculateWindow;
class GraphicsWindow;
class ColorsWindow;
class StrategyEditorWindow;
class StrategyTesterWindow;
class MonteCarloWindow;
class HideWindow;
class CompactTableWindow;
class NumberPadWindow;
class AboutWindow;
class FileCommands;

class KelvoraProgram {
  public:
    KelvoraProgram();
    ~KelvoraProgram();
    KelvoraProgram(const KelvoraProgram&) = delete;
    KelvoraProgram& operator=(const KelvoraProgram&) = delete;

    MainWindow& main() { return *mainWindow; }

    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<PropertiesWindow> propertiesWindow;              // Properties
    std::unique_ptr<BalanceWindow> balanceWindow;                    // Balance
    std::unique_ptr<StatisticWindow> statisticWindow;                // Statistic
    std::unique_ptr<RandomPropertiesWindow> randomPropertiesWindow;  // Random Properties
    std::unique_ptr<HonestyTestWindow> honestyTestWindow;            // Test Game
    std::unique_ptr<GenerateSpinsWindow> generateSpinsWindow;        // Generate Spins
    std::unique_ptr<WheelSectorsWindow> wheelSectorsWindow;          // Wheel Sectors
    std::unique_ptr<CutGameWindow> cutGameWindow;                    // Cut Game
    std::unique_ptr<CalculateWindow> calculateWindow;                // Calculate
    std::unique_ptr<GraphicsWindow> graphicsWindow;                  // Graphics
    std::unique_ptr<ColorsWindow> colorsWindow;                      // Colors
    std::unique_ptr<StrategyEditorWindow> strategyEditorWindow;      // Constructor of Strategics
    std::unique_ptr<StrategyTesterWindow> strategyTesterWindow;      // Test Strategy
    std::unique_ptr<MonteCarloWindow> monteCarloWindow;              // Monte Carlo
    std::unique_ptr<HideWindow> hideWindow;                          // Hide
    std::unique_ptr<CompactTableWindow> minimizeWindow;              // Minimize
    std::unique_ptr<NumberPadWindow> numberPadWindow;                // Input Online Casino Numbers
    std::unique_ptr<CompactTableWindow> minimize2Window;             // Minimize 2
    std::unique_ptr<AboutWindow> about;
    std::unique_ptr<FileCommands> fileCommands;
};

}  // namespace kv
