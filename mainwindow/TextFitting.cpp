// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFitting.h"

#include <QFontMetricsF>
#include <QRect>
#include <QSizeF>

#include <limits>
#include <optional>

namespace mainwindow {

namespace {

// Sizes tried, from the font's own down to the smallest: 100 %, 95 % ... 60 %.
constexpr int ScaleSteps = 8;

// No cell is wide enough for more characters than this on two lines at the smallest size; a longer value
// is only measured this far, and cut.
constexpr qsizetype LongestFittedValue = 256;

QFont scaledFont(const QFont &font, int step)
{
    const qreal scale = 1.0 - (1.0 - SmallestFontScale) * step / ScaleSteps;
    QFont scaled(font);
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * scale);
    else
        scaled.setPixelSize(std::max(1, qRound(font.pixelSize() * scale)));
    return scaled;
}

// The two lines, broken at a blank, whose wider line is the narrowest, if that one fits the width.
std::optional<QStringList> twoLines(const QString &text, const QFontMetricsF &metrics, qreal width)
{
    std::optional<QStringList> best;
    qreal bestWidth = std::numeric_limits<qreal>::max();
    for (qsizetype blank = text.indexOf(u' '); blank >= 0; blank = text.indexOf(u' ', blank + 1)) {
        const QString first = text.first(blank).trimmed();
        const QString second = text.sliced(blank + 1).trimmed();
        if (first.isEmpty() || second.isEmpty())
            continue;
        const qreal wider = std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (wider <= width && wider < bestWidth) {
            best = QStringList{first, second};
            bestWidth = wider;
        }
    }
    return best;
}

QString cutLine(const QString &text, bool longer, const QFontMetricsF &metrics, qreal width)
{
    QString line = metrics.elidedText(text, Qt::ElideRight, width);
    if (longer && line == text) // the part measured fits, but the value goes on
        line.back() = u'…';
    return line;
}

} // namespace

FittedText fitValue(const QString &text, const QFont &font, const QSizeF &area)
{
    const bool longer = text.size() > LongestFittedValue;
    const QString measured = longer ? text.first(LongestFittedValue) : text;
    if (!longer) {
        for (int step = 0; step <= ScaleSteps; ++step) {
            const QFont candidate = scaledFont(font, step);
            if (QFontMetricsF(candidate).horizontalAdvance(measured) <= area.width())
                return {candidate, {measured}};
        }
        for (int step = 0; step <= ScaleSteps; ++step) {
            const QFont candidate = scaledFont(font, step);
            const QFontMetricsF metrics(candidate);
            // Each line takes at least half of the value, less the blank it is broken at.
            if (2 * metrics.height() > area.height() ||
                metrics.horizontalAdvance(measured) > 2 * area.width() + metrics.horizontalAdvance(u' '))
                continue;
            if (std::optional<QStringList> lines = twoLines(measured, metrics, area.width()))
                return {candidate, *lines};
        }
    }
    const QFont smallest = scaledFont(font, ScaleSteps);
    return {smallest, {cutLine(measured, longer, QFontMetricsF(smallest), area.width())}};
}

QFont largestFittingFont(const QFont &font, const std::function<bool(const QFont &)> &fits)
{
    for (int step = 0; step < ScaleSteps; ++step) {
        QFont candidate = scaledFont(font, step);
        if (fits(candidate))
            return candidate;
    }
    return scaledFont(font, ScaleSteps);
}

QFont headingFont(const QString &text, const QFont &font, const QRect &area, int flags)
{
    return largestFittingFont(font, [&](const QFont &candidate) {
        const QRect needed = QFontMetrics(candidate).boundingRect(area, flags, text);
        return needed.width() <= area.width() && needed.height() <= area.height();
    });
}

} // namespace mainwindow
