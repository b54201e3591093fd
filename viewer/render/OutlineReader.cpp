// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutlineReader.h"

#include "ChartEngine.h"
#include "Platform.h"
#include "RenderLog.h"

namespace render {

namespace protocol = viewer::protocol;

QList<viewer::OutlineEntry> readOutline(ChartEngine &engine)
{
    // The copy hands the index back as an outline line, which the strict parser then checks.
    const int pageCount = int(engine.pageSizes().size());
    const std::optional<QByteArray> line = platform::runInChildProcess(
        [&] { return protocol::outlineLine(0, pageCount, engine.outline()); }, OutlineTimeoutMs);
    const protocol::Message read = line ? protocol::parse(*line) : protocol::Message{};
    if (read.kind != protocol::Kind::Outline || read.pageCount != pageCount) {
        qCInfo(lcRender) << "the chart's index could not be read: the chart opens without it";
        return {};
    }
    return read.outline;
}

} // namespace render
