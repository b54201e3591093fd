// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace mainwindow {

// Every caption of a window stands whole in the part of its box in view: a heading, an option button's
// caption beside its indicator, a picture button's caption below its picture. Where the caption's font is
// too large for it, it is drawn in a smaller size (down to SmallestFontScale); positions and sizes stay.
// Run once every control of the window is in its place, since a control laid over another hides part of
// it.
void fitCaptions(QWidget *window);

} // namespace mainwindow
