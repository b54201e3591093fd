// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

namespace desktop {

// Layouts are written in twips (1/1440 inch). This is the one place where they become pixels:
// px = twips x logical DPI / 1440, that is 15 twips per pixel at 96 dpi. Qt's high-DPI scaling
// takes it from there.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

int twipsToPixels(int twips);
QRect toPixels(const TwipsRect &rect);

} // namespace desktop
