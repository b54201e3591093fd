// SPDX-License-Identifier: GPL-3.0-or-later
// The instrument approach chart and the visual approach chart of the primary runway direction.

#include "ChartSymbols.h"
#include "Charts.h"
#include "RunwayDrawing.h"

#include <QPainterPath>

#include <cmath>

namespace chartgen {

namespace {

constexpr double metresPerMile = 1852;
constexpr double feetPerMile = 318; // a three-degree glide path
constexpr double thresholdCrossing = 50;
constexpr double fafMiles = 6;
constexpr double ifMiles = 10;
constexpr double ctrRadius = 5.5;
const QColor airspace(160, 0, 120);

QPointF polar(double bearing, double miles)
{
    return worldDirection(bearing) * miles;
}

// The landing threshold of the direction, in nautical miles from the aerodrome reference point.
QPointF thresholdOf(const AirportFacts &facts, const RunwayDirection &runway)
{
    for (const RunwayStrip &strip : facts.strips) {
        if (strip.first.designator == runway.designator)
            return strip.axis.p1() / metresPerMile;
        if (strip.secondDesignator == runway.designator)
            return strip.axis.p2() / metresPerMile;
    }
    return polar(runway.heading + 180, runway.length / 2 / metresPerMile);
}

int roundTo(double value, int step)
{
    return static_cast<int>(std::lround(value / step)) * step;
}

struct Approach {
    RunwayDirection runway;
    QPointF threshold;
    bool ils = false;
    QString ident;
    int fafAltitude = 0;
    int decisionAltitude = 0;
    int minimumDescentAltitude = 0;
    QString procedure() const
    {
        return (ils ? QStringLiteral("ILS RWY ") : QStringLiteral("VOR RWY ")) + runway.designator;
    }
};

Approach makeApproach(const AirportFacts &facts)
{
    Approach a;
    a.runway = primaryDirection(facts);
    a.threshold = thresholdOf(facts, a.runway);
    a.ils = !a.runway.ilsFrequency.isEmpty();
    a.ident = a.ils ? QStringLiteral("I") + facts.record.code().mid(2, 2) : facts.radio.vorIdent;
    a.fafAltitude = roundTo(facts.elevationFeet + thresholdCrossing + fafMiles * feetPerMile, 100);
    a.decisionAltitude = facts.elevationFeet + 200;
    a.minimumDescentAltitude = roundTo(facts.elevationFeet + 460, 10);
    return a;
}

void drawPlanView(Sheet &sheet, const AirportFacts &facts, const Approach &a, const QRectF &box)
{
    const double inbound = a.runway.heading;
    const QPointF centre = a.threshold + polar(inbound + 180, 4.5);
    const MapFrame map(QRectF(centre - QPointF(16, 8.5), QSizeF(32, 17)), box);
    sheet.painter().save();
    sheet.painter().setClipRect(box);
    auto at = [&](double miles) { return map.toPage(a.threshold + polar(inbound + 180, miles)); };

    const QPointF side = pageDirection(inbound + 90);
    const QPolygonF feather{at(0.6), at(4.5) + side * 2.2, at(4.0), at(4.5) - side * 2.2};
    sheet.pen(0.2);
    sheet.brush(QColor(225, 225, 225));
    sheet.painter().drawPolygon(feather);
    symbols::track(sheet, at(ifMiles + 4), at(0.4), 0.5);
    drawRunwayStrips(sheet, map, facts.strips, metresPerMile, RunwayLabels::None);

    const QPointF vor = map.toPage(polar(inbound + 90, 1.6));
    symbols::vor(sheet, vor, true);
    const QPointF runwayEnd = a.threshold + polar(inbound, a.runway.length / metresPerMile);
    sheet.pen(0.35, Qt::black, Qt::DashLine);
    sheet.noBrush();
    QPainterPath missed(map.toPage(runwayEnd));
    missed.quadTo(map.toPage(runwayEnd + polar(inbound, 2.5)), vor);
    sheet.painter().drawPath(missed);
    symbols::holding(sheet, vor, inbound + 180, 8, true);

    const QPointF iaf = a.threshold + polar(inbound + 180, ifMiles) + polar(inbound + 250, 6);
    symbols::track(sheet, map.toPage(iaf), at(ifMiles), 0.35);
    symbols::fix(sheet, map.toPage(iaf), true);
    symbols::fix(sheet, at(ifMiles), false);
    symbols::finalApproachFix(sheet, at(fafMiles));
    const TextStyle label{6, true};
    sheet.text(QRectF(map.toPage(iaf) + QPointF(2, 0), QSizeF(26, 3.5)),
               facts.fixNames[0] + QStringLiteral("  IAF"), label);
    sheet.text(QRectF(at(ifMiles) + QPointF(2.5, 0), QSizeF(26, 3.5)),
               facts.fixNames[1] + QStringLiteral("  IF"), label);
    sheet.text(QRectF(at(fafMiles) + QPointF(2.5, 0), QSizeF(30, 3.5)),
               QStringLiteral("D%1 %2  FAF").arg(fafMiles, 0, 'f', 1).arg(a.ident), label);
    sheet.turnedText(at(8) + side * 3, readableAngle(inbound),
                     QString::number(roundTo(inbound - facts.variation, 1)) + QStringLiteral("°"), {8, true});
    symbols::boxedNote(sheet, vor + QPointF(10, 4),
                       {facts.radio.vorIdent + QLatin1Char(' ') + facts.radio.vor},
                       {6, true, QColor(0, 80, 160)});
    sheet.painter().restore();

    sheet.pen(0.3);
    sheet.noBrush();
    sheet.painter().drawRect(box);
    symbols::northArrow(sheet, QPointF(box.right() - 7, box.top() + 8), 9);
    symbols::scaleBar(sheet, QPointF(box.left() + 4, box.bottom() - 7), map.scale(), 1, QStringLiteral("NM"));
}

void drawProfileView(Sheet &sheet, const AirportFacts &facts, const Approach &a, const QRectF &box)
{
    const double ground = box.bottom() - 6;
    const double runwayMiles = a.runway.length / metresPerMile;
    const double perMile = (box.width() - 34) / (ifMiles + 0.5 + runwayMiles + 1.2);
    const double top = a.fafAltitude + 800;
    const double perFoot = (ground - box.top() - 8) / std::max(top - facts.elevationFeet, 100.0);
    auto x = [&](double miles) { return box.left() + 20 + (ifMiles + 0.5 - miles) * perMile; };
    auto y = [&](double feet) { return ground - (feet - facts.elevationFeet) * perFoot; };

    sheet.pen(0.3);
    sheet.noBrush();
    sheet.painter().drawRect(box);
    sheet.brush(QColor(232, 226, 214));
    sheet.noPen();
    sheet.painter().drawRect(QRectF(QPointF(box.left(), ground), QPointF(box.right(), box.bottom())));
    sheet.pen(0.2);
    sheet.brush(Qt::black);
    sheet.painter().drawRect(QRectF(QPointF(x(0), ground - 1), QPointF(x(-runwayMiles), ground)));

    sheet.pen(0.45);
    sheet.painter().drawLine(QPointF(x(ifMiles), y(a.fafAltitude)), QPointF(x(fafMiles), y(a.fafAltitude)));
    sheet.pen(0.6);
    sheet.painter().drawLine(QPointF(x(fafMiles), y(a.fafAltitude)),
                             QPointF(x(0), y(facts.elevationFeet + thresholdCrossing)));
    symbols::finalApproachFix(sheet, QPointF(x(fafMiles), y(a.fafAltitude)));
    for (double miles : {fafMiles, 4.0, 2.0}) {
        const double feet = roundTo(facts.elevationFeet + thresholdCrossing + miles * feetPerMile, 10);
        sheet.pen(0.15, Qt::black, Qt::DashLine);
        sheet.painter().drawLine(QPointF(x(miles), y(feet) - 3), QPointF(x(miles), ground));
        sheet.text(QRectF(x(miles) - 12, y(feet) - 7.5, 24, 3.5),
                   QStringLiteral("D%1 %2").arg(miles, 0, 'f', 1).arg(a.ident),
                   {6, true, Qt::black, Qt::AlignCenter});
        sheet.text(QRectF(x(miles) + 1, y(feet) + 1, 16, 3.5), QStringLiteral("%1'").arg(feet), {6});
    }
    sheet.text(QRectF(x(ifMiles) - 2, y(a.fafAltitude) - 5, 30, 3.5),
               facts.fixNames[1] + QStringLiteral("  %1'").arg(a.fafAltitude), {6, true});
    sheet.turnedText(QPointF(x(3.2), y(facts.elevationFeet + 3.2 * feetPerMile) - 5), 0,
                     a.ils ? QStringLiteral("GS 3.00°") : QStringLiteral("3.00°"), {7, true});
    sheet.text(QRectF(x(0) - 4, ground - 6, 20, 3.5), QStringLiteral("TCH 50'"), {5.5});
    sheet.pen(0.35, Qt::black, Qt::DashLine);
    const QPointF climbStart(x(-runwayMiles), ground - 2);
    sheet.painter().drawLine(climbStart, climbStart + QPointF(12, -14));
    symbols::arrowHead(sheet, climbStart + QPointF(13, -15.2), QPointF(12, -14));
}

void drawMinima(Sheet &sheet, const AirportFacts &facts, const Approach &a, QPointF at, double width)
{
    const QString primary =
        QStringLiteral("%1' (%2')")
            .arg(a.ils ? a.decisionAltitude : a.minimumDescentAltitude)
            .arg((a.ils ? a.decisionAltitude : a.minimumDescentAltitude) - facts.elevationFeet);
    const QString localiser = QStringLiteral("%1' (%2')")
                                  .arg(a.minimumDescentAltitude)
                                  .arg(a.minimumDescentAltitude - facts.elevationFeet);
    QStringList circling{QStringLiteral("CIRCLING")};
    const int visibility[4]{1500, 1600, 2400, 3600};
    for (int cat = 0; cat < 4; ++cat) {
        const int mda = roundTo(facts.elevationFeet + 600 + cat * 100, 10);
        circling << QStringLiteral("%1' (%2')\nVIS %3 M")
                        .arg(mda)
                        .arg(mda - facts.elevationFeet)
                        .arg(visibility[cat]);
    }
    const double column = (width - 40) / 4;
    Table table{{40, column, column, column, column},
                {QStringLiteral("CATEGORY"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                 QStringLiteral("D")},
                {{a.ils ? QStringLiteral("S-ILS ") + a.runway.designator
                        : QStringLiteral("S-VOR ") + a.runway.designator,
                  primary + QStringLiteral("\nRVR 550 M"), primary + QStringLiteral("\nRVR 550 M"),
                  primary + QStringLiteral("\nRVR 550 M"), primary + QStringLiteral("\nRVR 550 M")},
                 {QStringLiteral("S-LOC ") + a.runway.designator, localiser + QStringLiteral("\nRVR 1200 M"),
                  localiser + QStringLiteral("\nRVR 1200 M"), localiser + QStringLiteral("\nRVR 1400 M"),
                  localiser + QStringLiteral("\nRVR 1400 M")},
                 circling},
                8,
                6.5};
    drawTable(sheet, at, table);
}

void drawInstrumentApproach(ChartDocument &document, const AirportFacts &facts)
{
    const Approach a = makeApproach(facts);
    const QRectF body = document.startPage(QStringLiteral("INSTRUMENT APPROACH CHART - ") + a.procedure(), 2);
    Sheet &sheet = document.sheet();
    const double quarter = body.width() / 4;
    const QString course =
        QString::number(roundTo(a.runway.heading - facts.variation, 1)) + QStringLiteral("°");
    const Table frequencies{
        {quarter, quarter, quarter, quarter},
        {QStringLiteral("ATIS ") + facts.radio.atis, QStringLiteral("APP ") + facts.radio.approach,
         QStringLiteral("TWR ") + facts.radio.tower, QStringLiteral("GND ") + facts.radio.ground},
        {{(a.ils ? QStringLiteral("LOC ") + a.ident + QLatin1Char(' ') + a.runway.ilsFrequency
                 : QStringLiteral("VOR ") + facts.radio.vorIdent + QLatin1Char(' ') + facts.radio.vor),
          QStringLiteral("FINAL APCH CRS ") + course,
          QStringLiteral("FAF D%1 %2'").arg(fafMiles, 0, 'f', 1).arg(a.fafAltitude),
          QStringLiteral("TRANS ALT %1'").arg(facts.transitionAltitude)}},
        5.5,
        6.5};
    double y = drawTable(sheet, body.topLeft() + QPointF(0, 1), frequencies);
    y = drawParagraph(
        sheet, QRectF(body.left() + 1, y + 1.5, body.width() - 2, 0),
        QStringLiteral("MISSED APPROACH: Climb straight ahead to 1000 FT, then turn RIGHT direct %1 VOR "
                       "climbing to %2 FT and hold. Contact APP %3.")
            .arg(facts.radio.vorIdent)
            .arg(a.fafAltitude)
            .arg(facts.radio.approach),
        7);
    const QRectF plan(body.left(), y + 2, body.width(), 106);
    drawPlanView(sheet, facts, a, plan);
    const QRectF profile(body.left(), plan.bottom() + 3, body.width(), 52);
    drawProfileView(sheet, facts, a, profile);
    drawMinima(sheet, facts, a, QPointF(body.left(), profile.bottom() + 3), body.width());
}

void drawCircuit(Sheet &sheet, const MapFrame &map, const Approach &a)
{
    const double h = a.runway.heading;
    const QPointF start = a.threshold + polar(h + 180, 1.5);
    const QPointF end = a.threshold + polar(h, a.runway.length / metresPerMile + 1.5);
    const QPointF offset = polar(h - 90, 1.3);
    const QList<QPointF> corners{end, end + offset, start + offset, start};
    sheet.pen(0.45, QColor(0, 120, 0));
    sheet.noBrush();
    QPolygonF circuit;
    for (const QPointF &corner : corners)
        circuit << map.toPage(corner);
    circuit << map.toPage(start);
    sheet.painter().drawPolygon(circuit);
    for (int i = 0; i < 4; ++i) {
        const QPointF from = circuit[i];
        const QPointF to = circuit[(i + 1) % 4];
        symbols::arrowHead(sheet, (from + to) / 2, to - from);
    }
    sheet.turnedText(map.toPage((start + end) / 2 + offset * 1.25), readableAngle(h),
                     QStringLiteral("CIRCUIT 1000 FT AAL"), {6.5, true, QColor(0, 120, 0)});
}

void drawVisualApproach(ChartDocument &document, const AirportFacts &facts)
{
    const Approach a = makeApproach(facts);
    const QRectF body = document.startPage(QStringLiteral("VISUAL APPROACH CHART - ICAO"), 2);
    Sheet &sheet = document.sheet();
    const QRectF box(body.left(), body.top() + 1, body.width(), 176);
    const MapFrame map(QRectF(-ctrRadius - 1.5, -ctrRadius - 1.5, 2 * ctrRadius + 3, 2 * ctrRadius + 3),
                       box.adjusted(1, 1, -1, -1));
    sheet.pen(0.3);
    sheet.brush(QColor(248, 250, 244));
    sheet.painter().drawRect(box);

    const QPointF centre = map.toPage(QPointF(0, 0));
    sheet.pen(0.5, airspace, Qt::DashLine);
    sheet.noBrush();
    sheet.painter().drawEllipse(centre, ctrRadius * map.scale(), ctrRadius * map.scale());
    symbols::boxedNote(
        sheet, centre + QPointF(-16, -ctrRadius * map.scale() + 2),
        {facts.record.code() + QStringLiteral(" CTR  CLASS D"), QStringLiteral("GND - 2000 FT AMSL")},
        {6.5, true, airspace});
    drawRunwayStrips(sheet, map, facts.strips, metresPerMile, RunwayLabels::Designators);
    drawCircuit(sheet, map, a);

    const QPointF entry =
        map.toPage(a.threshold + polar(a.runway.heading + 180, 1.5) + polar(a.runway.heading - 90, 1.3));
    for (int i = 0; i < 4; ++i) {
        const double bearing = 45 + 90 * i + static_cast<int>(facts.seed % 30);
        const QPointF vrp = map.toPage(polar(bearing, ctrRadius + 0.8));
        sheet.pen(0.3, QColor(0, 120, 0), Qt::DashLine);
        sheet.painter().drawLine(vrp, entry);
        symbols::fix(sheet, vrp, true);
        sheet.text(QRectF(vrp + QPointF(2, -1), QSizeF(30, 3.5)),
                   facts.fixNames[12 + i] + QStringLiteral(" (VRP)"), {6.5, true});
    }
    symbols::boxedNote(sheet, QPointF(box.left() + 3, box.top() + 3),
                       {QStringLiteral("TWR ") + facts.radio.tower,
                        QStringLiteral("ATIS ") + facts.radio.atis,
                        QStringLiteral("ELEV ") + facts.record.height()},
                       {6.5, true});
    symbols::northArrow(sheet, QPointF(box.right() - 8, box.top() + 9), 10);
    symbols::scaleBar(sheet, QPointF(box.left() + 5, box.bottom() - 8), map.scale(), 1, QStringLiteral("NM"));

    const double y = drawSectionTitle(sheet, QPointF(body.left(), box.bottom() + 3), body.width(),
                                      QStringLiteral("VFR PROCEDURES"));
    drawParagraph(
        sheet, QRectF(body.left() + 1, y + 2, body.width() - 2, 0),
        QStringLiteral("Two-way radio contact with TWR on %1 MHZ is required before entering the CTR. Enter "
                       "via the visual reporting points at or below 1500 FT AMSL and join the left-hand "
                       "circuit of RWY %2 at 1000 FT above aerodrome level. Avoid overflying built-up areas. "
                       "Special VFR flights by ATC clearance only.")
            .arg(facts.radio.tower, a.runway.designator),
        7.5);
}

} // namespace

void drawApproaches(ChartDocument &document, const AirportFacts &facts)
{
    drawInstrumentApproach(document, facts);
    drawVisualApproach(document, facts);
}

} // namespace chartgen
