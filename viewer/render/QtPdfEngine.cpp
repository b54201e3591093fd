// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPdfEngine.h"

#include "EngineMemory.h"
#include "EngineWarmUp.h"
#include "QpdfOutline.h"
#include "RenderLog.h"

namespace render {

using viewer::ChartFailure;

namespace {

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

void QtPdfEngine::prepare()
{
    if (!platform::keepEngineMemory(&QPdfDocument::staticMetaObject))
        qCInfo(lcRender)
            << "the PDF engine's library was not found: its memory goes back to the system as it asks";
    if (!warmUpEngine())
        qCInfo(lcRender) << "the PDF engine could not be readied: the first chart takes longer";
}

ChartFailure QtPdfEngine::open(QIODevice *file)
{
    m_document.close();
    m_file = file;
    m_document.load(file);
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

QList<QSizeF> QtPdfEngine::pageSizes() const
{
    QList<QSizeF> sizes;
    for (int page = 0; page < m_document.pageCount(); ++page)
        sizes.append(m_document.pagePointSize(page));
    return sizes;
}

QImage QtPdfEngine::draw(int page, QSize pixelSize, int quarterTurns, QRect part)
{
    QPdfDocumentRenderOptions options;
    options.setRotation(rotation(quarterTurns));
    const bool whole = part.isEmpty();
    if (!whole) {
        if (quarterTurns != 0 || !QRect(QPoint(), pixelSize).contains(part))
            return {};
        options.setScaledSize(pixelSize);
        options.setScaledClipRect(part);
    }
    const QSize imageSize = whole ? pixelSize : part.size();
    QImage image = m_document.render(page, imageSize, options);
    if (image.size() != imageSize)
        return {};
    if (image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    return image;
}

QList<viewer::OutlineEntry> QtPdfEngine::outline()
{
    if (!m_file || m_document.status() != QPdfDocument::Status::Ready)
        return {};
    return readQpdfOutline(*m_file, m_document.pageCount());
}

} // namespace render
