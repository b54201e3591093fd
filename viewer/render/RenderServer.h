// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AheadDrawer.h"
#include "ChartEngine.h"
#include "ChartFiles.h"
#include "PageCache.h"
#include "RenderProtocol.h"

#include <functional>
#include <optional>

namespace platform {
class SharedMemory;
}

namespace render {

// The chart reader inside the helper process: answers each request line of the viewer with one reply line.
// Writes page images into the shared memory of the viewer: from the page cache when the page was drawn
// before (ahead or for an earlier request), else drawn by the engine of the chart and kept in the cache.
class RenderServer {
public:
    RenderServer(platform::SharedMemory *images, const ChartEngineFactory &engines, qint64 cacheBytes);
    Q_DISABLE_COPY_MOVE(RenderServer)

    QByteArray handle(const QByteArray &line);
    // Work left from the request answered last, done once its reply is on its way: a page drawn for it is
    // compressed into the cache, unless another request waits already (moreWaiting). Pages are drawn ahead
    // again once no request waits.
    void finishRequest(bool moreWaiting);
    AheadDrawer &aheadDrawer() { return m_ahead; }

private:
    QByteArray open(const viewer::protocol::Message &request);
    QByteArray render(const viewer::protocol::Message &request);
    QByteArray outline(const viewer::protocol::Message &request);
    QByteArray drawAhead(const viewer::protocol::Message &request);
    QByteArray drawPage(const viewer::protocol::Message &request, uchar *target);

    platform::SharedMemory *m_images;
    ChartFiles m_charts;
    PageCache m_cache;
    AheadDrawer m_ahead;
    // A page drawn for the request answered last, to keep once its reply is sent.
    std::optional<PageKey> m_toKeep;
    const uchar *m_toKeepRows = nullptr;
};

// Serves the viewer until its standard input ends: attaches the shared page memory named by "--images
// DESCRIPTOR" in arguments, bounds its own memory to "--memory-limit BYTES" (DefaultMemoryLimitBytes when not
// given) and its page cache to "--cache-bytes BYTES" (DefaultCacheBytes; 0 keeps no page), then answers each
// request line on standard input with one reply line on standard output, drawing pages ahead in between. A
// request that needs more memory than that ends the process with an out-of-memory reply to it. beforeRequest,
// when given, sees each request line first.
int serveViewer(const QStringList &arguments,
                const std::function<void(const QByteArray &)> &beforeRequest = {});

} // namespace render
