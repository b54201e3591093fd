// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>
#include <QtGlobal>

class QImage;

namespace viewer {

// Night colours: the lightness of every colour is inverted while its hue and saturation stay, so white
// paper turns black, black ink turns white and a red restriction stays red.
QRgb nightColour(QRgb colour);

// Lays a rendered page (ARGB32, not premultiplied, transparent where the page has no ink) on white paper
// and writes it as opaque RGB32 rows into target, in night colours when asked. The one copy of a page
// image on its way to the viewer: target is the shared buffer the viewer draws from.
void writeOnPaper(const QImage &page, uchar *target, qsizetype targetBytesPerLine, bool night);

} // namespace viewer
