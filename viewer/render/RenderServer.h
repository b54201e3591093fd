#pragma once

#include "ChartEngine.h"
#include "RenderProtocol.h"

#include <QFile>

#include <functional>
#include <memory>

namespace platform {
class SharedMemory;
}

namespace render {

// The chart reader inside the helper process: answers one request line of the viewer with one reply
// line. Holds the chart opened last and reads its index when asked; writes page images into the shared
// memory of the viewer.
class RenderServer {
public:
    RenderServer(platform::SharedMemory *images, const ChartEngineFactory &engines);
    Q_DISABLE_COPY_MOVE(RenderServer)

    QByteArray handle(const QByteArray &line);

private:
    QByteArray open(const viewer::protocol::Message &request);
    QByteArray render(const viewer::protocol::Message &request);
    QByteArray outline(const viewer::protocol::Message &request);
    viewer::ChartFailure loadFailure(const QString &path);

    platform::SharedMemory *m_images;
    ChartEngineFactory m_engines;
    // The chart opened last, read by the engine through it: declared first, destroyed after it.
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<ChartEngine> m_engine;
    QList<QSizeF> m_pageSizes; // of the chart opened last; empty when none is open
};

// Serves the viewer until its standard input ends: attaches the shared page memory named by "--images
// DESCRIPTOR" in arguments, bounds its own memory to "--memory-limit BYTES" (DefaultMemoryLimitBytes when not
// given), then answers each request line on standard input with one reply line on standard output. A
// request that needs more memory than that ends the process with an out-of-memory reply to it.
// beforeRequest, when given, sees each request line first.
int serveViewer(const QStringList &arguments,
                const std::function<void(const QByteArray &)> &beforeRequest = {});

} // namespace render
