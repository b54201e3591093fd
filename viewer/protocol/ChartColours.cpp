// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartColours.h"

#include <QImage>

#include <algorithm>

namespace viewer {

// Inverting each channel inverts the lightness and turns the hue half round; mirroring every channel
// about the mean of the largest and smallest turns the hue back. Both steps together give
// c' = c + 255 - (max + min), which keeps the saturation as well.
QRgb nightColour(QRgb colour)
{
    const int r = qRed(colour);
    const int g = qGreen(colour);
    const int b = qBlue(colour);
    const int shift = 255 - std::max({r, g, b}) - std::min({r, g, b});
    return qRgba(r + shift, g + shift, b + shift, qAlpha(colour));
}

namespace {

inline QRgb onWhite(QRgb pixel)
{
    const uint alpha = qAlpha(pixel);
    if (alpha == 255)
        return pixel;
    const auto blend = [alpha](uint channel) { return 255 - (alpha * (255 - channel) + 127) / 255; };
    return qRgb(int(blend(qRed(pixel))), int(blend(qGreen(pixel))), int(blend(qBlue(pixel))));
}

} // namespace

void writeOnPaper(const QImage &page, uchar *target, qsizetype targetBytesPerLine, bool night)
{
    const int width = page.width();
    for (int y = 0; y < page.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(target + y * targetBytesPerLine);
        if (night) {
            for (int x = 0; x < width; ++x)
                out[x] = nightColour(onWhite(in[x]));
        } else {
            for (int x = 0; x < width; ++x)
                out[x] = onWhite(in[x]);
        }
    }
}

} // namespace viewer
