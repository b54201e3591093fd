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

QString pngFile(Picture picture, QSize size)
{
    return QStringLiteral(":/art/%1-%2x%3.png")
        .arg(QLatin1String(entry(picture).name))
        .arg(size.width())
        .arg(size.height());
}

// The PNG to scale from: the smallest that covers the size on both sides, else the largest.
QSize sourceSize(Picture picture, QSize size)
{
    const QList<QSize> sizes = renderedSizes(picture);
    const auto covering = std::find_if(sizes.begin(), sizes.end(), [size](QSize rendered) {
        return rendered.width() >= size.width() && rendered.height() >= size.height();
    });
    if (covering != sizes.end())
        return *covering;
    return sizes.isEmpty() ? QSize() : sizes.last();
}

} // namespace

QSize naturalSize(Picture picture)
{
    return entry(picture).size;
}

QList<QSize> renderedSizes(Picture picture)
{
    const QString name = QLatin1String(entry(picture).name);
    static const QRegularExpression sizePattern(QStringLiteral("-(\\d+)x(\\d+)\\.png$"));
    QList<QSize> sizes;
    for (const QString &file : QDir(QStringLiteral(":/art")).entryList({name + QStringLiteral("-*.png")})) {
        const QRegularExpressionMatch match = sizePattern.match(file);
        if (match.hasMatch() && file.size() == name.size() + match.capturedLength())
            sizes.append(QSize(match.captured(1).toInt(), match.captured(2).toInt()));
    }
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) {
        return qint64(a.width()) * a.height() < qint64(b.width()) * b.height();
    });
    return sizes;
}

QPixmap render(Picture picture, QSize size)
{
    if (size.isEmpty())
        return {};
    if (QImage exact(pngFile(picture, size)); !exact.isNull())
        return QPixmap::fromImage(std::move(exact));
    const QImage source(pngFile(picture, sourceSize(picture, size)));
    if (source.isNull())
        return {};
    return QPixmap::fromImage(source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace resources
