#include "RenderServer.h"

#include "ChartColours.h"
#include "OutlineReader.h"
#include "Platform.h"
#include "QtPdfEngine.h"
#include "RenderLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <iostream>
#include <string>

namespace render {

using viewer::ChartFailure;
namespace protocol = viewer::protocol;

namespace {

// The longest side of a page image the helper draws, in pixels: far beyond any screen or print page.
constexpr int kMaxImageSide = 1 << 15;

// Why the file at path cannot be read, looked at without ever opening anything but a regular file.
ChartFailure openFailure(const QString &path, const platform::FileOpening &opened)
{
    switch (opened.problem) {
    case platform::FileProblem::None:
        return ChartFailure::None;
    case platform::FileProblem::Missing:
        return QFileInfo(path).absoluteDir().exists() ? ChartFailure::FileMissing
                                                      : ChartFailure::FolderMissing;
    case platform::FileProblem::PermissionDenied:
        return ChartFailure::PermissionDenied;
    case platform::FileProblem::Folder:
        return ChartFailure::NotAFile;
    case platform::FileProblem::NotRegular:
        return ChartFailure::NotRegularFile;
    case platform::FileProblem::Failed:
        break;
    }
    return ChartFailure::Unreadable;
}

// A PDF file names itself within its first kilobyte.
ChartFailure contentFailure(QFile &file)
{
    if (file.size() == 0)
        return ChartFailure::Empty;
    const bool named = file.read(1024).contains("%PDF-");
    if (!file.seek(0))
        return ChartFailure::Unreadable;
    return named ? ChartFailure::None : ChartFailure::NotPdf;
}

qint64 memoryLimit(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--memory-limit"));
    bool ok = false;
    const qint64 bytes = arguments.value(at + 1).toLongLong(&ok);
    return at >= 0 && ok && bytes > 0 ? bytes : protocol::DefaultMemoryLimitBytes;
}

} // namespace

RenderServer::RenderServer(platform::SharedMemory *images, const ChartEngineFactory &engines)
    : m_images(images)
    , m_engines(engines)
    , m_engine(engines())
{}

QByteArray RenderServer::handle(const QByteArray &line)
{
    const protocol::Message request = protocol::parse(line);
    platform::setOutOfMemoryReply(protocol::failedLine(request.serial, ChartFailure::OutOfMemory));
    switch (request.kind) {
    case protocol::Kind::Open:
        return open(request);
    case protocol::Kind::Render:
        return render(request);
    case protocol::Kind::ReadOutline:
        return outline(request);
    default:
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    }
}

QByteArray RenderServer::open(const protocol::Message &request)
{
    m_pageSizes.clear();
    // A new engine for the new chart, made before the last one goes: the engine keeps what it readied for
    // the whole run only while one exists. The last one's file goes after it.
    std::unique_ptr<ChartEngine> engine = m_engines();
    m_engine = std::move(engine);
    m_file.reset();
    const ChartFailure failure = loadFailure(request.path);
    if (failure != ChartFailure::None) {
        qCInfo(lcRender) << "could not open" << request.path << "failure" << int(failure);
        return protocol::failedLine(request.serial, failure);
    }
    m_pageSizes = m_engine->pageSizes();
    qCInfo(lcRender) << "opened" << request.path << "with" << m_pageSizes.size() << "pages";
    return protocol::openedLine(request.serial, m_pageSizes);
}

QByteArray RenderServer::outline(const viewer::protocol::Message &request)
{
    if (m_pageSizes.isEmpty())
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    return protocol::outlineLine(request.serial, int(m_pageSizes.size()), readOutline(*m_engine));
}

ChartFailure RenderServer::loadFailure(const QString &path)
{
    if (path.isEmpty())
        return ChartFailure::NoFileNamed;
    m_file = std::make_unique<QFile>(path);
    const platform::FileOpening opened = platform::openRegularFile(*m_file);
    if (const ChartFailure failure = openFailure(path, opened); failure != ChartFailure::None)
        return failure;
    if (const ChartFailure failure = contentFailure(*m_file); failure != ChartFailure::None)
        return failure;
    // The engine reads the file that was checked, through the descriptor opened above.
    return m_engine->open(m_file.get());
}

QByteArray RenderServer::render(const protocol::Message &request)
{
    const viewer::PageRequest &page = request.page;
    if (page.page < 0 || page.page >= m_pageSizes.size())
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    if (page.pixelSize.isEmpty() || page.pixelSize.width() > kMaxImageSide ||
        page.pixelSize.height() > kMaxImageSide || page.quarterTurns < 0 || page.quarterTurns > 3 ||
        !m_images || !m_images->isValid())
        return protocol::failedLine(request.serial, ChartFailure::TooLarge);
    const qint64 bytes = qint64(page.pixelSize.width()) * page.pixelSize.height() * 4;
    if (request.offset < 0 || request.offset > m_images->size() - bytes)
        return protocol::failedLine(request.serial, ChartFailure::TooLarge);
    const QImage image = m_engine->draw(page.page, page.pixelSize, page.quarterTurns);
    if (image.isNull()) {
        qCInfo(lcRender) << "page" << page.page << "could not be drawn at" << page.pixelSize;
        return protocol::failedLine(request.serial, ChartFailure::PageNotDrawn);
    }
    viewer::writeOnPaper(image, m_images->data() + request.offset, qsizetype(page.pixelSize.width()) * 4,
                         page.night);
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
    platform::limitMemory(memoryLimit(arguments));
    RenderServer server(&images, [] { return std::make_unique<QtPdfEngine>(); });
    QtPdfEngine::prepare();
    std::ios::sync_with_stdio(false);
    std::string text;
    while (std::getline(std::cin, text)) {
        const QByteArray line = QByteArray::fromStdString(text);
        if (beforeRequest)
            beforeRequest(line);
        const QByteArray reply = server.handle(line);
        std::fwrite(reply.constData(), 1, size_t(reply.size()), stdout);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace render
