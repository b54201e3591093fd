#include "RenderServer.h"

#include "ChartColours.h"
#include "EngineMemory.h"
#include "EngineWarmUp.h"
#include "OutlineReader.h"
#include "Platform.h"
#include "RenderLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLoggingCategory>

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

QPdfDocumentRenderOptions::Rotation rotation(int quarterTurns)
{
    switch (quarterTurns) {
    case 1:
        return QPdfDocumentRenderOptions::Rotation::Clockwise90;
    case 2:
        return QPdfDocumentRenderOptions::Rotation::Clockwise180;
    case 3:
        return QPdfDocumentRenderOptions::Rotation::Clockwise270;
    default:
        return QPdfDocumentRenderOptions::Rotation::None;
    }
}

} // namespace

RenderServer::RenderServer(platform::SharedMemory *images)
    : m_images(images)
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
    m_document.close();
    m_file.reset();
    m_isOpen = false;
    const ChartFailure failure = loadFailure(request.path);
    if (failure != ChartFailure::None) {
        qCInfo(lcRender) << "could not open" << request.path << "failure" << int(failure);
        return protocol::failedLine(request.serial, failure);
    }
    qCInfo(lcRender) << "opened" << request.path << "with" << m_document.pageCount() << "pages";
    m_isOpen = true;
    QList<QSizeF> sizes;
    for (int page = 0; page < m_document.pageCount(); ++page)
        sizes.append(m_document.pagePointSize(page));
    return protocol::openedLine(request.serial, sizes);
}

QByteArray RenderServer::outline(const viewer::protocol::Message &request)
{
    if (!m_isOpen)
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    return protocol::outlineLine(request.serial, m_document.pageCount(), readOutline(m_document));
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
    m_document.load(m_file.get());
    switch (m_document.error()) {
    case QPdfDocument::Error::None:
        break;
    case QPdfDocument::Error::FileNotFound:
        return ChartFailure::FileMissing;
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        return ChartFailure::Password;
    default:
        return ChartFailure::Damaged;
    }
    if (m_document.status() != QPdfDocument::Status::Ready)
        return m_document.pageCount() == 0 ? ChartFailure::NoPages : ChartFailure::Damaged;
    return m_document.pageCount() > 0 ? ChartFailure::None : ChartFailure::NoPages;
}

QByteArray RenderServer::render(const protocol::Message &request)
{
    const viewer::PageRequest &page = request.page;
    if (!m_isOpen || page.page < 0 || page.page >= m_document.pageCount())
        return protocol::failedLine(request.serial, ChartFailure::NoDocument);
    if (page.pixelSize.isEmpty() || page.pixelSize.width() > kMaxImageSide ||
        page.pixelSize.height() > kMaxImageSide || page.quarterTurns < 0 || page.quarterTurns > 3 ||
        !m_images || !m_images->isValid())
        return protocol::failedLine(request.serial, ChartFailure::TooLarge);
    const qint64 bytes = qint64(page.pixelSize.width()) * page.pixelSize.height() * 4;
    if (request.offset < 0 || request.offset > m_images->size() - bytes)
        return protocol::failedLine(request.serial, ChartFailure::TooLarge);
    QPdfDocumentRenderOptions options;
    options.setRotation(rotation(page.quarterTurns));
    QImage image = m_document.render(page.page, page.pixelSize, options);
    if (image.size() != page.pixelSize) {
        qCInfo(lcRender) << "page" << page.page << "could not be drawn at" << page.pixelSize;
        return protocol::failedLine(request.serial, ChartFailure::PageNotDrawn);
    }
    if (image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
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
    if (!platform::keepEngineMemory(&QPdfDocument::staticMetaObject))
        qCInfo(lcRender)
            << "the PDF engine's library was not found: its memory goes back to the system as it asks";
    // The engine warns about every odd entry of a chart's index, thousands of lines for a malformed one.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.pdf.bookmarks.warning=false"));

    // The engine keeps what the warm-up readied only while a document exists: the server's holds it.
    RenderServer server(&images);
    if (!warmUpEngine())
        qCInfo(lcRender) << "the PDF engine could not be readied: the first chart takes longer";
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
