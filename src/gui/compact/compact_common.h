#pragma once
// Small pieces the compact windows share.

#include <QString>
#include <cstdint>

class QCloseEvent;
class QWidget;

namespace kv {

class MainWindow;

// The green window background of the compact windows.
void paintGreen(QWidget* w);

// A compact window stands in for the hidden main window: closing it by its
// button only hides it, closing it any other way (its close box) closes the
// main window, which saves and ends the program. The window hides itself
// first, so that the next start does not open it beside the main window.
void closeCompactWindow(QWidget* self, MainWindow& main, bool closingByButton, QCloseEvent* event);

// A menu command of Settings: shows the stand-in window and hides the main
// window behind it.
void standIn(MainWindow& main, QWidget* window);

// Background colour of a number in the compact displays: bright green for
// zero, red for red numbers, black otherwise.
uint32_t compactNumberBackground(int n);

}  // namespace kv
