// SPDX-License-Identifier: GPL-3.0-or-later
// The aerodrome data tables and the local flight restrictions.

#include "ChartSymbols.h"
#include "Charts.h"
#include "RunwayDrawing.h"

#include <QPainterPath>
#include <QRandomGenerator>

#include <cmath>

namespace chartgen {

namespace {

constexpr double gap = 4;
constexpr int maximumTableRows = 12;

QString variationText(int variation)
{
    return QStringLiteral("%1° %2")
        .arg(std::abs(variation))
        .arg(variation < 0 ? QLatin1Char('W') : QLatin1Char('E'));
}

QString bearingText(double heading)
{
    const int degrees = static_cast<int>(std::lround(heading)) % 360;
    return QStringLiteral("%1°").arg(degrees == 0 ? 360 : degrees, 3, 10, QLatin1Char('0'));
}

QString ilsIdent(const AirportFacts &facts, qsizetype index)
{
    return QStringLiteral("I") + facts.record.code().mid(2, 2) +
           QChar(u'A' + static_cast<char16_t>(index % 26));
}

Table locationTable(const AirportFacts &facts, double width)
{
    const AirportRecord &r = facts.record;
    Table table{
        {width * 0.2, width * 0.3, width * 0.2, width * 0.3},
        {QStringLiteral("ITEM"), QStringLiteral("DATA"), QStringLiteral("ITEM"), QStringLiteral("DATA")},
        {{QStringLiteral("ICAO CODE"), r.code(), QStringLiteral("ELEVATION"), r.height()},
         {QStringLiteral("NAME"), r.name(), QStringLiteral("MAG VARIATION"), variationText(facts.variation)},
         {QStringLiteral("ARP LATITUDE"), r.latitude(), QStringLiteral("TRANSITION ALT"),
          QStringLiteral("%1 FT").arg(facts.transitionAltitude)},
         {QStringLiteral("ARP LONGITUDE"), r.longitude(), QStringLiteral("TYPES OF TRAFFIC"),
          QStringLiteral("IFR / VFR")},
         {QStringLiteral("OPERATING HOURS"), QStringLiteral("H24"), QStringLiteral("FIRE CATEGORY"),
          QStringLiteral("CAT %1").arg(facts.strips.size() > 1 ? 9 : 7)}},
        5.5,
        6.5};
    return table;
}

Table runwayTable(const AirportFacts &facts, double width)
{
    Table table{{width * 0.1, width * 0.12, width * 0.15, width * 0.1, width * 0.13, width * 0.14,
                 width * 0.12, width * 0.14},
                {QStringLiteral("RWY"), QStringLiteral("BRG"), QStringLiteral("LENGTH (M)"),
                 QStringLiteral("WIDTH (M)"), QStringLiteral("SURFACE"), QStringLiteral("ILS FREQ"),
                 QStringLiteral("ILS CRS"), QStringLiteral("THR ELEV")},
                {},
                5.5,
                6.5};
    for (const RunwayDirection &d : facts.directions.mid(0, maximumTableRows)) {
        table.rows.append({d.designator, bearingText(d.heading), QString::number(qRound(d.length)),
                           QString::number(qRound(d.width)), d.surface,
                           d.ilsFrequency.isEmpty() ? QStringLiteral("-") : d.ilsFrequency,
                           d.ilsCourse.isEmpty() ? QStringLiteral("-") : d.ilsCourse + QStringLiteral("°"),
                           QStringLiteral("%1 FT").arg(facts.elevationFeet)});
    }
    return table;
}

Table declaredDistances(const AirportFacts &facts, double width)
{
    Table table{{width / 5, width / 5, width / 5, width / 5, width / 5},
                {QStringLiteral("RWY"), QStringLiteral("TORA (M)"), QStringLiteral("TODA (M)"),
                 QStringLiteral("ASDA (M)"), QStringLiteral("LDA (M)")},
                {},
                5.5,
                6.5};
    for (const RunwayDirection &d : facts.directions.mid(0, maximumTableRows)) {
        const int length = qRound(d.length);
        table.rows.append({d.designator, QString::number(length), QString::number(length + 60),
                           QString::number(length),
                           QString::number(length - (d.ilsFrequency.isEmpty() ? 0 : 300))});
    }
    return table;
}

Table radioTable(const AirportFacts &facts, double width)
{
    const QString name = facts.record.name().section(QLatin1Char(' '), 0, 0);
    Table table{
        {width * 0.2, width * 0.3, width * 0.2, width * 0.3},
        {QStringLiteral("SERVICE"), QStringLiteral("CALL SIGN"), QStringLiteral("FREQ (MHZ)"),
         QStringLiteral("HOURS / REMARKS")},
        {{QStringLiteral("ATIS"), name + QStringLiteral(" INFORMATION"), facts.radio.atis,
          QStringLiteral("H24")},
         {QStringLiteral("APP"), name + QStringLiteral(" APPROACH"), facts.radio.approach,
          QStringLiteral("H24")},
         {QStringLiteral("TWR"), name + QStringLiteral(" TOWER"), facts.radio.tower, QStringLiteral("H24")},
         {QStringLiteral("GND"), name + QStringLiteral(" GROUND"), facts.radio.ground,
          QStringLiteral("START-UP AND TAXI")},
         {QStringLiteral("VOR/DME"), facts.radio.vorIdent, facts.radio.vor, QStringLiteral("ON AERODROME")}},
        5.5,
        6.5};
    for (qsizetype i = 0; i < facts.directions.size() && i < maximumTableRows; ++i) {
        const RunwayDirection &d = facts.directions[i];
        if (!d.ilsFrequency.isEmpty())
            table.rows.append({QStringLiteral("ILS RWY ") + d.designator, ilsIdent(facts, i), d.ilsFrequency,
                               QStringLiteral("GP 3.00°  CAT I")});
    }
    return table;
}

} // namespace

namespace {

struct Section {
    QString title;
    Table table;
    double height() const { return sectionTitleHeight + 1 + (table.rows.size() + 1) * table.rowHeight + gap; }
};

// The sections in order, split into pages so that no table runs off its page.
QList<QList<Section>> paginate(const QList<Section> &sections, double pageHeight)
{
    QList<QList<Section>> pages{{}};
    double used = 0;
    for (const Section &section : sections) {
        if (!pages.last().isEmpty() && used + section.height() > pageHeight) {
            pages.append(QList<Section>());
            used = 0;
        }
        pages.last().append(section);
        used += section.height();
    }
    return pages;
}

} // namespace

void drawAerodromeData(ChartDocument &document, const AirportFacts &facts)
{
    const QString subtitle = QStringLiteral("AERODROME DATA AND RUNWAY CHARACTERISTICS");
    const QRectF area = ChartDocument::bodyArea();
    const double width = area.width();
    const QList<Section> sections{
        {QStringLiteral("AERODROME LOCATION AND ADMINISTRATIVE DATA"), locationTable(facts, width)},
        {QStringLiteral("RUNWAY PHYSICAL CHARACTERISTICS"), runwayTable(facts, width)},
        {QStringLiteral("DECLARED DISTANCES"), declaredDistances(facts, width)},
        {QStringLiteral("ATS COMMUNICATION FACILITIES AND RADIO NAVIGATION AIDS"), radioTable(facts, width)}};
    const QList<QList<Section>> pages = paginate(sections, area.height() - 1);
    for (const QList<Section> &page : pages) {
        const QRectF body = document.startPage(subtitle, static_cast<int>(pages.size()));
        double y = body.top() + 1;
        for (const Section &section : page) {
            y = drawSectionTitle(document.sheet(), QPointF(body.left(), y), width, section.title);
            y = drawTable(document.sheet(), QPointF(body.left(), y + 1), section.table) + gap;
        }
        if (facts.directions.isEmpty())
            document.sheet().text(QRectF(body.left(), y, width, 8), QStringLiteral("NO RUNWAY DATA"),
                                  {9, true});
    }
}

namespace {

const QColor restrictedRed(200, 0, 0);

QStringList restrictionTexts(const AirportFacts &facts, const QString &area)
{
    const RunwayDirection runway = primaryDirection(facts);
    return {
        QStringLiteral(
            "1. NOISE ABATEMENT. Between 2300 and 0600 local time departures from RWY %1 shall follow "
            "the published SID routes without deviation until passing 4000 FT. Reverse thrust above idle "
            "is not permitted except for safety reasons. Engine run-ups only at the designated place "
            "with prior approval of %2 GROUND.")
            .arg(runway.designator, facts.record.name().section(QLatin1Char(' '), 0, 0)),
        QStringLiteral(
            "2. RESTRICTED AREA %1. The area shown on this page lies close to the aerodrome traffic "
            "zone, from GND to 3000 FT AMSL. It is active during published hours and by NOTAM. Entry is "
            "prohibited without a clearance from %2 APPROACH on %3 MHZ.")
            .arg(area, facts.record.name().section(QLatin1Char(' '), 0, 0), facts.radio.approach),
        QStringLiteral(
            "3. BIRD HAZARD. Concentrations of birds are to be expected in the vicinity of the "
            "aerodrome, mainly at dawn and dusk. Pilots shall report every bird strike to the tower on "
            "%1 MHZ.")
            .arg(facts.radio.tower),
        QStringLiteral(
            "4. GROUND MOVEMENT. Start-up clearance shall be requested from GROUND on %1 MHZ. Taxiing on "
            "the apron only with a marshaller or on the yellow guide lines; follow-me service on request.")
            .arg(facts.radio.ground),
        QStringLiteral(
            "5. TRAINING FLIGHTS. Training flights, touch-and-go and low approaches are subject to "
            "prior permission and are not allowed between 1200 and 1400 local time nor at night."),
    };
}

void drawRestrictedMap(Sheet &sheet, const AirportFacts &facts, const QRectF &box, const QString &area)
{
    sheet.pen(0.3);
    sheet.brush(QColor(250, 250, 245));
    sheet.painter().drawRect(box);
    const MapFrame map(QRectF(-11, -11, 22, 22), box.adjusted(2, 2, -2, -2)); // nautical miles
    const QPointF centre = map.toPage(QPointF(0, 0));
    sheet.pen(0.2, Qt::black, Qt::DashLine);
    sheet.noBrush();
    for (double radius : {5.0, 10.0})
        sheet.painter().drawEllipse(centre, radius * map.scale(), radius * map.scale());
    sheet.text(QRectF(centre + QPointF(-8, -10 * map.scale() + 0.5), QSizeF(16, 4)), QStringLiteral("10 NM"),
               {6, false, Qt::black, Qt::AlignCenter});
    drawRunwayStrips(sheet, map, facts.strips, 1852, RunwayLabels::None);

    QRandomGenerator random(facts.seed ^ 0x8e57u);
    const double bearing = 20 + random.bounded(320);
    QPolygonF world;
    for (int corner = 0; corner < 6; ++corner) {
        const double b = bearing - 25 + corner * 10;
        world << worldDirection(b) * (corner % 2 == 0 ? 5.5 : 6.2);
    }
    for (int corner = 5; corner >= 0; --corner)
        world << worldDirection(bearing - 25 + corner * 10) * 9.5;
    const QPolygonF zone = map.toPage(world);

    QPainterPath outline;
    outline.addPolygon(zone);
    outline.closeSubpath();
    sheet.painter().save();
    sheet.painter().setClipPath(outline);
    sheet.noPen();
    sheet.brush(QColor(255, 215, 215));
    sheet.painter().drawPath(outline);
    sheet.pen(0.25, restrictedRed);
    const QRectF bounds = zone.boundingRect();
    for (double x = bounds.left() - bounds.height(); x < bounds.right(); x += 2.5)
        sheet.painter().drawLine(QPointF(x, bounds.bottom()), QPointF(x + bounds.height(), bounds.top()));
    sheet.painter().restore();
    sheet.pen(0.6, restrictedRed);
    sheet.noBrush();
    sheet.painter().drawPath(outline);

    const QPointF label = map.toPage(worldDirection(bearing) * 7.6);
    symbols::boxedNote(sheet, label - QPointF(9, 4),
                       {area, QStringLiteral("3000 FT AMSL"), QStringLiteral("GND")},
                       {6.5, true, restrictedRed});
    symbols::vor(sheet, map.toPage(QPointF(0.8, -0.8)), false);
    symbols::northArrow(sheet, QPointF(box.right() - 8, box.top() + 8), 9);
    symbols::scaleBar(sheet, QPointF(box.left() + 5, box.bottom() - 8), map.scale(), 1, QStringLiteral("NM"));
}

} // namespace

void drawLocalRestrictions(ChartDocument &document, const AirportFacts &facts)
{
    const QRectF body = document.startPage(QStringLiteral("LOCAL FLIGHT RESTRICTIONS AND PROCEDURES"), 1);
    Sheet &sheet = document.sheet();
    const QString area =
        QStringLiteral("%1 R%2").arg(facts.record.code().left(2)).arg(100 + facts.seed % 800);
    double y = drawSectionTitle(sheet, body.topLeft() + QPointF(0, 1), body.width(),
                                QStringLiteral("LOCAL FLIGHT RESTRICTIONS"));
    for (const QString &paragraph : restrictionTexts(facts, area))
        y = drawParagraph(sheet, QRectF(body.left() + 2, y + 3, body.width() - 4, 0), paragraph, 8);
    y = drawSectionTitle(sheet, QPointF(body.left(), y + 5), body.width(),
                         QStringLiteral("RESTRICTED AREA ") + area);
    const double side = std::min(body.width(), body.bottom() - y - 4);
    drawRestrictedMap(sheet, facts, QRectF(body.center().x() - side / 2, y + 3, side, side), area);
}

} // namespace chartgen
