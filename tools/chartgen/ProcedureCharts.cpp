// SPDX-License-Identifier: GPL-3.0-or-later
// The arrival (STAR) and departure (SID) procedures: one page per runway direction, two or three pages.

#include "ChartSymbols.h"
#include "Charts.h"
#include "RunwayDrawing.h"

#include <cmath>
#include <numbers>

namespace chartgen {

namespace {

constexpr double mapRadius = 44; // nautical miles from the aerodrome to the map edge
constexpr int routesPerPage = 3;
const QColor rangeGrey(140, 140, 140);

QPointF polar(double bearing, double miles)
{
    return worldDirection(bearing) * miles;
}

double bearingBetween(QPointF from, QPointF to)
{
    const QPointF d = to - from;
    const double degrees = std::atan2(d.x(), d.y()) * 180 / std::numbers::pi;
    return std::fmod(degrees + 360, 360);
}

QString courseText(double trueCourse, int variation)
{
    const int magnetic = (static_cast<int>(std::lround(trueCourse)) - variation + 720) % 360;
    return QStringLiteral("%1°").arg(magnetic == 0 ? 360 : magnetic, 3, 10, QLatin1Char('0'));
}

QString legLabel(QPointF from, QPointF to, int variation)
{
    const QPointF d = to - from;
    return courseText(bearingBetween(from, to), variation) + QStringLiteral("  ") +
           QString::number(qRound(std::hypot(d.x(), d.y()))) + QStringLiteral(" NM");
}

int pageCount(const AirportFacts &facts)
{
    return facts.directions.size() <= 2 ? 2 : 3;
}

RunwayDirection pageRunway(const AirportFacts &facts, int page)
{
    if (facts.directions.isEmpty())
        return primaryDirection(facts);
    return facts.directions[page % facts.directions.size()];
}

struct Route {
    QString name;
    QList<QPointF> points; // world, nautical miles
    QStringList fixes;     // one name per point; empty for a point without a fix
    QString altitude;
    QString remark;
};

void drawBackground(Sheet &sheet, const MapFrame &map, const AirportFacts &facts, const QRectF &box)
{
    sheet.pen(0.3);
    sheet.noBrush();
    sheet.painter().drawRect(box);
    const QPointF centre = map.toPage(QPointF(0, 0));
    sheet.pen(0.15, rangeGrey, Qt::DashLine);
    for (int miles : {10, 20, 30, 40}) {
        sheet.painter().drawEllipse(centre, miles * map.scale(), miles * map.scale());
        sheet.text(QRectF(centre + QPointF(1, -miles * map.scale() + 0.3), QSizeF(12, 3)),
                   QString::number(miles) + QStringLiteral(" NM"), {5, false, rangeGrey});
    }
    drawRunwayStrips(sheet, map, facts.strips, 1852, RunwayLabels::None);
    symbols::vor(sheet, centre, true);
    symbols::boxedNote(sheet, centre + QPointF(10, 6),
                       {facts.record.name().section(QLatin1Char(' '), 0, 1),
                        facts.radio.vorIdent + QLatin1Char(' ') + facts.radio.vor},
                       {6, true, QColor(0, 80, 160)});
    symbols::northArrow(sheet, QPointF(box.right() - 8, box.top() + 9), 10);
    symbols::scaleBar(sheet, QPointF(box.left() + 5, box.bottom() - 8), map.scale(), 5, QStringLiteral("NM"));

    const QPointF msa(box.left() + 16, box.top() + 16);
    sheet.pen(0.25);
    sheet.brush(Qt::white);
    sheet.painter().drawEllipse(msa, 12, 12);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        sheet.painter().drawLine(msa, msa + pageDirection(quadrant * 90) * 12);
        const QPointF label = msa + pageDirection(quadrant * 90 + 45) * 6.5;
        sheet.text(QRectF(label - QPointF(5, 2), QSizeF(10, 4)),
                   QString::number(facts.minimumSectorAltitude[quadrant]),
                   {5.5, true, Qt::black, Qt::AlignCenter});
    }
    sheet.text(QRectF(msa.x() - 14, msa.y() + 12.5, 28, 4),
               QStringLiteral("MSA 25 NM ") + facts.radio.vorIdent, {5.5, true, Qt::black, Qt::AlignCenter});
}

void drawRoute(Sheet &sheet, const MapFrame &map, const Route &route, int variation, bool departure)
{
    for (qsizetype i = 0; i + 1 < route.points.size(); ++i) {
        const QPointF from = map.toPage(route.points[i]);
        const QPointF to = map.toPage(route.points[i + 1]);
        symbols::track(sheet, from, to, departure && i == 0 ? 0.5 : 0.35);
        const QPointF d = to - from;
        const double length = std::hypot(d.x(), d.y());
        if (length < 18)
            continue;
        const QPointF normal = QPointF(-d.y(), d.x()) / length;
        const double heading = bearingBetween(route.points[i], route.points[i + 1]);
        sheet.turnedText((from + to) / 2 + normal * 2.4, readableAngle(heading),
                         legLabel(route.points[i], route.points[i + 1], variation), {6, true});
    }
    for (qsizetype i = 0; i < route.points.size() && i < route.fixes.size(); ++i) {
        if (route.fixes[i].isEmpty())
            continue;
        const QPointF at = map.toPage(route.points[i]);
        symbols::fix(sheet, at, i == 0 || i + 1 == route.points.size());
        sheet.text(QRectF(at + QPointF(2, 0.5), QSizeF(24, 3.5)), route.fixes[i], {6.5, true});
    }
}

double drawRouteTable(Sheet &sheet, QPointF at, double width, const QList<Route> &routes, const QString &what)
{
    Table table{{width * 0.14, width * 0.46, width * 0.2, width * 0.2},
                {what, QStringLiteral("ROUTING"), QStringLiteral("ALTITUDE"), QStringLiteral("REMARKS")},
                {},
                7,
                6.5};
    for (const Route &route : routes) {
        QStringList named;
        for (const QString &fix : route.fixes) {
            if (!fix.isEmpty())
                named << fix;
        }
        table.rows.append({route.name, named.join(QStringLiteral(" - DCT ")), route.altitude, route.remark});
    }
    return drawTable(sheet, at, table);
}

QList<Route> arrivalRoutes(const AirportFacts &facts, const RunwayDirection &runway, int page)
{
    const QPointF iaf = polar(runway.heading + 180 + (page % 2 == 0 ? 35 : -35), 17);
    const QString iafName = facts.fixNames[(page * 5 + 4) % facts.fixNames.size()];
    QList<Route> routes;
    for (int i = 0; i < routesPerPage; ++i) {
        const double bearing =
            runway.heading + 180 + (i - 1) * 95 + page * 20 + static_cast<int>(facts.seed % 15);
        const QPointF entry = polar(bearing, 40);
        const QPointF middle = (entry + iaf) / 2 + polar(bearing + 90, 3);
        const QString entryName = facts.fixNames[(page * 5 + i) % facts.fixNames.size()];
        const QString middleName = facts.fixNames[(page * 5 + i + 8) % facts.fixNames.size()];
        routes.append(
            {QStringLiteral("%1 %2%3").arg(entryName).arg(1 + facts.seed % 9).arg(QChar(u'A' + page)),
             {entry, middle, iaf},
             {entryName, middleName, iafName},
             QStringLiteral("AT OR ABV FL%1").arg(110 + 10 * i),
             QStringLiteral("MAX 250 KT BLW FL100")});
    }
    return routes;
}

QList<Route> departureRoutes(const AirportFacts &facts, const RunwayDirection &runway, int page)
{
    const QPointF turn = polar(runway.heading, 6);
    QList<Route> routes;
    for (int i = 0; i < routesPerPage; ++i) {
        const double bearing = runway.heading + (i - 1) * 100 + page * 15 + static_cast<int>(facts.seed % 11);
        const QPointF exit = polar(bearing, 40);
        const QPointF middle = turn + (exit - turn) * 0.45 + polar(bearing - 90, 2);
        const QString exitName = facts.fixNames[(page * 5 + i + 3) % facts.fixNames.size()];
        const QString middleName = facts.fixNames[(page * 5 + i + 11) % facts.fixNames.size()];
        routes.append(
            {QStringLiteral("%1 %2%3").arg(exitName).arg(1 + facts.seed % 7).arg(QChar(u'A' + page)),
             {QPointF(0, 0), turn, middle, exit},
             {QString(), QStringLiteral("D6 ") + facts.radio.vorIdent, middleName, exitName},
             QStringLiteral("INITIAL CLIMB FL%1").arg(60 + 10 * i),
             QStringLiteral("MIN CLIMB GRADIENT 3.3 %")});
    }
    return routes;
}

void drawProcedurePage(ChartDocument &document, const AirportFacts &facts, const QString &subtitle,
                       const QList<Route> &routes, bool departure, int pages)
{
    const QRectF body = document.startPage(subtitle, pages);
    Sheet &sheet = document.sheet();
    const QRectF mapBox(body.left(), body.top() + 1, body.width(), 170);
    const MapFrame map(QRectF(-mapRadius, -mapRadius, 2 * mapRadius, 2 * mapRadius),
                       mapBox.adjusted(1, 1, -1, -1));
    drawBackground(sheet, map, facts, mapBox);
    for (const Route &route : routes)
        drawRoute(sheet, map, route, facts.variation, departure);

    if (!departure && !routes.isEmpty()) {
        const QPointF iaf = routes.first().points.last();
        symbols::holding(sheet, map.toPage(iaf), bearingBetween(iaf, QPointF(0, 0)), 9, true);
        sheet.text(QRectF(map.toPage(iaf) + QPointF(2, 3.5), QSizeF(30, 3.5)),
                   QStringLiteral("IAF  MAX 220 KT"), {6});
        symbols::track(sheet, map.toPage(iaf),
                       map.toPage(QPointF(0, 0)) + (map.toPage(iaf) - map.toPage(QPointF(0, 0))) * 0.25, 0.3,
                       Qt::DashLine);
    }

    double y =
        drawSectionTitle(sheet, QPointF(body.left(), mapBox.bottom() + 3), body.width(),
                         departure ? QStringLiteral("DEPARTURE ROUTES") : QStringLiteral("ARRIVAL ROUTES"));
    y = drawRouteTable(sheet, QPointF(body.left(), y + 1), body.width(), routes,
                       departure ? QStringLiteral("SID") : QStringLiteral("STAR"));
    const QString note =
        departure
            ? QStringLiteral(
                  "Climb on runway heading to D6 %1, then turn as published. Cross every fix at or "
                  "above the altitude shown unless ATC instructs otherwise. Transition altitude %2 FT. "
                  "Radio failure: squawk 7600 and follow the SID to its last fix.")
                  .arg(facts.radio.vorIdent)
                  .arg(facts.transitionAltitude)
            : QStringLiteral(
                  "Expect radar vectors to the final approach after the IAF. Speed limit 250 KT below "
                  "FL100. Transition altitude %1 FT. Radio failure: squawk 7600, proceed to the IAF and "
                  "hold at the last cleared level, then commence the approach.")
                  .arg(facts.transitionAltitude);
    drawParagraph(sheet, QRectF(body.left() + 1, y + 3, body.width() - 2, 0), note, 7.5);
}

} // namespace

void drawArrivals(ChartDocument &document, const AirportFacts &facts)
{
    const int pages = pageCount(facts);
    for (int page = 0; page < pages; ++page) {
        const RunwayDirection runway = pageRunway(facts, page);
        drawProcedurePage(document, facts, QStringLiteral("STAR RWY %1").arg(runway.designator),
                          arrivalRoutes(facts, runway, page), false, pages);
    }
}

void drawDepartures(ChartDocument &document, const AirportFacts &facts)
{
    const int pages = pageCount(facts);
    for (int page = 0; page < pages; ++page) {
        const RunwayDirection runway = pageRunway(facts, page);
        drawProcedurePage(document, facts, QStringLiteral("SID RWY %1").arg(runway.designator),
                          departureRoutes(facts, runway, page), true, pages);
    }
}

} // namespace chartgen
