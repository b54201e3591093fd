// SPDX-License-Identifier: GPL-3.0-or-later
#include "AheadDrawer.h"

#include "ChartColours.h"
#include "ChartFiles.h"
#include "OutlineReader.h"
#include "PageCache.h"
#include "RenderLog.h"

#include <QDataStream>
#include <QIODevice>

namespace render {

using viewer::AheadPage;

namespace {

// What a copy hands back about its page: the version of the chart file it read, the chart's page sizes, the
// page request it drew, the page compressed (empty when the helper kept it already) and the chart's index as
// an outline line (empty when it could not be read).
struct DrawnPage {
    platform::FileIdentity chart;
    QList<QSizeF> pageSizes;
    viewer::PageRequest page;
    QByteArray compressed;
    QByteArray outline;
};

QDataStream &operator<<(QDataStream &stream, const DrawnPage &drawn)
{
    const platform::FileIdentity &id = drawn.chart;
    return stream << id.device << id.inode << id.size << id.modifiedNs << id.changedNs << drawn.pageSizes
                  << drawn.page.page << drawn.page.pixelSize << drawn.page.quarterTurns << drawn.page.night
                  << drawn.compressed << drawn.outline;
}

QDataStream &operator>>(QDataStream &stream, DrawnPage &drawn)
{
    platform::FileIdentity &id = drawn.chart;
    return stream >> id.device >> id.inode >> id.size >> id.modifiedNs >> id.changedNs >> drawn.pageSizes >>
           drawn.page.page >> drawn.page.pixelSize >> drawn.page.quarterTurns >> drawn.page.night >>
           drawn.compressed >> drawn.outline;
}

// The request for the page drawn ahead, when the chart has that page.
std::optional<viewer::PageRequest> requestFor(const AheadPage &ahead, const QList<QSizeF> &pageSizes)
{
    if (ahead.page < 0 || ahead.page >= pageSizes.size())
        return std::nullopt;
    return viewer::protocol::framedPage(ahead, pageSizes.at(ahead.page));
}

} // namespace

AheadDrawer::AheadDrawer(ChartFiles &charts, PageCache &cache)
    : m_charts(charts)
    , m_cache(cache)
{}

AheadDrawer::~AheadDrawer()
{
    finishDrawing(true);
}

void AheadDrawer::setPages(const QList<AheadPage> &pages)
{
    m_pages = pages;
    if (m_drawing && m_pages.contains(*m_drawing))
        m_pages.removeOne(*m_drawing);
    else
        finishDrawing(true);
    startNext();
}

void AheadDrawer::readDrawing()
{
    if (!platform::readChildOutput(m_copy, m_drawn))
        finishDrawing(false);
}

void AheadDrawer::hold(bool held)
{
    if (held != m_held && m_drawing)
        platform::pauseChildProcess(m_copy, held);
    m_held = held;
}

void AheadDrawer::awaitChart(const QString &chart)
{
    if (m_drawing && m_drawing->chart == chart)
        awaitDrawing();
}

void AheadDrawer::awaitPage(const QString &chart, const QList<QSizeF> &pageSizes,
                            const viewer::PageRequest &page)
{
    if (m_drawing && m_drawing->chart == chart && requestFor(*m_drawing, pageSizes) == page)
        awaitDrawing();
}

// Until the page being drawn is done: the copy that draws the next one may be held.
void AheadDrawer::awaitDrawing()
{
    if (m_held)
        platform::pauseChildProcess(m_copy, false);
    const AheadPage awaited = *m_drawing;
    qCInfo(lcRender) << "waiting for page" << awaited.page << "of" << awaited.chart << "being drawn ahead for"
                     << m_clock.elapsed() << "ms";
    while (m_drawing == awaited && !platform::waitForInput({descriptor()}, -1).isEmpty())
        readDrawing();
}

// Runs in the copy: reads the chart through a file of its own, and draws the page unless the helper has it.
QByteArray AheadDrawer::drawInCopy(const AheadPage &ahead) const
{
    viewer::ChartFailure failure = viewer::ChartFailure::None;
    const std::unique_ptr<ReadChart> chart = m_charts.readApart(ahead.chart, failure);
    if (!chart)
        return {};
    DrawnPage drawn{chart->identity, chart->pageSizes, {}, {}, {}};
    const std::optional<viewer::PageRequest> page = requestFor(ahead, chart->pageSizes);
    if (page && !m_cache.contains({drawn.chart, *page})) {
        drawn.page = *page;
        const QImage image = chart->engine->draw(page->page, page->pixelSize, page->quarterTurns, {});
        if (image.isNull())
            return {};
        QImage paper(page->pixelSize, QImage::Format_RGB32);
        viewer::writeOnPaper(image, paper.bits(), paper.bytesPerLine(), page->night);
        drawn.compressed = PageCache::compress(paper.constBits(), page->pixelSize);
    }
    // The index after the page, which it never holds up: it is asked for once the chart is picked.
    const int pageCount = int(chart->pageSizes.size());
    if (const auto outline = readOutline(*chart->engine, *chart->file, pageCount))
        drawn.outline = viewer::protocol::outlineLine(0, pageCount, *outline);
    QByteArray output;
    QDataStream stream(&output, QIODevice::WriteOnly);
    stream << drawn;
    return output;
}

void AheadDrawer::startNext()
{
    while (!m_drawing && !m_pages.isEmpty()) {
        const AheadPage ahead = m_pages.takeFirst();
        if (const ReadChart *chart = m_charts.current(ahead.chart)) {
            const std::optional<viewer::PageRequest> page = requestFor(ahead, chart->pageSizes);
            if (!page || m_cache.contains({chart->identity, *page}))
                continue;
        }
        std::optional<platform::ChildProcess> copy =
            platform::startChildProcess([this, ahead] { return drawInCopy(ahead); }, Niceness);
        if (!copy) {
            qCInfo(lcRender) << "no copy of the helper could be made to draw ahead";
            m_pages.clear();
            return;
        }
        m_copy = *copy;
        if (m_held)
            platform::pauseChildProcess(m_copy, true);
        m_drawing = ahead;
        m_drawn.clear();
        m_clock.start();
    }
}

void AheadDrawer::finishDrawing(bool stop)
{
    if (!m_drawing)
        return;
    const AheadPage ahead = *std::exchange(m_drawing, std::nullopt);
    const bool done = platform::finishChildProcess(m_copy, stop);
    const QByteArray output = std::exchange(m_drawn, {});
    if (done) {
        DrawnPage drawn;
        QDataStream stream(output);
        stream >> drawn;
        if (stream.status() == QDataStream::Ok && !drawn.pageSizes.isEmpty()) {
            m_charts.remember(ahead.chart, drawn.chart, drawn.pageSizes,
                              outlineFromLine(drawn.outline, int(drawn.pageSizes.size())));
            if (!drawn.compressed.isEmpty() && requestFor(ahead, drawn.pageSizes) == drawn.page) {
                m_cache.storeCompressed({drawn.chart, drawn.page}, drawn.compressed);
                qCInfo(lcRender) << "page" << ahead.page << "of" << ahead.chart << "drawn ahead at"
                                 << drawn.page.pixelSize << "in" << m_clock.elapsed() << "ms, kept in"
                                 << drawn.compressed.size() << "bytes; the cache holds" << m_cache.count()
                                 << "pages in" << m_cache.bytes() << "bytes";
            }
        }
    } else if (!stop) {
        qCInfo(lcRender) << "page" << ahead.page << "of" << ahead.chart << "could not be drawn ahead";
    }
    if (!stop)
        startNext();
}

} // namespace render
