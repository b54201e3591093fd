#include "VisiblePart.h"

#include <QWidget>

namespace desktop {

QRect visiblePart(const QWidget *widget)
{
    QRect part = widget->rect();
    QPoint origin; // the widget's top-left corner in the coordinates of the container reached so far
    for (const QWidget *child = widget; !child->isWindow() && child->parentWidget();
         child = child->parentWidget()) {
        origin += child->pos();
        part &= child->parentWidget()->rect().translated(-origin);
    }
    return part;
}

void shrinkToVisiblePart(QWidget *widget)
{
    widget->setGeometry(visiblePart(widget).translated(widget->pos()));
}

} // namespace desktop
