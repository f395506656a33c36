#pragma once
// GraphicsWindow, "Graphics": the FOREST page (hot and cold bars of the latest
// spins with the "Last falling out" row) and the CHART page (one climbing
// line per category, with zoom and scrolling). Both pages share the spin
// amount box; whichever page shows is drawn by DrawGraphics.

#include <QImage>
#include <QWidget>
#include <array>

#include "analysis/chart_style.h"
#include "analysis/chart_tally.h"
#include "analysis/forest_picture.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QTabWidget;
class QToolButton;

namespace kv {

class ImageBox;
class MainWindow;

class GraphicsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit GraphicsWindow(MainWindow& main);

    // Z := N, then draws: on activation and after every spin while visible.
    void refresh();
    // Draws the active page (only while there are spins).
    void DrawGraphics();

    void forestSpinsChanged();
    void chartSpinsChanged();
    void setForestMode(ForestMode mode);
    void baffleChanged();
    void chartGroupToggled(int group);  // group 0..6
    void zoomOut();                     // "Reduce a picture"
    void zoomIn();                      // "Increase a picture"
    void showColors();                  // "Colors"
    void pageChanged();

    // The 61 colours and flags and the groups the chart draws. The Colors
    // window's "OK" sets them.
    const ChartStyle& chartStyle() const { return style_; }
    void setChartStyle(const ChartStyle& style);

    int32_t zoom() const { return zoom_; }
    ForestMode forestMode() const { return mode_; }
    const ForestPicture& forest() const { return forest_; }
    int drawCount() const { return drawCount_; }

    QTabWidget* pages() const { return pages_; }
    QLineEdit* forestSpinsEdit() const { return forestSpins_; }
    QLineEdit* chartSpinsEdit() const { return chartSpins_; }
    QRadioButton* forestModeButton(int i) const { return radio_[static_cast<size_t>(i - 1)]; }
    QSlider* baffleSlider() const { return trackBar_; }
    QLabel* baffleValue() const { return baffleValue_; }
    QPlainTextEdit* hotList() const { return hotList_; }
    QPlainTextEdit* coldList() const { return coldList_; }
    ImageBox* forestView() const { return forestView_; }
    ImageBox* chartView() const { return chartView_; }
    QCheckBox* chartGroupBox(int i) const { return checks_[static_cast<size_t>(i - 1)]; }
    QToolButton* zoomButton(int i) const { return speed_[static_cast<size_t>(i - 1)]; }
    QScrollBar* chartScroll() const { return chartScroll_; }
    QScrollBar* chartShift() const { return chartShift_; }
    QPushButton* forestCloseButton() const { return forestClose_; }
    QPushButton* chartCloseButton() const { return chartClose_; }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildForestPage(QWidget* page);
    void buildChartPage(QWidget* page);
    void drawForestPage();
    void drawChartPage();
    void layoutPages();
    // forestView is 553 pixels wide, or as much of that as the page holds.
    int forestWidth() const;
    void spinAmountTyped(QLineEdit* from, QLineEdit* to);
    void showBaffle(bool on);
    int baffle() const;
    void storeStyle();
    void redrawIfSpins();

    MainWindow& main_;
    SpinTally tally_;
    ChartStyle style_;
    ForestMode mode_ = ForestMode::Numbers;
    int32_t zoom_ = 0;
    ForestPicture forest_;
    QImage forestImage_;
    QImage chartImage_;
    int drawCount_ = 0;

    QTabWidget* pages_ = nullptr;
    QLineEdit* forestSpins_ = nullptr;
    QLineEdit* chartSpins_ = nullptr;
    std::array<QRadioButton*, 4> radio_{};
    QLabel* baffleCaption_ = nullptr;
    QLabel* baffleValue_ = nullptr;
    QSlider* trackBar_ = nullptr;
    QPlainTextEdit* hotList_ = nullptr;
    QPlainTextEdit* coldList_ = nullptr;
    QPushButton* forestClose_ = nullptr;
    ImageBox* forestView_ = nullptr;
    std::array<QCheckBox*, 7> checks_{};
    std::array<QToolButton*, 3> speed_{};
    QPushButton* chartClose_ = nullptr;
    ImageBox* chartView_ = nullptr;
    QScrollBar* chartScroll_ = nullptr;
    QScrollBar* chartShift_ = nullptr;
};

}  // namespace kv
