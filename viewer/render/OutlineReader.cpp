#include "OutlineReader.h"

#include "ChartFiles.h"
#include "Platform.h"
#include "RenderLog.h"

namespace render {

namespace protocol = viewer::protocol;

QList<viewer::OutlineEntry> readOutline(ReadChart &chart)
{
    // The copy hands the index back as an outline line, which the strict parser then checks. It reads the
    // chart at a position of its own, so that the helper's engine finds the file where it left it.
    const int pageCount = int(chart.pageSizes.size());
    const std::optional<QByteArray> line = platform::runInChildProcess(
        [&] {
            return platform::takeOwnReadingPosition(*chart.file)
                       ? protocol::outlineLine(0, pageCount, chart.engine->outline())
                       : QByteArray();
        },
        OutlineTimeoutMs);
    const protocol::Message read = line ? protocol::parse(*line) : protocol::Message{};
    if (read.kind != protocol::Kind::Outline || read.pageCount != pageCount) {
        qCInfo(lcRender) << "the chart's index could not be read: the chart opens without it";
        return {};
    }
    return read.outline;
}

} // namespace render
