#include "OutlineReader.h"

#include "Platform.h"
#include "RenderLog.h"

#include <QPdfBookmarkModel>
#include <QPdfDocument>

#include <algorithm>
#include <utility>

namespace render {

namespace protocol = viewer::protocol;

namespace {

QList<viewer::OutlineEntry> walkOutline(QPdfDocument &document)
{
    QPdfBookmarkModel model;
    model.setDocument(&document);
    QList<viewer::OutlineEntry> entries;
    // Depth first, in the order of the file, without recursion: an index may be nested very deep.
    QList<std::pair<QModelIndex, int>> stack{{QModelIndex(), -1}};
    while (!stack.isEmpty() && entries.size() < protocol::MaxOutlineEntries) {
        const auto [parent, level] = stack.takeLast();
        if (parent.isValid()) {
            const int page = model.data(parent, int(QPdfBookmarkModel::Role::Page)).toInt();
            if (page >= 0 && page < document.pageCount())
                entries.append({protocol::plainOutlineTitle(
                                    model.data(parent, int(QPdfBookmarkModel::Role::Title)).toString()),
                                page, std::min(level, protocol::MaxOutlineLevel)});
        }
        for (int row = model.rowCount(parent) - 1; row >= 0; --row)
            stack.append({model.index(row, 0, parent), level + 1});
    }
    return entries;
}

} // namespace

QList<viewer::OutlineEntry> readOutline(QPdfDocument &document)
{
    // The copy hands the index back as an outline line, which the strict parser then checks.
    const std::optional<QByteArray> line = platform::runInChildProcess(
        [&] { return protocol::outlineLine(0, document.pageCount(), walkOutline(document)); },
        OutlineTimeoutMs);
    const protocol::Message read = line ? protocol::parse(*line) : protocol::Message{};
    if (read.kind != protocol::Kind::Outline || read.pageCount != document.pageCount()) {
        qCInfo(lcRender) << "the chart's index could not be read: the chart opens without it";
        return {};
    }
    return read.outline;
}

} // namespace render
