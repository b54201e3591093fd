#include "OutlineReader.h"

#include "ChartFiles.h"
#include "Platform.h"
#include "RenderLog.h"

namespace render {

namespace protocol = viewer::protocol;

std::optional<QList<viewer::OutlineEntry>> readOutline(ReadChart &chart)
{
    // The copy reads the chart at a position of its own, so that the helper's engine finds the file where it
    // left it.
    const int pageCount = int(chart.pageSizes.size());
    const std::optional<QByteArray> line = platform::runInChildProcess(
        [&] {
            return platform::takeOwnReadingPosition(*chart.file) ? outlineInLine(*chart.engine, pageCount)
                                                                 : QByteArray();
        },
        OutlineTimeoutMs);
    std::optional<QList<viewer::OutlineEntry>> outline =
        outlineFromLine(line.value_or(QByteArray()), pageCount);
    if (!outline)
        qCInfo(lcRender) << "the chart's index could not be read: the chart opens without it";
    return outline;
}

QByteArray outlineInLine(ChartEngine &engine, int pageCount)
{
    return protocol::outlineLine(0, pageCount, engine.outline());
}

std::optional<QList<viewer::OutlineEntry>> outlineFromLine(const QByteArray &line, int pageCount)
{
    const protocol::Message read = protocol::parse(line);
    if (read.kind != protocol::Kind::Outline || read.pageCount != pageCount)
        return std::nullopt;
    return read.outline;
}

} // namespace render
