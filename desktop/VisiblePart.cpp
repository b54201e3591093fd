// SPDX-License-Identifier: GPL-3.0-or-later
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

QRect uncoveredPart(const QWidget *widget)
{
    QRect part = visiblePart(widget).translated(widget->pos());
    const QWidget *container = widget->parentWidget();
    if (!container)
        return part.translated(-widget->pos());
    const QObjectList &stack = container->children(); // bottom of the stacking order first
    for (qsizetype index = stack.indexOf(widget) + 1; index < stack.size(); ++index) {
        const auto *above = qobject_cast<const QWidget *>(stack.at(index));
        if (!above || above->isWindow() || above->isHidden())
            continue;
        const QRect cover = above->geometry() & part;
        if (cover.isEmpty())
            continue;
        if (cover.left() == part.left() && cover.right() == part.right()) {
            if (cover.bottom() == part.bottom())
                part.setBottom(cover.top() - 1);
            else if (cover.top() == part.top())
                part.setTop(cover.bottom() + 1);
        } else if (cover.top() == part.top() && cover.bottom() == part.bottom()) {
            if (cover.right() == part.right())
                part.setRight(cover.left() - 1);
            else if (cover.left() == part.left())
                part.setLeft(cover.right() + 1);
        }
    }
    return part.translated(-widget->pos());
}

void shrinkToVisiblePart(QWidget *widget)
{
    widget->setGeometry(visiblePart(widget).translated(widget->pos()));
}

} // namespace desktop
