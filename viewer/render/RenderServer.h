#pragma once

#include "RenderProtocol.h"

#include <QPdfDocument>

#include <functional>

namespace viewer {
class SharedMemory;
}

namespace render {

// The chart reader inside the helper process: answers one request line of the viewer with one reply
// line. Holds the chart opened last; writes page images into the shared memory of the viewer.
class RenderServer {
public:
    explicit RenderServer(viewer::SharedMemory *images);
    Q_DISABLE_COPY_MOVE(RenderServer)

    QByteArray handle(const QByteArray &line);

private:
    QByteArray open(const viewer::protocol::Message &request);
    QByteArray render(const viewer::protocol::Message &request);
    viewer::ChartFailure loadFailure(const QString &path);

    viewer::SharedMemory *m_images;
    QPdfDocument m_document;
    bool m_isOpen = false;
};

// Serves the viewer until its standard input ends: attaches the shared page memory named by "--images
// DESCRIPTOR" in arguments, then answers each request line on standard input with one reply line on standard
// output. beforeRequest, when given, sees each request line first.
int serveViewer(const QStringList &arguments,
                const std::function<void(const QByteArray &)> &beforeRequest = {});

} // namespace render
