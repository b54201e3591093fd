#pragma once

#include "RenderProtocol.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

class QProcess;

namespace viewer {

class ImageSlots;

// Where the render helper is and how long it may take. Tests point the viewer at a stand-in helper and
// shorten the limits.
struct ChartRenderSettings {
    // Empty: the program's own render helper (findRenderHelper).
    QString helperProgram;
    // A request that takes longer ends with the helper restarted.
    int timeoutMs = 10000;
    // A request that a newer chart made obsolete gets this long from its start before the helper is
    // restarted to serve the newer one.
    int supersedeAfterMs = 300;
    // The memory the helper may take: a chart that needs more is reported as too large to draw.
    qint64 memoryLimitBytes = protocol::DefaultMemoryLimitBytes;
};

// The render helper of the program whose executable lies in programFolder: varnelox-render beside the
// executable (a build or a portable program folder), else in installedHelperFolder, taken relative to
// programFolder (libexec/varnelox of an installed program). When neither holds it, the path beside the
// executable: starting it then fails, and charts are reported as unreadable for a missing reader.
QString findRenderHelper(const QString &programFolder, const QString &installedHelperFolder);

// Talks to the render helper process: reads charts and draws their pages there, never in the program.
// One request at a time goes to the helper; each request gets a serial and ends with exactly one of
// opened, rendered, outlineRead or failed carrying that serial, unless it is dropped before it was sent (by a
// newer open() or by cancel()): a dropped request is never reported. The helper is started by startHelper()
// or by the first request, and restarted when it hangs past the limit, runs out of memory or dies. Shared
// memory for the page images that could not be set up is tried again with the next request.
class ChartRenderClient : public QObject {
    Q_OBJECT

public:
    explicit ChartRenderClient(ChartRenderSettings settings, QObject *parent = nullptr);
    ~ChartRenderClient() override;
    Q_DISABLE_COPY_MOVE(ChartRenderClient)

    // Reads a chart. Every earlier request still waiting to be sent is dropped, unreported; one already with
    // the helper is given a short grace before the helper is restarted to serve this one.
    quint64 open(const QString &path);
    // Draws a page of the chart opened last.
    quint64 render(const PageRequest &page);
    // Reads the index of the chart opened last, after every request made before.
    quint64 readOutline();
    // Drops a request still waiting to be sent; its serial is then never reported.
    void cancel(quint64 serial);
    // Starts the helper now, ahead of the first request; nothing when it runs already.
    void startHelper();

    static qsizetype maxImagePixels();

signals:
    // The chart's page sizes in points.
    void opened(quint64 serial, const QList<QSizeF> &pageSizes);
    void rendered(quint64 serial, const QImage &image);
    // The chart's index: empty when it has none or when it could not be read.
    void outlineRead(quint64 serial, const QList<viewer::OutlineEntry> &outline);
    void failed(quint64 serial, viewer::ChartFailure failure);

private:
    enum class JobKind { Open, Render, ReadOutline };
    struct Job {
        quint64 serial = 0;
        JobKind kind = JobKind::Render;
        QString path;
        PageRequest page;
        int slot = -1;
    };

    bool ensureImageMemory();
    void retireHelper();
    quint64 enqueue(Job job);
    void scheduleSend();
    void sendNext();
    QByteArray requestLine(const Job &job) const;
    void readReplies();
    void finishJob(const protocol::Message &reply);
    void onHelperFinished();
    void onHelperFailedToStart();
    void onDeadline();
    void failAll(ChartFailure failure);
    void fail(Job job, ChartFailure failure);

    ChartRenderSettings m_settings;
    QString m_program;
    std::shared_ptr<ImageSlots> m_slots;
    QProcess *m_process = nullptr;
    QList<Job> m_queue;
    std::optional<Job> m_inFlight;
    QElapsedTimer m_inFlightClock;
    QTimer m_deadline;
    bool m_killed = false;
    quint64 m_lastSerial = 0;
};

} // namespace viewer
