// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

namespace desktop {

// A control that reaches past its container is clipped there, and the container by its own, up to the
// window. This is the part of a widget that stays in view, in the widget's own coordinates.
QRect visiblePart(const QWidget *widget);

// The visible part less the strips along its edges that controls stacked above the widget in the same
// container cover from side to side (a grid cell laid over the last line of its heading). In the widget's
// own coordinates; hidden controls cover nothing.
QRect uncoveredPart(const QWidget *widget);

// Shrinks a widget to the part of it that stays in view, so that what it lays out inside itself (a scroll
// area's viewport, its scroll bars) is all seen.
void shrinkToVisiblePart(QWidget *widget);

} // namespace desktop
