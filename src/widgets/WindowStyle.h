// The look every window shares: background colour, fonts of the title labels.
#pragma once

#include <QColor>

class QLabel;
class QWidget;

namespace veldrin {

inline const QColor WindowBackground(248, 248, 237);

// The common background colour on a window or panel.
void ApplyBackground(QWidget* widget, const QColor& colour = WindowBackground);

// The code label's large grey type.
void StyleCodeLabel(QLabel* label);
// Bold grey type of the title and step labels.
void StyleBoldGreyLabel(QLabel* label);

// Places a window at its size in the middle of its screen's free area, before it is shown:
// with or without a window manager, it opens there.
void CentreOnScreen(QWidget* window);
// Moves a window beside parent, level with its top: on its right where the screen has room,
// else on its left, else against the screen's right edge.
void PlaceBeside(QWidget* window, const QWidget& parent);

} // namespace veldrin
