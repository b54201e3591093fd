#pragma once

class QWidget;

namespace platform {

// Where a top-level window stands: centred on its screen, and in or out of the top-most band.
void centreOnScreen(QWidget *window);
void setTopMost(QWidget *window, bool onTop);
void bringToForeground(QWidget *window);

} // namespace platform
