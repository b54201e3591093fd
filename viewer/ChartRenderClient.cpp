// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartRenderClient.h"

#include "ImageSlots.h"
#include "Platform.h"
#include "ViewerLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <utility>

namespace viewer {

namespace {

// The helper finds the shared page images at this descriptor (named on its command line).
constexpr int HelperImagesDescriptor = 3;

bool isProgram(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

QString findRenderHelper(const QString &programFolder, const QString &installedHelperFolder)
{
    const QString name = QStringLiteral("varnelox-render");
    const QString beside = QDir(programFolder).filePath(name);
    if (isProgram(beside))
        return beside;
    const QString installed =
        QDir::cleanPath(QDir(programFolder).filePath(installedHelperFolder + u'/' + name));
    return isProgram(installed) ? installed : beside;
}

ChartRenderClient::ChartRenderClient(ChartRenderSettings settings, QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_program(m_settings.helperProgram.isEmpty()
                    ? findRenderHelper(QCoreApplication::applicationDirPath(),
                                       QStringLiteral(VARNELOX_HELPER_FROM_PROGRAM))
                    : m_settings.helperProgram)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &ChartRenderClient::onDeadline);
}

ChartRenderClient::~ChartRenderClient()
{
    if (m_slots)
        m_slots->setReleaseCallback({});
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

quint64 ChartRenderClient::open(const QString &path)
{
    Job job;
    job.kind = JobKind::Open;
    job.path = path;
    return enqueue(job);
}

quint64 ChartRenderClient::render(const QString &path, const PageRequest &page)
{
    Job job;
    job.path = path;
    job.page = page;
    return enqueue(job);
}

quint64 ChartRenderClient::readOutline(const QString &path)
{
    Job job;
    job.kind = JobKind::ReadOutline;
    job.path = path;
    return enqueue(job);
}

quint64 ChartRenderClient::drawAhead(const QList<AheadPage> &pages)
{
    if (pages == m_aheadNamed)
        return 0;
    m_aheadNamed = pages;
    // Only the latest pages to draw ahead count: those still waiting to be sent are replaced.
    m_queue.removeIf([](const Job &job) { return job.kind == JobKind::DrawAhead; });
    Job job;
    job.kind = JobKind::DrawAhead;
    job.ahead = pages;
    return enqueue(job);
}

// The request goes out at once, so that the helper works while the caller goes on (a click's repaints, say);
// whatever sending it reports comes from the event loop, once the caller knows its serial.
quint64 ChartRenderClient::enqueue(Job job)
{
    job.serial = ++m_lastSerial;
    m_queue.append(job);
    shortenForWaitingRequests();
    const bool reportingLater = std::exchange(m_reportLater, true);
    sendNext();
    m_reportLater = reportingLater;
    return job.serial;
}

void ChartRenderClient::scheduleSend()
{
    QMetaObject::invokeMethod(this, &ChartRenderClient::sendNext, Qt::QueuedConnection);
}

void ChartRenderClient::cancel(quint64 serial)
{
    if (serial == 0)
        return;
    m_queue.removeIf([serial](const Job &job) { return job.serial == serial; });
    if (m_inFlight && m_inFlight->serial == serial) {
        m_inFlight->cancelled = true;
        shortenForWaitingRequests();
    }
}

// A request that nobody waits for any more gets a short grace before the helper is restarted for the
// requests behind it.
void ChartRenderClient::shortenForWaitingRequests()
{
    if (!m_inFlight || !m_inFlight->cancelled || m_queue.isEmpty())
        return;
    const qint64 grace = std::max<qint64>(0, m_settings.supersedeAfterMs - m_inFlightClock.elapsed());
    if (grace < m_deadline.remainingTime())
        m_deadline.start(int(grace));
}

// The shared memory for page images, set up afresh when an earlier attempt failed.
bool ChartRenderClient::ensureImageMemory()
{
    if (m_slots && m_slots->isValid())
        return true;
    if (m_slots)
        m_slots->setReleaseCallback({});
    m_slots = ImageSlots::create();
    m_slots->setReleaseCallback([this] { scheduleSend(); });
    return m_slots->isValid();
}

void ChartRenderClient::startHelper()
{
    if (m_process || !ensureImageMemory())
        return;
    auto *process = new QProcess(this);
    m_process = process;
    m_killed = false;
    m_aheadNamed.clear();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    platform::prepareHelperProcess(*process, m_slots->descriptor(), HelperImagesDescriptor);
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        if (process != m_process)
            return;
        if (m_reportLater)
            QMetaObject::invokeMethod(this, &ChartRenderClient::readReplies, Qt::QueuedConnection);
        else
            readReplies();
    });
    connect(process, &QProcess::finished, this, [this, process] {
        if (process == m_process)
            onHelperFinished();
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (process == m_process && error == QProcess::FailedToStart)
            onHelperFailedToStart();
    });
    qCInfo(lcViewer) << "starting the render helper" << m_program;
    process->start(m_program, {QStringLiteral("--images"), QString::number(HelperImagesDescriptor),
                               QStringLiteral("--memory-limit"), QString::number(m_settings.memoryLimitBytes),
                               QStringLiteral("--cache-bytes"), QString::number(m_settings.cacheBytes)});
}

void ChartRenderClient::sendNext()
{
    if (m_inFlight || m_queue.isEmpty())
        return;
    if (!ensureImageMemory()) {
        failAll(ChartFailure::NoPageMemory);
        return;
    }
    startHelper();
    if (!m_process || m_queue.isEmpty())
        return;
    Job job = m_queue.first();
    if (job.kind == JobKind::Render) {
        const QSize size = job.page.pixelSize;
        if (size.isEmpty() || qsizetype(size.width()) * size.height() > protocol::MaxImagePixels) {
            m_queue.removeFirst();
            fail(job, ChartFailure::TooLarge);
            sendNext();
            return;
        }
        job.slot = m_slots->acquire();
        if (job.slot < 0)
            return;
    }
    m_queue.removeFirst();
    m_inFlight = job;
    m_inFlightClock.start();
    m_deadline.start(m_settings.timeoutMs);
    m_process->write(requestLine(job));
    // QProcess writes when the event loop next runs, after whatever the caller does next: the request goes
    // now, so that the helper works meanwhile.
    m_process->waitForBytesWritten(0);
}

QByteArray ChartRenderClient::requestLine(const Job &job) const
{
    switch (job.kind) {
    case JobKind::Open:
        return protocol::openLine(job.serial, job.path);
    case JobKind::ReadOutline:
        return protocol::readOutlineLine(job.serial, job.path);
    case JobKind::DrawAhead:
        return protocol::drawAheadLine(job.serial, job.ahead);
    case JobKind::Render:
        break;
    }
    return protocol::renderLine(job.serial, job.path, job.page, m_slots->offset(job.slot));
}

void ChartRenderClient::readReplies()
{
    while (m_process && m_process->canReadLine()) {
        const protocol::Message reply = protocol::parse(m_process->readLine());
        if (m_inFlight && reply.serial == m_inFlight->serial)
            finishJob(reply);
    }
}

void ChartRenderClient::finishJob(const protocol::Message &reply)
{
    m_deadline.stop();
    const Job job = *std::exchange(m_inFlight, std::nullopt);
    // A helper out of memory ends: the next request starts a new one.
    if (reply.kind == protocol::Kind::Failed && reply.failure == ChartFailure::OutOfMemory)
        retireHelper();
    if (job.cancelled)
        m_slots->release(job.slot);
    else
        report(job, reply);
    sendNext();
}

void ChartRenderClient::report(const Job &job, const protocol::Message &reply)
{
    if (job.kind == JobKind::Open && reply.kind == protocol::Kind::Opened)
        emit opened(job.serial, reply.pageSizes);
    else if (job.kind == JobKind::ReadOutline && reply.kind == protocol::Kind::Outline)
        emit outlineRead(job.serial, reply.outline);
    else if (job.kind == JobKind::Render && reply.kind == protocol::Kind::Rendered &&
             reply.imageSize == job.page.pixelSize)
        emit rendered(job.serial, m_slots->image(job.slot, reply.imageSize));
    else if (reply.kind == protocol::Kind::Failed)
        fail(job, reply.failure);
    else if (job.kind != JobKind::DrawAhead || reply.kind != protocol::Kind::DrawingAhead)
        fail(job, job.kind == JobKind::Render ? ChartFailure::PageNotDrawn : ChartFailure::Damaged);
}

void ChartRenderClient::onHelperFinished()
{
    if (m_killed)
        qCInfo(lcViewer) << "the render helper was stopped after its time-out";
    else if (m_process->exitStatus() == QProcess::CrashExit)
        qCInfo(lcViewer) << "the render helper crashed";
    else
        qCInfo(lcViewer) << "the render helper ended with status" << m_process->exitCode();
    m_process->deleteLater();
    m_process = nullptr;
    m_deadline.stop();
    const bool wasBusy = m_inFlight.has_value();
    if (wasBusy) {
        const Job job = *std::exchange(m_inFlight, std::nullopt);
        if (job.cancelled)
            m_slots->release(job.slot);
        else
            fail(job, m_killed ? ChartFailure::TimedOut : ChartFailure::ReaderStopped);
    }
    // Ready again for the next chart; a helper that dies on its own without work is left down until
    // the next request, so one that cannot start is not restarted over and over.
    if (wasBusy || !m_queue.isEmpty()) {
        qCInfo(lcViewer) << "restarting the render helper";
        startHelper();
    }
    sendNext();
}

void ChartRenderClient::retireHelper()
{
    QProcess *process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->kill();
}

void ChartRenderClient::onHelperFailedToStart()
{
    qCInfo(lcViewer) << "the render helper" << m_program << "could not start:" << m_process->errorString();
    m_process->deleteLater();
    m_process = nullptr;
    m_deadline.stop();
    failAll(ChartFailure::ReaderMissing);
}

void ChartRenderClient::onDeadline()
{
    if (!m_process)
        return;
    qCInfo(lcViewer) << "request" << (m_inFlight ? m_inFlight->serial : 0) << "still running after"
                     << m_inFlightClock.elapsed() << "ms: stopping the render helper";
    m_killed = true;
    m_process->kill();
}

void ChartRenderClient::failAll(ChartFailure failure)
{
    QList<Job> jobs = std::exchange(m_queue, {});
    if (m_inFlight)
        jobs.prepend(*std::exchange(m_inFlight, std::nullopt));
    for (const Job &job : jobs) {
        if (job.cancelled)
            m_slots->release(job.slot);
        else
            fail(job, failure);
    }
}

void ChartRenderClient::fail(Job job, ChartFailure failure)
{
    m_slots->release(job.slot);
    if (!m_reportLater) {
        emit failed(job.serial, failure);
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, serial = job.serial, failure] { emit failed(serial, failure); }, Qt::QueuedConnection);
}

} // namespace viewer
