#pragma once
// TForm11, "Graphics": the FOREST page (hot and cold bars of the latest
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
class TForm1;

class TForm11 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm11(TForm1& main);

    // Z := N, then draws: on activation and after every spin while visible.
    void FormActivate();
    // Draws the active page (only while there are spins).
    void DrawGraphics();

    void Edit1Change();
    void Edit2Change();
    void setForestMode(ForestMode mode);  // RadioButton1..4Click
    void TrackBar1Change();
    void CheckBoxClick(int group);  // CheckBox1..7Click, group 0..6
    void SpeedButton1Click();       // "Reduce a picture"
    void SpeedButton2Click();       // "Increase a picture"
    void SpeedButton3Click();       // "Colors"
    void PageControl1Change();

    // The 61 colours and flags and the groups the chart draws. The Colors
    // window's "OK" sets them.
    const ChartStyle& chartStyle() const { return style_; }
    void setChartStyle(const ChartStyle& style);

    int32_t zoom() const { return zoom_; }
    ForestMode forestMode() const { return mode_; }
    const ForestPicture& forest() const { return forest_; }
    int drawCount() const { return drawCount_; }

    QTabWidget* PageControl1() const { return pages_; }
    QLineEdit* Edit1() const { return edit1_; }
    QLineEdit* Edit2() const { return edit2_; }
    QRadioButton* RadioButton(int i) const { return radio_[static_cast<size_t>(i - 1)]; }
    QSlider* TrackBar1() const { return trackBar_; }
    QLabel* Label7() const { return label7_; }
    QPlainTextEdit* Memo1() const { return memo1_; }
    QPlainTextEdit* Memo2() const { return memo2_; }
    ImageBox* PaintBox1() const { return paintBox1_; }
    ImageBox* PaintBox2() const { return paintBox2_; }
    QCheckBox* CheckBox(int i) const { return checks_[static_cast<size_t>(i - 1)]; }
    QToolButton* SpeedButton(int i) const { return speed_[static_cast<size_t>(i - 1)]; }
    QScrollBar* ScrollBar1() const { return scroll1_; }
    QScrollBar* ScrollBar2() const { return scroll2_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }

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
    // PaintBox1 is 553 pixels wide, or as much of that as the page holds.
    int forestWidth() const;
    void spinAmountTyped(QLineEdit* from, QLineEdit* to);
    void showBaffle(bool on);
    int baffle() const;
    void storeStyle();
    void redrawIfSpins();

    TForm1& main_;
    SpinTally tally_;
    ChartStyle style_;
    ForestMode mode_ = ForestMode::Numbers;
    int32_t zoom_ = 0;
    ForestPicture forest_;
    QImage forestImage_;
    QImage chartImage_;
    int drawCount_ = 0;

    QTabWidget* pages_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QLineEdit* edit2_ = nullptr;
    std::array<QRadioButton*, 4> radio_{};
    QLabel* label6_ = nullptr;
    QLabel* label7_ = nullptr;
    QSlider* trackBar_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    QPlainTextEdit* memo2_ = nullptr;
    QPushButton* button1_ = nullptr;
    ImageBox* paintBox1_ = nullptr;
    std::array<QCheckBox*, 7> checks_{};
    std::array<QToolButton*, 3> speed_{};
    QPushButton* button2_ = nullptr;
    ImageBox* paintBox2_ = nullptr;
    QScrollBar* scroll1_ = nullptr;
    QScrollBar* scroll2_ = nullptr;
};

}  // namespace kv
