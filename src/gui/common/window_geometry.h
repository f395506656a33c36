#pragma once
// Stored window positions and sizes are outer sizes of a classic desktop
// window: the client area (below the menu bar, if any) plus 10 pixels in
// width and 50 in height for a window with a menu, 10 and 30 without. These
// helpers are the one place that maps them, so stored values, resize rules
// and pictures agree whatever the desktop's own frame.

#include "files/settings.h"

class QWidget;

namespace kv {

inline constexpr int kFrameWidth = 10;
inline constexpr int kFrameHeightWithMenu = 50;
inline constexpr int kFrameHeightNoMenu = 30;

// Moves and sizes a window without menu to a stored geometry.
void applyOuterGeometry(QWidget* w, const WindowGeometry& g);
// The stored form of a window without menu; `shown` is its visibility.
WindowGeometry outerGeometry(const QWidget* w);

// The client size of a window without menu from its outer size.
int clientWidthFor(int outerWidth);
int clientHeightFor(int outerHeight);

// Keeps a top-level window above its owner whenever both are shown (the
// owner becomes its transient parent), without making it a child widget: it
// keeps its own place, size and lifetime, and stays up when the owner is
// hidden.
void keepAbove(QWidget* tool, QWidget* owner);

// A menu command that shows a window: makes it visible, or gives it the
// focus when it already is.
void showOrFocus(QWidget* w);

}  // namespace kv
