// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutlineReader.h"

#include "ChartEngine.h"
#include "Platform.h"
#include "RenderLog.h"

#include <QFile>

namespace render {

namespace protocol = viewer::protocol;

std::optional<QList<viewer::OutlineEntry>> readOutline(ChartEngine &engine, QFile &file, int pageCount)
{
    // The copy hands the index back as an outline line, which the strict parser then checks.
    const std::optional<QByteArray> line = platform::runInChildProcess(
        [&] {
            return platform::takeOwnReadingPosition(file)
                       ? protocol::outlineLine(0, pageCount, engine.outline())
                       : QByteArray();
        },
        OutlineTimeoutMs);
    std::optional<QList<viewer::OutlineEntry>> outline =
        outlineFromLine(line.value_or(QByteArray()), pageCount);
    if (!outline)
        qCInfo(lcRender) << "the chart's index could not be read: the chart opens without it";
    return outline;
}

std::optional<QList<viewer::OutlineEntry>> outlineFromLine(const QByteArray &line, int pageCount)
{
    const protocol::Message read = protocol::parse(line);
    if (read.kind != protocol::Kind::Outline || read.pageCount != pageCount)
        return std::nullopt;
    return read.outline;
}

} // namespace render
