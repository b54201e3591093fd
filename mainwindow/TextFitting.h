// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

#include <functional>

class QRect;
class QSizeF;

namespace mainwindow {

// A value as a grid cell draws it: the font, smaller than the cell's own where needed, and one or two
// lines; a value that fits in no way is cut and ends in "…".
struct FittedText {
    QFont font;
    QStringList lines;
};

// The smallest size a value or a heading is drawn in, as a share of the size of its font.
inline constexpr qreal SmallestFontScale = 0.6;

// Fits a value into a text area: on one line, in the font or a smaller size of it down to
// SmallestFontScale; else on two lines broken at a blank, when two lines fit the height; else on one line
// at the smallest size, cut to end in "…".
FittedText fitValue(const QString &text, const QFont &font, const QSizeF &area);

// The largest size of font, down to SmallestFontScale, in which a caption fits: the font itself when it
// fits, else the first smaller size that does, else the smallest size.
QFont largestFittingFont(const QFont &font, const std::function<bool(const QFont &)> &fits);

// The largest size of a heading's font, down to SmallestFontScale, at which its text, wrapped at its blanks
// with the given alignment flags, stands whole in the area.
QFont headingFont(const QString &text, const QFont &font, const QRect &area, int flags);

} // namespace mainwindow
