// SPDX-License-Identifier: GPL-3.0-or-later
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
    // What the helper keeps of the pages it drew, compressed; 0 keeps none.
    qint64 cacheBytes = protocol::DefaultCacheBytes;
};

// The render helper of the program whose executable lies in programFolder: varnelox-render beside the
// executable (a build or a portable program folder), else in installedHelperFolder, taken relative to
// programFolder (libexec/varnelox of an installed program). When neither holds it, the path beside the
// executable: starting it then fails, and charts are reported as unreadable for a missing reader.
QString findRenderHelper(const QString &programFolder, const QString &installedHelperFolder);

// Talks to the render helper process: reads charts and draws their pages there, never in the program. One
// client serves every viewer of the program, so that one helper (and its pages drawn ahead) serves them all.
// One request at a time goes to the helper; each request gets a serial and ends with exactly one of opened,
// rendered, outlineRead or failed carrying that serial, unless it is cancelled: a cancelled request is never
// reported. The helper is started by startHelper() or by the first request, and restarted when it hangs past
// the limit, runs out of memory or dies. Shared memory for the page images that could not be set up is tried
// again with the next request.
class ChartRenderClient : public QObject {
    Q_OBJECT

public:
    explicit ChartRenderClient(ChartRenderSettings settings, QObject *parent = nullptr);
    ~ChartRenderClient() override;
    Q_DISABLE_COPY_MOVE(ChartRenderClient)

    // Reads a chart: its page sizes.
    quint64 open(const QString &path);
    // Draws a page of the chart, read by the helper when it has not read it yet.
    quint64 render(const QString &path, const PageRequest &page);
    // Reads the index of the chart.
    quint64 readOutline(const QString &path);
    // Has the helper draw pages ahead, at low priority, replacing the pages named before: a later request
    // for one of them is answered at once. Reported by nothing but a failure; 0 when the pages are those
    // named last already.
    quint64 drawAhead(const QList<AheadPage> &pages);
    // Drops a request: its serial is then never reported. One that the helper works on already is given a
    // short grace (supersedeAfterMs from its start) before the helper is restarted to serve those after it.
    void cancel(quint64 serial);
    // Starts the helper now, ahead of the first request; nothing when it runs already.
    void startHelper();

signals:
    // The chart's page sizes in points.
    void opened(quint64 serial, const QList<QSizeF> &pageSizes);
    void rendered(quint64 serial, const QImage &image);
    // The chart's index: empty when it has none or when it could not be read.
    void outlineRead(quint64 serial, const QList<viewer::OutlineEntry> &outline);
    void failed(quint64 serial, viewer::ChartFailure failure);

private:
    enum class JobKind { Open, Render, ReadOutline, DrawAhead };
    struct Job {
        quint64 serial = 0;
        JobKind kind = JobKind::Render;
        QString path;
        PageRequest page;
        QList<AheadPage> ahead;
        int slot = -1;
        bool cancelled = false;
    };

    bool ensureImageMemory();
    void retireHelper();
    quint64 enqueue(Job job);
    void scheduleSend();
    void sendNext();
    QByteArray requestLine(const Job &job) const;
    void readReplies();
    void finishJob(const protocol::Message &reply);
    void report(const Job &job, const protocol::Message &reply);
    void onHelperFinished();
    void onHelperFailedToStart();
    void onDeadline();
    void shortenForWaitingRequests();
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
    bool m_reportLater = false;    // while a request is being sent for its caller
    QList<AheadPage> m_aheadNamed; // the pages to draw ahead named last to the running helper
};

} // namespace viewer
