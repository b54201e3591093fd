#include "ChartFixtures.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QProcess>

namespace fixtures {

namespace {

void drawRunways(QPainter &p)
{
    p.setPen(QPen(Qt::black, 6));
    p.setBrush(QColor(60, 60, 60));
    p.save();
    p.translate(4800, 6500);
    p.rotate(-35);
    p.drawRect(-3600, -180, 7200, 360);
    p.setPen(QPen(Qt::white, 8, Qt::DashLine));
    p.drawLine(-3400, 0, 3400, 0);
    p.restore();
    p.setPen(QPen(QColor(200, 170, 0), 40));
    for (int i = 0; i < 8; ++i)
        p.drawLine(1500 + i * 700, 9000, 2200 + i * 650, 7200 - i * 120);
}

void drawAreas(QPainter &p)
{
    p.setPen(QPen(Qt::darkGray, 4));
    p.setBrush(QColor(210, 210, 230));
    p.drawRect(6200, 8400, 2200, 1400);
    p.setBrush(QColor(180, 220, 180));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(1200 + i * 1300, 11800), 300, 200);
    QPainterPath restricted;
    restricted.moveTo(1000, 2600);
    restricted.cubicTo(2500, 1900, 4200, 2400, 4000, 3800);
    restricted.lineTo(1300, 4200);
    restricted.closeSubpath();
    p.setPen(QPen(Qt::red, 20));
    p.setBrush(QColor(255, 0, 0, 90));
    p.drawPath(restricted);
}

void drawText(QPainter &p, int page)
{
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold));
    p.drawText(QRect(1500, 300, 7000, 600), Qt::AlignCenter,
               QStringLiteral("ABCD AERODROME CHART - PAGE %1").arg(page + 1));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 7));
    for (int row = 0; row < 12; ++row)
        p.drawText(600 + (row / 4) * 3100, 12700 + (row % 4) * 200,
                   QStringLiteral("TWR 118.%1 GND 121.%2 ATIS 127.%3")
                       .arg(100 + row * 25)
                       .arg(700 + row * 5)
                       .arg(200 + row * 75));
    for (int i = 0; i < 20; ++i)
        p.drawText(1200 + (i % 5) * 1500, 5200 + (i / 5) * 700, QStringLiteral("TWY %1").arg(QChar('A' + i)));
}

void drawPage(QPainter &p, int page)
{
    p.setPen(QPen(QColor(170, 200, 230), 2));
    for (int x = 0; x < 10000; x += 400)
        p.drawLine(x, 1000, x, 13500);
    for (int y = 1000; y < 13500; y += 400)
        p.drawLine(0, y, 9900, y);
    drawAreas(p);
    drawRunways(p);
    drawText(p, page);
    p.fillRect(QRect(0, 0, 900, 900), markerColour(page));
}

} // namespace

QColor markerColour(int page)
{
    static const QColor colours[] = {Qt::red, Qt::blue, Qt::green};
    return colours[page % 3];
}

bool writeChart(const QString &path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        drawPage(painter, page);
    }
    return painter.end();
}

QColor cornerChartPaper()
{
    return {255, 220, 120};
}

bool writeCornerChart(const QString &path, QSizeF points)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(points, QPageSize::Point, {}, QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRectF page(QPointF(0, 0), points);
    const qreal side = std::min(points.width(), points.height()) / 10;
    painter.fillRect(page, cornerChartPaper());
    painter.fillRect(QRectF(0, 0, side, side), Qt::red);
    painter.fillRect(QRectF(page.width() - side, 0, side, side), Qt::green);
    painter.fillRect(QRectF(0, page.height() - side, side, side), Qt::blue);
    painter.fillRect(QRectF(page.width() - side, page.height() - side, side, side), Qt::magenta);
    return painter.end();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool writeTruncatedChart(const QString &path)
{
    const QString whole = path + QStringLiteral(".whole");
    QFile file(whole);
    if (!writeChart(whole, 2) || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    file.remove();
    return writeBytes(path, bytes.left(bytes.size() / 3));
}

bool writeEndlessPageTree(const QString &path)
{
    constexpr int Levels = 64;
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>"};
    for (int level = 0; level < Levels; ++level) {
        const int number = 2 + level;
        const QByteArray parent =
            level == 0 ? QByteArray() : "/Parent " + QByteArray::number(number - 1) + " 0 R ";
        const QByteArray child = QByteArray::number(number + 1) + " 0 R";
        objects.append("<< /Type /Pages " + parent + "/Kids [" + child + ' ' + child +
                       "] /Count 2147483647 >>");
    }
    objects.append("<< /Type /Page /Parent " + QByteArray::number(1 + Levels) +
                   " 0 R /MediaBox [0 0 595 842] >>");
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype table = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(table) + "\n%%EOF\n";
    return writeBytes(path, pdf);
}

bool writeEncryptedChart(const QString &path)
{
    const QString plain = path + QStringLiteral(".plain");
    if (!writeChart(plain))
        return false;
    const int status = QProcess::execute(
        QStringLiteral("qpdf"), {QStringLiteral("--encrypt"), QStringLiteral("USER"), QStringLiteral("OWNER"),
                                 QStringLiteral("256"), QStringLiteral("--"), plain, path});
    QFile::remove(plain);
    return status == 0;
}

} // namespace fixtures
