// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportFacts.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <cmath>

namespace chartgen {

namespace {

constexpr int fixCount = 16;

quint32 steadyHash(const QString &text)
{
    quint32 hash = 2166136261u;
    for (QChar c : text) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

QString frequency(QRandomGenerator &random, int lowKhz, int highKhz)
{
    const int channels = (highKhz - lowKhz) / 25;
    const int khz = lowKhz + 25 * static_cast<int>(random.bounded(channels));
    return QStringLiteral("%1.%2").arg(khz / 1000).arg(khz % 1000, 3, 10, QLatin1Char('0'));
}

QString fixName(QRandomGenerator &random)
{
    static const QString consonants = QStringLiteral("BCDFGKLMNPRSTVZ");
    static const QString vowels = QStringLiteral("AEIOU");
    QString name;
    for (int i = 0; i < 5; ++i) {
        const QString &from = i % 2 == 0 ? consonants : vowels;
        name += from[random.bounded(static_cast<int>(from.size()))];
    }
    return name;
}

int elevationInFeet(const QString &height)
{
    static const QRegularExpression number(QStringLiteral("-?\\d+"));
    const auto match = number.match(height);
    if (!match.hasMatch())
        return 0;
    const int value = match.captured().toInt();
    const bool metres = height.contains(
        QRegularExpression(QStringLiteral("\\bM\\b"), QRegularExpression::CaseInsensitiveOption));
    return std::clamp(metres ? static_cast<int>(value / 0.3048) : value, -1500, 15000);
}

// A direction without an ILS course takes the exact reverse of its reciprocal's course when that has one.
void alignWithReciprocals(QList<RunwayDirection> &directions)
{
    for (RunwayDirection &direction : directions) {
        if (!direction.ilsCourse.isEmpty())
            continue;
        const QString reciprocal = reciprocalDesignator(direction.designator);
        for (const RunwayDirection &other : std::as_const(directions)) {
            if (other.designator == reciprocal && !other.ilsCourse.isEmpty())
                direction.heading = std::fmod(other.heading + 180, 360.0);
        }
    }
}

} // namespace

AirportFacts makeAirportFacts(const AirportRecord &record)
{
    AirportFacts facts;
    facts.record = record;
    for (const RunwayRecord &entry : record.runways()) {
        if (!entry.designator.trimmed().isEmpty())
            facts.directions.append(readRunwayDirection(entry));
    }
    alignWithReciprocals(facts.directions);
    facts.strips = layOutRunways(facts.directions);
    facts.seed = steadyHash(record.code());
    QRandomGenerator random(facts.seed);

    facts.radio.tower = frequency(random, 118000, 121400);
    facts.radio.ground = frequency(random, 121600, 122000);
    facts.radio.atis = frequency(random, 126000, 128800);
    facts.radio.approach = frequency(random, 119000, 120900);
    facts.radio.vor = QStringLiteral("%1.%2")
                          .arg(112 + random.bounded(5))
                          .arg(random.bounded(20) * 5, 2, 10, QLatin1Char('0'));
    facts.radio.vorIdent = record.code().mid(1, 3);

    facts.variation = static_cast<int>(random.bounded(7)) - 2;
    facts.elevationFeet = elevationInFeet(record.height());
    facts.transitionAltitude = facts.elevationFeet > 2000 ? 10000 : 6000;
    for (int &altitude : facts.minimumSectorAltitude)
        altitude = (facts.elevationFeet + 1500 + static_cast<int>(random.bounded(40)) * 100) / 100 * 100;
    while (facts.fixNames.size() < fixCount) {
        const QString name = fixName(random);
        if (!facts.fixNames.contains(name))
            facts.fixNames.append(name);
    }
    return facts;
}

RunwayDirection primaryDirection(const AirportFacts &facts)
{
    for (const RunwayDirection &direction : facts.directions) {
        if (!direction.ilsFrequency.isEmpty())
            return direction;
    }
    if (!facts.directions.isEmpty())
        return facts.directions.first();
    return RunwayDirection{QStringLiteral("36"), 0, 2000, 45, QStringLiteral("ASPH"), {}, {}};
}

} // namespace chartgen
