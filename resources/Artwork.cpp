#include "Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace resources {

namespace {

struct PictureEntry {
    const char *file;
    QSize size;
};

PictureEntry entry(Picture picture)
{
    switch (picture) {
    case Picture::TowerIcon:
        return {":/art/tower-icon.svg", {156, 145}};
    case Picture::Banner:
        return {":/art/banner.svg", {205, 207}};
    case Picture::BoxCover:
        return {":/art/box-cover.svg", {400, 573}};
    case Picture::ApproachChart:
        return {":/art/approach-chart.svg", {376, 648}};
    case Picture::Calculator:
        return {":/art/calculator.svg", {32, 32}};
    case Picture::Printer:
        return {":/art/printer.svg", {32, 32}};
    case Picture::BucketAndMop:
        return {":/art/bucket-and-mop.svg", {32, 32}};
    case Picture::AirlinerFs9:
        return {":/art/airliner-fs9.svg", {32, 32}};
    case Picture::ExitDoor:
        return {":/art/exit-door.svg", {57, 57}};
    case Picture::QuestionBadge:
        return {":/art/question-badge.svg", {32, 32}};
    }
    return {"", {}};
}

} // namespace

QSize naturalSize(Picture picture)
{
    return entry(picture).size;
}

QPixmap render(Picture picture, QSize size)
{
    if (size.isEmpty())
        return {};
    QSvgRenderer renderer(QString::fromLatin1(entry(picture).file));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

} // namespace resources
