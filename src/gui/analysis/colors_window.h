#pragma once
// ColorsWindow, "Colors": one check box per chart entry, its background showing
// the entry's colour. Ticking a box asks for a colour; "OK" hands the
// choice to the Graphics window, "Cancel" leaves the chart as it was.

#include <QWidget>
#include <array>
#include <optional>

#include "analysis/colors_choice.h"

class QCheckBox;
class QPushButton;

namespace kv {

class MainWindow;
class GraphicsWindow;

class ColorsWindow : public QWidget {
    Q_OBJECT
  public:
    ColorsWindow(MainWindow& main, GraphicsWindow& graphics);

    // The ticks are reloaded from the Graphics window; the working colours
    // stay, those chosen before a "Cancel" included.
    void reloadTicks();
    // The Graphics window's "Colors" button: shows the window, or gives it
    // the focus, with the ticks reloaded.
    void openFromGraphics();

    void toggleTick(int k);
    void accept();         // "OK"
    void cancel();         // "Cancel"
    void randomColours();  // "Random"
    void tickAll();        // "Check All"

    QCheckBox* tickBox(int k) const { return boxes_[static_cast<size_t>(k)]; }
    QPushButton* button(int i) const { return buttons_[static_cast<size_t>(i - 1)]; }
    const ColorsChoice& choice() const { return choice_; }

  private:
    // Box backgrounds := the working colours.
    void Apply();
    void setTicks(const ChartStyle& style);
    std::optional<uint32_t> askForColour(int k);

    MainWindow& main_;
    GraphicsWindow& graphics_;
    ColorsChoice choice_;
    bool AskForColours = false;
    std::array<QCheckBox*, kChartEntryCount + 1> boxes_{};
    std::array<QPushButton*, 4> buttons_{};
};

}  // namespace kv
