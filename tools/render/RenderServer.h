#pragma once

#include "platform/RenderProtocol.h"

#include <QPdfDocument>

namespace platform {
class SharedMemory;
}

namespace render {

// The chart reader inside the helper process: answers one request line of the viewer with one reply
// line. Holds the chart opened last; writes page images into the shared memory of the viewer.
class RenderServer {
public:
    explicit RenderServer(platform::SharedMemory *images);
    Q_DISABLE_COPY_MOVE(RenderServer)

    QByteArray handle(const QByteArray &line);

private:
    QByteArray open(const platform::protocol::Message &request);
    QByteArray render(const platform::protocol::Message &request);
    platform::ChartFailure loadFailure(const QString &path);

    platform::SharedMemory *m_images;
    QPdfDocument m_document;
    bool m_isOpen = false;
};

} // namespace render
