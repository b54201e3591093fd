// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QSize>
#include <QSizeF>

namespace viewer {

enum class ZoomMode { FitWidth, FitPage, Custom };

// Logical pixels per point at 100 %.
constexpr qreal PixelsPerPoint = 96.0 / 72.0;

// One zoom step (a key, a toolbar button, a notch of the wheel) and the limits of the zoom, in logical pixels
// per point.
constexpr qreal ZoomStep = 1.25;
constexpr qreal MinScale = 0.25;
constexpr qreal MaxScale = 8;

// Logical pixels kept free between a fitted page and the edges of the page area: the focus frame drawn
// along those edges never covers the page's border.
constexpr int FitMargin = 4;

// A scale as the toolbar shows it, in percent of the page's own size.
int zoomPercent(qreal scale);

// The page size in points after the given clockwise quarter turns.
QSizeF turnedPageSize(QSizeF points, int quarterTurns);
// A point of a page of the given size (in points, from its top-left corner, unturned) on the page turned
// clockwise by the quarter turns, and back.
QPointF turnedPagePoint(QPointF point, QSizeF points, int quarterTurns);
QPointF unturnedPagePoint(QPointF turned, QSizeF points, int quarterTurns);

// Logical pixels per point that fit a page (turned already) into the viewport with FitMargin to spare: the
// whole width (less a scroll bar when the page is then taller than the viewport), the whole page, or the
// custom scale. The page drawn at that scale (its size rounded down) stays inside the margin.
qreal pageScale(QSizeF points, ZoomMode mode, qreal customScale, QSize viewport, int scrollBarExtent);

// A page at a scale: its size on screen and the pixels to render for the device pixel ratio, the
// pixels kept within maxPixels (a capped image is drawn stretched).
struct PageImageSize {
    QSizeF logical;
    QSize pixels;
};
PageImageSize pageImageSize(QSizeF points, qreal scale, qreal devicePixelRatio, qsizetype maxPixels);

// How a viewer fits its pages: the zoom mode (and the scale of Custom), its page area in logical pixels, the
// width of a scroll bar, the device pixel ratio and the clockwise quarter turns of its pages. A page of any
// size has one size in it, so a page can be drawn at the size a viewer will show it before it is asked for.
struct PageFrame {
    ZoomMode zoomMode = ZoomMode::FitWidth;
    qreal customScale = PixelsPerPoint;
    QSize area;
    int scrollBarExtent = 0;
    qreal devicePixelRatio = 1;
    int quarterTurns = 0;

    friend bool operator==(const PageFrame &, const PageFrame &) = default;
};
// A page of the given size in points, unturned, in the frame: turned, scaled as pageScale and sized as
// pageImageSize say.
PageImageSize framedPageSize(QSizeF points, const PageFrame &frame, qsizetype maxPixels);

} // namespace viewer
