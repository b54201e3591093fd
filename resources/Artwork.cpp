#include "Artwork.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>

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
    QString path;
};

// Every file rendered for the picture at build time, smallest first: opaque pictures are stored
// uncompressed (BMP), since they are the largest and decoding their PNG held up the start.
QList<RenderedFile> renderedFiles(Picture picture)
{
    const QString name = QLatin1String(entry(picture).name);
    static const QRegularExpression sizePattern(QStringLiteral("-(\\d+)x(\\d+)\\.(png|bmp)$"));
    QList<RenderedFile> files;
    for (const QString &file : QDir(QStringLiteral(":/art")).entryList({name + QStringLiteral("-*")})) {
        const QRegularExpressionMatch match = sizePattern.match(file);
        if (match.hasMatch() && file.size() == name.size() + match.capturedLength())
            files.append({QSize(match.captured(1).toInt(), match.captured(2).toInt()),
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
    QImage image(file->path);
    if (image.isNull())
        return {};
    if (file->size == size)
        return QPixmap::fromImage(std::move(image));
    return QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace resources
