#include "resources/Artwork.h"

#include <QPainter>

namespace resources {

QSize naturalSize(Picture picture)
{
    switch (picture) {
    case Picture::TowerIcon:
        return {156, 145};
    case Picture::Banner:
        return {205, 207};
    case Picture::BoxCover:
        return {400, 573};
    case Picture::ApproachChart:
        return {376, 648};
    case Picture::ExitDoor:
        return {57, 57};
    default:
        return {32, 32};
    }
}

QPixmap render(Picture picture, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(QColor(40 * static_cast<int>(picture) % 255, 90, 160));
    return pixmap;
}

} // namespace resources
