// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunwayLayout.h"

#include "MapFrame.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace chartgen {

namespace {

constexpr double defaultLength = 2000;
constexpr double defaultWidth = 45;
constexpr double metresPerFoot = 0.3048;

double leadingNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)"));
    const auto match = number.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

// A distance as written in the file ("3900 M", "12000 FT") in metres, within the bounds.
double metres(const QString &text, double fallback, double lowest, double highest)
{
    const double value = leadingNumber(text);
    if (value <= 0)
        return fallback;
    const bool feet = text.contains(QStringLiteral("FT"), Qt::CaseInsensitive);
    return std::clamp(feet ? value * metresPerFoot : value, lowest, highest);
}

QChar sideOf(const QString &designator)
{
    const QString trimmed = designator.trimmed();
    return trimmed.isEmpty() || trimmed.back().isDigit() ? QChar() : trimmed.back().toUpper();
}

QChar oppositeSide(QChar side)
{
    if (side == u'L')
        return u'R';
    if (side == u'R')
        return u'L';
    return side;
}

double angleBetween(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

// Where a runway stands among its parallels, seen landing in the group's direction: the lower runway number
// first, then left, centre, right. Sorting by this puts the parallels in order from left to right.
std::pair<double, int> lateralKey(const RunwayDirection &first, const QString &second, double groupHeading)
{
    const QString designator = angleBetween(first.heading, groupHeading) > 90 ? second : first.designator;
    const QChar side = sideOf(designator);
    const int rank = side == u'L' ? 0 : side == u'R' ? 2 : 1;
    return {leadingNumber(designator), rank};
}

struct Pairing {
    RunwayDirection first;
    QString second;
};

QList<Pairing> pairDirections(const QList<RunwayDirection> &directions)
{
    QList<Pairing> pairs;
    QList<bool> used(directions.size(), false);
    for (qsizetype i = 0; i < directions.size(); ++i) {
        if (used[i])
            continue;
        used[i] = true;
        QString second = reciprocalDesignator(directions[i].designator);
        for (qsizetype j = i + 1; j < directions.size(); ++j) {
            if (!used[j] && angleBetween(directions[i].heading, directions[j].heading) > 160 &&
                sideOf(directions[j].designator) == oppositeSide(sideOf(directions[i].designator))) {
                used[j] = true;
                second = directions[j].designator;
                break;
            }
        }
        pairs.append({directions[i], second});
    }
    return pairs;
}

} // namespace

RunwayDirection readRunwayDirection(const RunwayRecord &entry)
{
    RunwayDirection direction;
    direction.designator = entry.designator.trimmed();
    direction.length = metres(entry.length, defaultLength, 300, 6000);
    direction.width = metres(entry.width, defaultWidth, 10, 100);
    direction.surface = entry.surface.isEmpty() ? QStringLiteral("ASPH") : entry.surface;
    direction.ilsFrequency = entry.ilsFrequency.trimmed();
    direction.ilsCourse = entry.ilsCourse.trimmed();
    const double course = leadingNumber(direction.ilsCourse);
    const double number = leadingNumber(direction.designator);
    if (course > 0 && course <= 360 && (number <= 0 || angleBetween(course, number * 10) < 30))
        direction.heading = course;
    else
        direction.heading = std::fmod(std::clamp(number, 0.0, 36.0) * 10, 360.0);
    return direction;
}

QString reciprocalDesignator(const QString &designator)
{
    const QString trimmed = designator.trimmed();
    const int number = static_cast<int>(leadingNumber(trimmed));
    if (number < 1 || number > 36)
        return trimmed;
    const int opposite = number > 18 ? number - 18 : number + 18;
    const QChar side = oppositeSide(sideOf(trimmed));
    return QStringLiteral("%1").arg(opposite, 2, 10, QLatin1Char('0')) +
           (side.isNull() ? QString() : QString(side));
}

QList<RunwayStrip> layOutRunways(const QList<RunwayDirection> &directions)
{
    const QList<Pairing> pairs = pairDirections(directions);

    // Groups of parallel strips, each group placed along the first group's left normal.
    QList<QList<qsizetype>> groups;
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        auto group = std::find_if(groups.begin(), groups.end(), [&](const QList<qsizetype> &g) {
            const double a = pairs[g.first()].first.heading;
            const double b = pairs[i].first.heading;
            return angleBetween(a, b) < 15 || angleBetween(a, b) > 165;
        });
        if (group == groups.end())
            groups.append(QList<qsizetype>{i});
        else
            group->append(i);
    }

    QList<RunwayStrip> strips;
    const double mainHeading = pairs.isEmpty() ? 0 : pairs.first().first.heading;
    const QPointF mainLeft = worldDirection(mainHeading - 90);
    for (qsizetype g = 0; g < groups.size(); ++g) {
        QList<qsizetype> members = groups[g];
        const double groupHeading = pairs[members.first()].first.heading;
        std::stable_sort(members.begin(), members.end(), [&](qsizetype a, qsizetype b) {
            return lateralKey(pairs[a].first, pairs[a].second, groupHeading) <
                   lateralKey(pairs[b].first, pairs[b].second, groupHeading);
        });
        const QPointF groupCentre = mainLeft * (900.0 * g);
        const QPointF groupLeft = worldDirection(groupHeading - 90);
        const double spacing = members.size() > 2 ? 1000 : 1300;
        for (qsizetype k = 0; k < members.size(); ++k) {
            const Pairing &pair = pairs[members[k]];
            const double slot = (members.size() - 1) / 2.0 - k;
            const QPointF centre = groupCentre + groupLeft * (slot * spacing);
            const QPointF half = worldDirection(pair.first.heading) * (pair.first.length / 2);
            strips.append({pair.first, pair.second, QLineF(centre - half, centre + half)});
        }
    }
    return strips;
}

QRectF runwayBounds(const QList<RunwayStrip> &strips, double margin)
{
    if (strips.isEmpty())
        return QRectF(-1000 - margin, -1000 - margin, 2000 + 2 * margin, 2000 + 2 * margin);
    double left = strips.first().axis.x1();
    double right = left;
    double bottom = strips.first().axis.y1();
    double top = bottom;
    for (const RunwayStrip &strip : strips) {
        for (const QPointF &end : {strip.axis.p1(), strip.axis.p2()}) {
            left = std::min(left, end.x());
            right = std::max(right, end.x());
            bottom = std::min(bottom, end.y());
            top = std::max(top, end.y());
        }
    }
    return QRectF(QPointF(left - margin, bottom - margin), QPointF(right + margin, top + margin));
}

} // namespace chartgen
