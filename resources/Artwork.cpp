// SPDX-License-Identifier: GPL-3.0-or-later
#include "Artwork.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QResource>

#include <algorithm>

namespace resources {

namespace {

struct PictureEntry {
    const char *name;
    QSize size;
};

PictureEntry entry(Picture picture)
{
    switch (picture) {
    case Picture::TowerIcon:
        return {"tower-icon", {156, 145}};
    case Picture::Banner:
        return {"banner", {205, 207}};
    case Picture::BoxCover:
        return {"box-cover", {400, 573}};
    case Picture::ApproachChart:
        return {"approach-chart", {376, 648}};
    case Picture::Calculator:
        return {"calculator", {32, 32}};
    case Picture::Printer:
        return {"printer", {32, 32}};
    case Picture::BucketAndMop:
        return {"bucket-and-mop", {32, 32}};
    case Picture::AirlinerFs9:
        return {"airliner-fs9", {32, 32}};
    case Picture::ExitDoor:
        return {"exit-door", {57, 57}};
    case Picture::QuestionBadge:
        return {"question-badge", {32, 32}};
    }
    return {"", {}};
}

struct RenderedFile {
    QSize size;
    QImage::Format format;
    QString path;
};

// Every file rendered for the picture at build time, smallest first. A file holds the bare pixels of the
// picture at the size its name gives, in the format its suffix names.
QList<RenderedFile> renderedFiles(Picture picture)
{
    const QString name = QLatin1String(entry(picture).name);
    static const QRegularExpression sizePattern(QStringLiteral("-(\\d+)x(\\d+)\\.(argb32|rgb32)$"));
    QList<RenderedFile> files;
    for (const QString &file : QDir(QStringLiteral(":/art")).entryList({name + QStringLiteral("-*")})) {
        const QRegularExpressionMatch match = sizePattern.match(file);
        if (match.hasMatch() && file.size() == name.size() + match.capturedLength())
            files.append(
                {QSize(match.captured(1).toInt(), match.captured(2).toInt()),
                 match.captured(3) == u"rgb32" ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied,
                 QStringLiteral(":/art/") + file});
    }
    std::sort(files.begin(), files.end(), [](const RenderedFile &a, const RenderedFile &b) {
        return qint64(a.size.width()) * a.size.height() < qint64(b.size.width()) * b.size.height();
    });
    return files;
}

// The file to draw from: the one of exactly that size, else the smallest that covers the size on both
// sides, else the largest.
const RenderedFile *sourceFile(const QList<RenderedFile> &files, QSize size)
{
    const auto exact = std::find_if(files.begin(), files.end(),
                                    [size](const RenderedFile &file) { return file.size == size; });
    if (exact != files.end())
        return &*exact;
    const auto covering = std::find_if(files.begin(), files.end(), [size](const RenderedFile &file) {
        return file.size.width() >= size.width() && file.size.height() >= size.height();
    });
    if (covering != files.end())
        return &*covering;
    return files.isEmpty() ? nullptr : &files.last();
}

// The file's pixels as an image. The pictures are stored uncompressed in the program, so the image reads
// them where they lie, read-only; a copy is made only if the resource compiler ever compressed a file or
// left its pixels off their natural alignment. Null when the file does not hold a whole picture.
QImage loadPixels(const RenderedFile &file)
{
    const QResource resource(file.path);
    const qsizetype lineBytes = qsizetype(file.size.width()) * 4;
    if (!resource.isValid() || resource.uncompressedSize() != lineBytes * file.size.height())
        return {};
    if (resource.compressionAlgorithm() != QResource::NoCompression) {
        const QByteArray pixels = resource.uncompressedData();
        return QImage(reinterpret_cast<const uchar *>(pixels.constData()), file.size.width(),
                      file.size.height(), lineBytes, file.format)
            .copy();
    }
    const QImage image(resource.data(), file.size.width(), file.size.height(), lineBytes, file.format);
    return quintptr(resource.data()) % alignof(quint32) == 0 ? image : image.copy();
}

} // namespace

QSize naturalSize(Picture picture)
{
    return entry(picture).size;
}

QList<QSize> renderedSizes(Picture picture)
{
    QList<QSize> sizes;
    for (const RenderedFile &file : renderedFiles(picture))
        sizes.append(file.size);
    return sizes;
}

QPixmap render(Picture picture, QSize size)
{
    if (size.isEmpty())
        return {};
    const QList<RenderedFile> files = renderedFiles(picture);
    const RenderedFile *file = sourceFile(files, size);
    if (!file)
        return {};
    const QImage image = loadPixels(*file);
    if (image.isNull())
        return {};
    if (file->size == size)
        return QPixmap::fromImage(image);
    return QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace resources
