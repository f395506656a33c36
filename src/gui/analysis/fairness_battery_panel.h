#pragma once
// FairnessBatteryPanel, the "Fairness battery" page of the Test Game window:
// eight tests over the game's spins, judged together with Holm's method at
// the level chosen in the box, as a table (statistic, df, p-value, Holm p,
// the decision), the verdict, and two small pictures: how far each pocket
// lies from its fair share in wheel order, and how often the ball jumped
// each distance from one spin to the next against the fair expectation.
//
// The sector test's null distributions are kept for as long as the window
// lives, and on disk in a folder beside the settings, so a length already
// seen costs nothing even after a restart.

#include <QWidget>
#include <optional>

#include "analysis/fairness_battery.h"
#include "analysis/sector_null.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kv {

class MainWindow;
class ImageBox;

class FairnessBatteryPanel : public QWidget {
    Q_OBJECT
  public:
    FairnessBatteryPanel(MainWindow& main, QWidget* parent);
    ~FairnessBatteryPanel() override;

    // Runs the battery over the game's spins and shows its report.
    void runBattery();
    // The family-wise level the box shows (0.05, 0.01 or 0.001).
    double level() const;

    const std::optional<FairnessReport>& report() const { return report_; }
    SectorNullCache& sectorNull() { return sectorNull_; }

    QPushButton* batteryButton() const { return run_; }
    QComboBox* levelBox() const { return levelBox_; }
    QTableWidget* reportTable() const { return table_; }
    QLabel* verdictLabel() const { return verdict_; }
    ImageBox* residualView() const { return residuals_; }
    ImageBox* distanceView() const { return distances_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showReport();
    void drawResiduals();
    void drawDistances();

    MainWindow& main_;
    SectorNullCache sectorNull_;
    std::optional<FairnessReport> report_;

    QPushButton* run_ = nullptr;
    QComboBox* levelBox_ = nullptr;
    QLabel* verdict_ = nullptr;
    QTableWidget* table_ = nullptr;
    ImageBox* residuals_ = nullptr;
    ImageBox* distances_ = nullptr;
};

}  // namespace kv
