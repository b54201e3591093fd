// SPDX-License-Identifier: GPL-3.0-or-later
// The aerodrome chart (runways, taxiways, apron to scale) and the type A obstacle chart.

#include "ChartSymbols.h"
#include "Charts.h"
#include "RunwayDrawing.h"

#include <QRandomGenerator>

#include <cmath>

namespace chartgen {

namespace {

const QColor grass(234, 242, 226);
const QColor taxiwayGrey(170, 170, 170);
const QColor apronGrey(200, 200, 200);
const QColor taxiwayYellow(230, 190, 0);
constexpr double taxiwayOffset = 190; // metres from the runway centre line
constexpr double apronOffset = 300;
constexpr double apronDepth = 230;

// The side of a strip where its taxiway runs: the right of the aerodrome's main landing direction, so that
// parallel runways all have their taxiways on the same side.
QPointF sideOf(const RunwayStrip &strip, double mainHeading)
{
    const double heading = strip.first.heading;
    const double difference = std::fmod(std::abs(heading - mainHeading), 360.0);
    const bool reversed = difference > 90 && difference < 270;
    return worldDirection(heading + (reversed ? -90 : 90));
}

// The strip the apron lies beside: the one furthest out on the taxiway side among the main runway's
// parallels.
const RunwayStrip &apronStrip(const QList<RunwayStrip> &strips)
{
    const double mainHeading = strips.first().first.heading;
    const QPointF side = sideOf(strips.first(), mainHeading);
    const RunwayStrip *best = &strips.first();
    for (const RunwayStrip &strip : strips) {
        const QPointF along = worldDirection(strip.first.heading);
        const bool parallel = std::abs(QPointF::dotProduct(along, worldDirection(mainHeading))) > 0.96;
        if (parallel && QPointF::dotProduct(strip.axis.center() - best->axis.center(), side) > 0)
            best = &strip;
    }
    return *best;
}

void drawTaxiways(Sheet &sheet, const MapFrame &map, const QList<RunwayStrip> &strips)
{
    if (strips.isEmpty())
        return;
    const double width = std::max(23 * map.scale(), 0.8);
    char letter = 'A';
    for (const RunwayStrip &strip : strips) {
        const QPointF offset = sideOf(strip, strips.first().first.heading) * taxiwayOffset;
        const QLineF parallel(strip.axis.p1() + offset, strip.axis.p2() + offset);
        QList<QLineF> lines{parallel};
        for (double t : {0.0, 1.0 / 3, 2.0 / 3, 1.0})
            lines.append(QLineF(strip.axis.pointAt(t), parallel.pointAt(t)));
        sheet.pen(width, taxiwayGrey);
        for (const QLineF &line : lines)
            sheet.painter().drawLine(map.toPage(line.p1()), map.toPage(line.p2()));
        sheet.pen(0.12, taxiwayYellow);
        for (const QLineF &line : lines)
            sheet.painter().drawLine(map.toPage(line.p1()), map.toPage(line.p2()));
        for (double t : {0.0, 1.0 / 3, 2.0 / 3, 1.0}) {
            const QPointF at = map.toPage(QLineF(strip.axis.pointAt(t), parallel.pointAt(t)).pointAt(0.6));
            const QRectF tag(at + QPointF(1.2, -1.8), QSizeF(3.2, 3.6));
            sheet.noPen();
            sheet.brush(Qt::black);
            sheet.painter().drawRect(tag);
            sheet.text(tag, QString(QLatin1Char(letter)), {6.5, true, QColor(255, 210, 0), Qt::AlignCenter});
            letter = letter == 'Z' ? 'A' : static_cast<char>(letter + 1);
        }
    }
}

void drawApron(Sheet &sheet, const MapFrame &map, const QList<RunwayStrip> &strips)
{
    const RunwayStrip &strip = apronStrip(strips);
    const QPointF side = sideOf(strip, strips.first().first.heading);
    const QPointF centre = strip.axis.center() + side * (apronOffset + apronDepth / 2);
    const QPointF along = worldDirection(strip.first.heading);
    const double halfLength = strip.first.length * 0.2;
    auto corner = [&](double a, double s) {
        return centre + along * (halfLength * a) + side * (apronDepth / 2 * s);
    };
    const QPolygonF apron{corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1)};
    sheet.pen(0.25);
    sheet.brush(apronGrey);
    sheet.painter().drawPolygon(map.toPage(apron));

    const QPointF terminalCentre = centre + side * (apronDepth / 2 + 50);
    const QPolygonF terminal{terminalCentre + along * (halfLength * 0.8) + side * 30,
                             terminalCentre + along * (halfLength * 0.8) - side * 30,
                             terminalCentre - along * (halfLength * 0.8) - side * 30,
                             terminalCentre - along * (halfLength * 0.8) + side * 30};
    sheet.brush(QColor(90, 90, 90));
    sheet.painter().drawPolygon(map.toPage(terminal));

    sheet.pen(0.15);
    for (int stand = 0; stand < 8; ++stand) {
        const QPointF base = corner(-0.85 + stand * 0.24, 1);
        sheet.painter().drawLine(map.toPage(base), map.toPage(base - side * (apronDepth * 0.45)));
    }
    sheet.turnedText(map.toPage(centre - side * apronDepth * 0.2), readableAngle(strip.first.heading),
                     QStringLiteral("APRON"), {7, true});
    const QPointF tower = map.toPage(corner(1.15, 1.2));
    sheet.pen(0.3);
    sheet.brush(Qt::white);
    sheet.painter().drawEllipse(tower, 1.4, 1.4);
    sheet.brush(Qt::black);
    sheet.painter().drawEllipse(tower, 0.5, 0.5);
    sheet.text(QRectF(tower + QPointF(2, -2), QSizeF(12, 4)), QStringLiteral("TWR"), {6.5, true});
}

void drawChartInfo(Sheet &sheet, const AirportFacts &facts, const QRectF &body)
{
    const AirportRecord &r = facts.record;
    const TextStyle style{6.5, true};
    double x = body.left();
    for (const QStringList &lines :
         {QStringList{QStringLiteral("TWR  ") + facts.radio.tower,
                      QStringLiteral("GND  ") + facts.radio.ground},
          QStringList{QStringLiteral("ATIS  ") + facts.radio.atis,
                      QStringLiteral("APP  ") + facts.radio.approach},
          QStringList{QStringLiteral("ARP  ") + r.latitude(), QStringLiteral("       ") + r.longitude()},
          QStringList{QStringLiteral("ELEV  ") + r.height(), QStringLiteral("VAR  %1° %2")
                                                                 .arg(std::abs(facts.variation))
                                                                 .arg(facts.variation < 0 ? 'W' : 'E')}}) {
        x = symbols::boxedNote(sheet, QPointF(x, body.top() + 1), lines, style).right() + 3;
    }
}

} // namespace

void drawAerodromeChart(ChartDocument &document, const AirportFacts &facts)
{
    const QRectF body = document.startPage(QStringLiteral("AERODROME CHART - ICAO"), 1);
    Sheet &sheet = document.sheet();
    drawChartInfo(sheet, facts, body);

    const QRectF mapArea(body.left() + 2, body.top() + 16, body.width() - 4, body.height() - 36);
    const QRectF world = runwayBounds(facts.strips, 800);
    const MapFrame map(world, mapArea);
    const QRectF field = runwayBounds(facts.strips, 650);
    const QPolygonF boundary{field.topLeft(), field.topRight(), field.bottomRight(), field.bottomLeft()};
    sheet.pen(0.3, QColor(0, 110, 0), Qt::DashLine);
    sheet.brush(grass);
    sheet.painter().drawPolygon(map.toPage(boundary));

    drawTaxiways(sheet, map, facts.strips);
    if (!facts.strips.isEmpty())
        drawApron(sheet, map, facts.strips);
    drawRunwayStrips(sheet, map, facts.strips, 1, RunwayLabels::DesignatorsAndLengths);
    if (facts.strips.isEmpty())
        sheet.text(mapArea, QStringLiteral("NO RUNWAY DATA"), {12, true, Qt::black, Qt::AlignCenter});

    symbols::northArrow(sheet, QPointF(body.right() - 8, body.top() + 24), 12);
    const double step = map.scale() * 250 > 12 ? 250 : 500;
    symbols::scaleBar(sheet, QPointF(body.left() + 4, body.bottom() - 16), map.scale(), step,
                      QStringLiteral("M"));

    QStringList notes;
    for (const RunwayStrip &strip : facts.strips)
        notes << QStringLiteral("RWY %1/%2  %3 x %4 M  %5")
                     .arg(strip.first.designator, strip.secondDesignator)
                     .arg(qRound(strip.first.length))
                     .arg(qRound(strip.first.width))
                     .arg(strip.first.surface);
    notes << QStringLiteral("TWY WIDTH 23 M  -  APRON CONCRETE");
    symbols::boxedNote(sheet, QPointF(body.right() - 70, body.bottom() - 8 - notes.size() * 3.4), notes, {6});
}

namespace {

struct Obstacle {
    QString type;
    double distance; // metres beyond the runway end
    double lateral;  // metres right of the extended centre line
    double height;   // metres above the runway
    bool beyondSecond;
    bool lit;
};

QList<Obstacle> makeObstacles(const AirportFacts &facts)
{
    static const QStringList types{QStringLiteral("ANTENNA"),  QStringLiteral("TREE"),
                                   QStringLiteral("BUILDING"), QStringLiteral("MAST"),
                                   QStringLiteral("POLE"),     QStringLiteral("HANGAR"),
                                   QStringLiteral("CRANE"),    QStringLiteral("CHIMNEY")};
    QRandomGenerator random(facts.seed ^ 0x0b57u);
    QList<Obstacle> obstacles;
    for (int i = 0; i < 8; ++i) {
        const double distance = 250 + random.bounded(4000);
        const double spread = 90 + distance * 0.125;
        const double lateral = (random.generateDouble() * 2 - 1) * spread;
        const double height = std::max(6.0, distance * 0.012 * (0.45 + random.generateDouble() * 0.75));
        obstacles.append({types[random.bounded(static_cast<int>(types.size()))], distance, lateral,
                          std::round(height), i % 2 == 1, random.bounded(2) == 1});
    }
    std::sort(obstacles.begin(), obstacles.end(), [](const Obstacle &a, const Obstacle &b) {
        return std::tie(a.beyondSecond, a.distance) < std::tie(b.beyondSecond, b.distance);
    });
    return obstacles;
}

constexpr double areaLength = 5000;         // metres of take-off flight path area shown beyond each end
constexpr double lateralExaggeration = 2.5; // the plan is drawn wider than its length scale

struct RunwayAxis {
    double left;  // page x of the first threshold
    double right; // page x of the second threshold
    double mmPerMetre;
    double x(const Obstacle &o) const
    {
        return o.beyondSecond ? right + o.distance * mmPerMetre : left - o.distance * mmPerMetre;
    }
};

void drawObstaclePlan(Sheet &sheet, const RunwayAxis &axis, double centreY, const QList<Obstacle> &obstacles,
                      const RunwayDirection &runway, const QString &second)
{
    auto area = [&](double end, double sign) {
        const double far = end + sign * areaLength * axis.mmPerMetre;
        const double nearHalf = 90 * axis.mmPerMetre * lateralExaggeration;
        const double farHalf = (90 + areaLength * 0.125) * axis.mmPerMetre * lateralExaggeration;
        return QPolygonF{QPointF(end, centreY - nearHalf), QPointF(far, centreY - farHalf),
                         QPointF(far, centreY + farHalf), QPointF(end, centreY + nearHalf)};
    };
    sheet.pen(0.25, Qt::black, Qt::DashLine);
    sheet.brush(QColor(245, 245, 245));
    sheet.painter().drawPolygon(area(axis.left, -1));
    sheet.painter().drawPolygon(area(axis.right, 1));
    sheet.pen(0.2);
    sheet.brush(QColor(60, 60, 60));
    sheet.painter().drawRect(QRectF(QPointF(axis.left, centreY - 1.2), QPointF(axis.right, centreY + 1.2)));
    sheet.pen(0.15, Qt::white, Qt::DashLine);
    sheet.painter().drawLine(QPointF(axis.left + 1, centreY), QPointF(axis.right - 1, centreY));
    sheet.text(QRectF(axis.left + 1, centreY - 7, 20, 4), QStringLiteral("RWY ") + runway.designator,
               {7, true});
    sheet.text(QRectF(axis.right - 21, centreY - 7, 20, 4), QStringLiteral("RWY ") + second,
               {7, true, Qt::black, Qt::AlignRight | Qt::AlignVCenter});

    for (qsizetype i = 0; i < obstacles.size(); ++i) {
        const QPointF at(axis.x(obstacles[i]),
                         centreY + obstacles[i].lateral * axis.mmPerMetre * lateralExaggeration);
        sheet.pen(0.25);
        sheet.brush(Qt::white);
        sheet.painter().drawEllipse(at, 1.8, 1.8);
        sheet.text(QRectF(at - QPointF(2, 2), QSizeF(4, 4)), QString::number(i + 1),
                   {5.5, true, Qt::black, Qt::AlignCenter});
    }
    sheet.text(QRectF(axis.left, centreY + 26, axis.right - axis.left, 4),
               QStringLiteral("LATERAL SCALE x2.5"), {5.5, false, Qt::black, Qt::AlignCenter});
    sheet.painter().save();
    sheet.painter().translate((axis.left + axis.right) / 2, centreY - 14);
    sheet.painter().rotate(90 - runway.heading);
    symbols::northArrow(sheet, QPointF(0, -5), 10);
    sheet.painter().restore();
}

void drawObstacleProfile(Sheet &sheet, const RunwayAxis &axis, const QRectF &box,
                         const QList<Obstacle> &obstacles)
{
    const double mmPerMetreUp = box.height() / 80;
    const double ground = box.bottom();
    sheet.pen(0.1, QColor(150, 150, 150));
    for (int metres = 10; metres <= 80; metres += 10) {
        const double y = ground - metres * mmPerMetreUp;
        sheet.painter().drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        sheet.text(QRectF(box.left() - 10, y - 2, 9, 4), QString::number(metres),
                   {5.5, false, Qt::black, Qt::AlignRight | Qt::AlignVCenter});
    }
    sheet.text(QRectF(box.left() - 11, box.top() - 7, 30, 4), QStringLiteral("HEIGHT (M)"), {6, true});
    sheet.pen(0.35);
    sheet.painter().drawLine(QPointF(box.left(), ground), QPointF(box.right(), ground));
    sheet.pen(0.1);
    sheet.brush(QColor(60, 60, 60));
    sheet.painter().drawRect(QRectF(QPointF(axis.left, ground - 1), QPointF(axis.right, ground)));

    sheet.pen(0.3, QColor(0, 0, 160), Qt::DashLine);
    const double rise = areaLength * 0.012 * mmPerMetreUp;
    sheet.painter().drawLine(QPointF(axis.left, ground),
                             QPointF(axis.left - areaLength * axis.mmPerMetre, ground - rise));
    sheet.painter().drawLine(QPointF(axis.right, ground),
                             QPointF(axis.right + areaLength * axis.mmPerMetre, ground - rise));
    sheet.text(QRectF(axis.right + 4, ground - rise - 1, 40, 4), QStringLiteral("1.2 % SLOPE"),
               {6, true, QColor(0, 0, 160)});

    for (qsizetype i = 0; i < obstacles.size(); ++i) {
        const double x = axis.x(obstacles[i]);
        const double height = std::min(obstacles[i].height, 80.0) * mmPerMetreUp;
        symbols::obstacle(sheet, QPointF(x, ground), height, obstacles[i].lit);
        sheet.text(QRectF(x - 3, ground - height - 6, 6, 4), QString::number(i + 1),
                   {5.5, true, Qt::black, Qt::AlignCenter});
    }
}

} // namespace

void drawObstacleChart(ChartDocument &document, const AirportFacts &facts)
{
    const RunwayDirection runway =
        facts.strips.isEmpty() ? primaryDirection(facts) : facts.strips.first().first;
    const QString second = facts.strips.isEmpty() ? reciprocalDesignator(runway.designator)
                                                  : facts.strips.first().secondDesignator;
    const QRectF body = document.startPage(
        QStringLiteral("RWY %1/%2 - OPERATING LIMITATIONS").arg(runway.designator, second), 1);
    Sheet &sheet = document.sheet();
    const QList<Obstacle> obstacles = makeObstacles(facts);

    const double usable = body.width() - 24;
    const double mmPerMetre = usable / (runway.length + 2 * areaLength);
    const RunwayAxis axis{body.left() + 18 + areaLength * mmPerMetre,
                          body.left() + 18 + (areaLength + runway.length) * mmPerMetre, mmPerMetre};

    double y = drawSectionTitle(sheet, body.topLeft() + QPointF(0, 1), body.width(), QStringLiteral("PLAN"));
    drawObstaclePlan(sheet, axis, y + 30, obstacles, runway, second);
    y = drawSectionTitle(sheet, QPointF(body.left(), y + 62), body.width(), QStringLiteral("PROFILE"));
    drawObstacleProfile(sheet, axis, QRectF(body.left() + 14, y + 10, body.width() - 18, 60), obstacles);
    symbols::scaleBar(sheet, QPointF(body.left() + 14, y + 76), mmPerMetre, 1000, QStringLiteral("M"));

    y = drawSectionTitle(sheet, QPointF(body.left(), y + 88), body.width(), QStringLiteral("OBSTACLES"));
    Table table{{14, 36, 34, 34, 40, 28},
                {QStringLiteral("No"), QStringLiteral("TYPE"), QStringLiteral("HEIGHT (M)"),
                 QStringLiteral("ELEV (FT)"), QStringLiteral("DIST FROM RWY END (M)"),
                 QStringLiteral("LIGHTED")},
                {},
                5.5,
                6.5};
    for (qsizetype i = 0; i < obstacles.size(); ++i) {
        const Obstacle &o = obstacles[i];
        table.rows.append({QString::number(i + 1), o.type, QString::number(o.height),
                           QString::number(facts.elevationFeet + qRound(o.height / 0.3048)),
                           QStringLiteral("%1 (RWY %2)")
                               .arg(qRound(o.distance))
                               .arg(o.beyondSecond ? second : runway.designator),
                           o.lit ? QStringLiteral("YES") : QStringLiteral("NO")});
    }
    drawTable(sheet, QPointF(body.left(), y + 2), table);
}

} // namespace chartgen
