// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageDrawing.h"

#include "ChartColours.h"
#include "ChartFiles.h"
#include "RenderLog.h"

namespace render {

namespace {

// Below this, a copy of the helper costs more than half the page takes.
constexpr qsizetype LeastSplitPixels = 100000;
// A copy drawing the lower half that takes longer is stopped, and the helper draws that half itself.
constexpr int HalfTimeoutMs = 10000;
const QByteArray Drawn = QByteArrayLiteral("drawn");

// Draws the part and writes its rows from firstRow (of the page) on.
bool drawPart(ReadChart &chart, const viewer::PageRequest &page, QRect part, int firstRow, uchar *target)
{
    const QImage image = chart.engine->draw(page.page, page.pixelSize, page.quarterTurns, part);
    if (image.isNull())
        return false;
    const int skipped = firstRow - part.top();
    const QImage rows(image.constScanLine(skipped), image.width(), image.height() - skipped,
                      image.bytesPerLine(), image.format());
    const qsizetype bytesPerLine = qsizetype(page.pixelSize.width()) * 4;
    viewer::writeOnPaper(rows, target + firstRow * bytesPerLine, bytesPerLine, page.night);
    return true;
}

} // namespace

bool drawPageInto(ReadChart &chart, const viewer::PageRequest &page, uchar *target)
{
    const QSize size = page.pixelSize;
    if (platform::processorCount() < 2 || page.quarterTurns != 0 ||
        qsizetype(size.width()) * size.height() < LeastSplitPixels)
        return drawPart(chart, page, {}, 0, target);
    // Halves of one height, overlapping by a row when the page's is odd: the engine places a part by its
    // height, and two heights would not meet exactly.
    const int half = (size.height() + 1) / 2;
    const QRect upper(0, 0, size.width(), half);
    const QRect lower(0, size.height() - half, size.width(), half);
    std::optional<platform::ChildProcess> copy = platform::startChildProcess(
        [&] {
            return platform::takeOwnReadingPosition(*chart.file) && drawPart(chart, page, lower, half, target)
                       ? Drawn
                       : QByteArray();
        },
        0);
    if (!drawPart(chart, page, upper, 0, target)) {
        if (copy)
            platform::finishChildProcess(*copy, true);
        return false;
    }
    if (copy && platform::awaitChildProcess(*copy, HalfTimeoutMs) == Drawn)
        return true;
    qCInfo(lcRender) << "the lower half of page" << page.page << "was drawn by the helper itself";
    return drawPart(chart, page, lower, half, target);
}

} // namespace render
