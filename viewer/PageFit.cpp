// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageFit.h"

#include <QtMath>

#include <algorithm>

namespace viewer {

QSizeF turnedPageSize(QSizeF points, int quarterTurns)
{
    return quarterTurns % 2 == 0 ? points : points.transposed();
}

QPointF turnedPagePoint(QPointF point, QSizeF points, int quarterTurns)
{
    switch ((quarterTurns % 4 + 4) % 4) {
    case 1:
        return {points.height() - point.y(), point.x()};
    case 2:
        return {points.width() - point.x(), points.height() - point.y()};
    case 3:
        return {point.y(), points.width() - point.x()};
    default:
        return point;
    }
}

QPointF unturnedPagePoint(QPointF turned, QSizeF points, int quarterTurns)
{
    switch ((quarterTurns % 4 + 4) % 4) {
    case 1:
        return {turned.y(), points.height() - turned.x()};
    case 2:
        return {points.width() - turned.x(), points.height() - turned.y()};
    case 3:
        return {points.width() - turned.y(), turned.x()};
    default:
        return turned;
    }
}

qreal pageScale(QSizeF points, ZoomMode mode, qreal customScale, QSize viewport, int scrollBarExtent)
{
    if (points.isEmpty() || viewport.isEmpty())
        return PixelsPerPoint;
    const qreal width = std::max(1, viewport.width() - 2 * FitMargin);
    const qreal height = std::max(1, viewport.height() - 2 * FitMargin);
    const qreal widthScale = width / points.width();
    switch (mode) {
    case ZoomMode::FitWidth:
        if (points.height() * widthScale <= height)
            return widthScale;
        return std::max<qreal>(1, width - scrollBarExtent) / points.width();
    case ZoomMode::FitPage:
        return std::min(widthScale, height / points.height());
    case ZoomMode::Custom:
        break;
    }
    return customScale;
}

int zoomPercent(qreal scale)
{
    return qRound(scale / PixelsPerPoint * 100);
}

PageImageSize pageImageSize(QSizeF points, qreal scale, qreal devicePixelRatio, qsizetype maxPixels)
{
    const QSizeF logical(std::max<qreal>(1, std::floor(points.width() * scale)),
                         std::max<qreal>(1, std::floor(points.height() * scale)));
    QSizeF pixels = logical * devicePixelRatio;
    const qreal area = pixels.width() * pixels.height();
    if (area > qreal(maxPixels))
        pixels *= std::sqrt(qreal(maxPixels) / area);
    return {logical, QSize(std::max(1, int(pixels.width())), std::max(1, int(pixels.height())))};
}

PageImageSize framedPageSize(QSizeF points, const PageFrame &frame, qsizetype maxPixels)
{
    const QSizeF turned = turnedPageSize(points, frame.quarterTurns);
    const qreal scale =
        pageScale(turned, frame.zoomMode, frame.customScale, frame.area, frame.scrollBarExtent);
    return pageImageSize(turned, scale, frame.devicePixelRatio, maxPixels);
}

} // namespace viewer
