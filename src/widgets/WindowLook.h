#pragma once

#include <QColor>

class QWidget;

// The look that every window of the program shares.
namespace WindowLook {
inline const QColor kWindowColor(0xE9, 0xE9, 0xE9);
// Common window colour; dialogs also get the small fixed frame of a tool window.
void applyToWindow(QWidget &window, bool dialog);
} // namespace WindowLook
