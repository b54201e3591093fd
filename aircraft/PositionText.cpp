// SPDX-License-Identifier: GPL-3.0-or-later
#include "PositionText.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace aircraft {

namespace {

const QString Separator = QStringLiteral(" · ");
constexpr int TenthsPerDegree = 600;

struct PositionTexts {
    Q_DECLARE_TR_FUNCTIONS(PositionTexts)
};

// "N 42 21.7": degrees and minutes rounded together, so that 59.96 minutes is the next degree.
QString angleText(double degrees, QChar positive, QChar negative, int degreeDigits)
{
    const qint64 tenths = std::llround(std::abs(degrees) * TenthsPerDegree);
    return QStringLiteral("%1 %2 %3.%4")
        .arg(degrees < 0 && tenths != 0 ? negative : positive)
        .arg(tenths / TenthsPerDegree, degreeDigits, 10, QLatin1Char('0'))
        .arg(tenths % TenthsPerDegree / 10, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

QString directionText(const airportdata::Bearing &bearing)
{
    return QStringLiteral("%1°").arg(std::lround(bearing.inDegrees()) % 360, 3, 10, QLatin1Char('0'));
}

QString distanceText(const airportdata::Length &distance)
{
    const double miles = distance.inNauticalMiles();
    constexpr double WholeMilesFrom = 100;
    return QStringLiteral("%1 NM").arg(miles, 0, 'f', miles < WholeMilesFrom ? 1 : 0);
}

QString fixText(const simlink::AircraftReport &fix)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QStringList parts{positionText(*fix.position)};
    if (fix.altitude)
        parts << english.toString(std::llround(fix.altitude->inFeet())) + QStringLiteral(" FT");
    if (fix.groundSpeed)
        parts << QStringLiteral("GS %1 KT").arg(std::lround(fix.groundSpeed->inKnots()));
    if (fix.track)
        parts << QStringLiteral("TRK ") + directionText(*fix.track);
    return parts.join(Separator);
}

} // namespace

QString positionText(const airportdata::GeoPosition &position)
{
    return angleText(position.latitude(), u'N', u'S', 2) + u' ' +
           angleText(position.longitude(), u'E', u'W', 3);
}

QString positionLineText(const simlink::FeedState &state, const std::optional<airportdata::Course> &toAirport,
                         const QString &airportCode)
{
    using Status = simlink::FeedState::Status;
    if (state.status == Status::Off)
        return PositionTexts::tr("SIMULATOR LINK OFF");
    if (state.status == Status::Waiting || !state.fix.position)
        return PositionTexts::tr("NO SIMULATOR");
    QString text = fixText(state.fix);
    if (toAirport)
        text += Separator + distanceText(toAirport->distance) + u' ' + directionText(toAirport->bearing) +
                u' ' + airportCode;
    // First, so that a narrow window still shows it.
    if (state.status == Status::Stale)
        text = PositionTexts::tr("LAST DATA %1").arg(state.lastData.toString(QStringLiteral("HH:mm:ss"))) +
               Separator + text;
    return text;
}

QString feedNote(const simlink::FeedState &state)
{
    QStringList notes = state.problems;
    if (state.otherSender)
        notes << PositionTexts::tr("Another simulator is sending from %1: it is not followed.")
                     .arg(state.otherSender->toString());
    return notes.join(u' ');
}

} // namespace aircraft
