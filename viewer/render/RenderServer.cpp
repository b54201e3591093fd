// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenderServer.h"

#include "ChartColours.h"
#include "OutlineReader.h"
#include "PageDrawing.h"
#include "Platform.h"
#include "QtPdfEngine.h"
#include "RenderLog.h"

#include <QElapsedTimer>

#include <cstdio>

namespace render {

using viewer::ChartFailure;
namespace protocol = viewer::protocol;

namespace {

// The longest side of a page image the helper draws, in pixels: far beyond any screen or print page.
constexpr int kMaxImageSide = 1 << 15;
constexpr int StandardInput = 0;

qint64 byteOption(const QStringList &arguments, const QString &name, qint64 fallback, qint64 least)
{
    const qsizetype at = arguments.indexOf(name);
    bool ok = false;
    const qint64 bytes = arguments.value(at + 1).toLongLong(&ok);
    return at >= 0 && ok && bytes >= least ? bytes : fallback;
}

} // namespace

RenderServer::RenderServer(platform::SharedMemory *images, const ChartEngineFactory &engines,
                           qint64 cacheBytes)
    : m_images(images)
    , m_charts(engines)
    , m_cache(cacheBytes)
    , m_ahead(m_charts, m_cache)
{}

QByteArray RenderServer::handle(const QByteArray &line)
{
    const protocol::Message request = protocol::parse(line);
    platform::setOutOfMemoryReply(protocol::failedLine(request.serial, ChartFailure::OutOfMemory));
    m_ahead.hold(request.kind != protocol::Kind::DrawAhead);
    switch (request.kind) {
    case protocol::Kind::Open:
        return open(request);
    case protocol::Kind::Render:
        return render(request);
    case protocol::Kind::ReadOutline:
        return outline(request);
    case protocol::Kind::DrawAhead:
        return drawAhead(request);
    default:
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    }
}

void RenderServer::finishRequest(bool moreWaiting)
{
    if (m_toKeep && !moreWaiting)
        m_cache.store(*m_toKeep, m_toKeepRows);
    m_toKeep.reset();
    m_toKeepRows = nullptr;
    if (!moreWaiting)
        m_ahead.hold(false);
}

QByteArray RenderServer::open(const protocol::Message &request)
{
    // A chart picked while it is drawn ahead: its first page comes with its page sizes.
    m_ahead.awaitChart(request.path);
    ChartFailure failure = ChartFailure::None;
    const ReadChart *chart = m_charts.find(request.path, failure);
    if (!chart) {
        qCInfo(lcRender) << "could not open" << request.path << "failure" << int(failure);
        return protocol::failedLine(request.serial, failure);
    }
    qCInfo(lcRender) << "opened" << request.path << "with" << chart->pageSizes.size() << "pages";
    return protocol::openedLine(request.serial, chart->pageSizes);
}

// The index read with the chart's first page drawn ahead comes without reading the chart again.
QByteArray RenderServer::outline(const protocol::Message &request)
{
    ChartFailure failure = ChartFailure::None;
    ReadChart *chart = m_charts.find(request.path, failure);
    if (chart && !chart->outline) {
        chart = m_charts.ready(request.path, failure);
        if (chart)
            chart->outline = readOutline(*chart->engine, *chart->file, int(chart->pageSizes.size()));
    }
    if (!chart)
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    return protocol::outlineLine(request.serial, int(chart->pageSizes.size()),
                                 chart->outline.value_or(QList<viewer::OutlineEntry>()));
}

QByteArray RenderServer::drawAhead(const protocol::Message &request)
{
    m_ahead.setPages(request.ahead);
    return protocol::drawingAheadLine(request.serial);
}

QByteArray RenderServer::render(const protocol::Message &request)
{
    const viewer::PageRequest &page = request.page;
    if (page.pixelSize.isEmpty() || page.pixelSize.width() > kMaxImageSide ||
        page.pixelSize.height() > kMaxImageSide || page.quarterTurns < 0 || page.quarterTurns > 3 ||
        !m_images || !m_images->isValid())
        return protocol::failedLine(request.serial, ChartFailure::TooLarge);
    const qint64 bytes = qint64(page.pixelSize.width()) * page.pixelSize.height() * 4;
    if (request.offset < 0 || request.offset > m_images->size() - bytes)
        return protocol::failedLine(request.serial, ChartFailure::TooLarge);
    uchar *target = m_images->data() + request.offset;
    ChartFailure failure = ChartFailure::None;
    const ReadChart *chart = m_charts.find(request.path, failure);
    if (!chart || page.page < 0 || page.page >= chart->pageSizes.size())
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    m_ahead.awaitPage(request.path, chart->pageSizes, page);
    if (m_cache.fetch({chart->identity, page}, target)) {
        qCInfo(lcRender) << "page" << page.page << "of" << request.path << "from the cache";
        return protocol::renderedLine(request.serial, page.pixelSize);
    }
    return drawPage(request, target);
}

QByteArray RenderServer::drawPage(const protocol::Message &request, uchar *target)
{
    const viewer::PageRequest &page = request.page;
    ChartFailure failure = ChartFailure::None;
    ReadChart *chart = m_charts.ready(request.path, failure);
    if (!chart || page.page >= chart->pageSizes.size())
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    QElapsedTimer clock;
    clock.start();
    if (!drawPageInto(*chart, page, target)) {
        qCInfo(lcRender) << "page" << page.page << "could not be drawn at" << page.pixelSize;
        return protocol::failedLine(request.serial, ChartFailure::PageNotDrawn);
    }
    qCInfo(lcRender) << "page" << page.page << "of" << request.path << "drawn at" << page.pixelSize << "in"
                     << clock.elapsed() << "ms";
    m_toKeep = PageKey{chart->identity, page};
    m_toKeepRows = target;
    return protocol::renderedLine(request.serial, page.pixelSize);
}

int serveViewer(const QStringList &arguments, const std::function<void(const QByteArray &)> &beforeRequest)
{
    platform::SharedMemory images;
    const qsizetype at = arguments.indexOf(QStringLiteral("--images"));
    bool ok = false;
    const int descriptor = arguments.value(at + 1).toInt(&ok);
    if (!(at >= 0 && ok && images.attach(descriptor)))
        qCInfo(lcRender) << "no shared page images: pages cannot be drawn";
    platform::limitMemory(
        byteOption(arguments, QStringLiteral("--memory-limit"), protocol::DefaultMemoryLimitBytes, 1));

    const ChartEngineFactory engines = [] { return std::make_unique<QtPdfEngine>(); };
    // The engine keeps what it readied for the whole run only while one of it exists: this one.
    const std::unique_ptr<ChartEngine> keeper = engines();
    QtPdfEngine::prepare();
    RenderServer server(
        &images, engines,
        byteOption(arguments, QStringLiteral("--cache-bytes"), protocol::DefaultCacheBytes, 0));
    QByteArray input;
    for (;;) {
        AheadDrawer &ahead = server.aheadDrawer();
        const QList<int> ready = platform::waitForInput({StandardInput, ahead.descriptor()}, -1);
        if (ahead.descriptor() >= 0 && ready.contains(ahead.descriptor()))
            ahead.readDrawing();
        if (ready.contains(StandardInput) && !platform::readStandardInput(input))
            break;
        for (qsizetype end = input.indexOf('\n'); end >= 0; end = input.indexOf('\n')) {
            const QByteArray line = input.left(end);
            input.remove(0, end + 1);
            if (beforeRequest)
                beforeRequest(line);
            const QByteArray reply = server.handle(line);
            std::fwrite(reply.constData(), 1, size_t(reply.size()), stdout);
            std::fflush(stdout);
            server.finishRequest(input.contains('\n') ||
                                 !platform::waitForInput({StandardInput}, 0).isEmpty());
        }
    }
    return 0;
}

} // namespace render
