// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

class QRect;

class QWidget;

namespace desktop {

// A window with a fixed single border: title bar, system menu, minimise and close boxes, no maximise box.
inline constexpr Qt::WindowFlags FixedBorderWindow = Qt::Window | Qt::WindowTitleHint |
                                                     Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                                     Qt::WindowCloseButtonHint;

// A window the user can resize by its edges and maximise.
inline constexpr Qt::WindowFlags ResizableWindow = FixedBorderWindow | Qt::WindowMaximizeButtonHint;

// Whether a screen holds the whole of a window's client area, in screen coordinates (the area a desktop
// leaves to windows, panels excluded).
bool fitsOnAScreen(const QRect &geometry);

// Where a top-level window stands: centred on its screen, and in or out of the top-most band.
void centreOnScreen(QWidget *window);
void setTopMost(QWidget *window, bool onTop);
void bringToForeground(QWidget *window);

} // namespace desktop
