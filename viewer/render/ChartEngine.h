// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

#include <QImage>

#include <functional>
#include <memory>

class QIODevice;

namespace render {

// The PDF engine as the render helper uses it: one chart at a time, read through a file that stays open while
// the engine reads it. Reading and drawing charts, their caching and the order of the work never name the
// engine behind this.
class ChartEngine {
public:
    ChartEngine() = default;
    virtual ~ChartEngine() = default;
    Q_DISABLE_COPY_MOVE(ChartEngine)

    // Reads the chart in file (open for reading, checked to be a PDF file): None when it has pages to draw.
    virtual viewer::ChartFailure open(QIODevice *file) = 0;
    // The size of each page, in points.
    virtual QList<QSizeF> pageSizes() const = 0;
    // A page drawn at the pixel size, turned clockwise by quarterTurns (0 to 3): ARGB32, transparent where
    // the page has no ink. Only the part of it given, when part is not empty (the image is then of part's
    // size; an unturned page only). A null image when it cannot be drawn.
    virtual QImage draw(int page, QSize pixelSize, int quarterTurns, QRect part) = 0;
    // The chart's index in reading order: the entries that lead to a page of the chart, at most
    // protocol::MaxOutlineEntries, titles and levels as the file gives them. It may never return for a file
    // whose index loops: callers protect themselves (readOutline).
    virtual QList<viewer::OutlineEntry> outline() = 0;
};

using ChartEngineFactory = std::function<std::unique_ptr<ChartEngine>()>;

} // namespace render
