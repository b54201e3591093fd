// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QProcess>
#include <QThread>
#include <algorithm>

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

// A PDF text string: UTF-16 with its byte order mark, in hexadecimal.
QByteArray pdfText(const QString &text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

QByteArray pageContent(int page)
{
    const QColor colour = markerColour(page);
    return QByteArray::number(colour.redF()) + ' ' + QByteArray::number(colour.greenF()) + ' ' +
           QByteArray::number(colour.blueF()) + " rg 0 767 75 75 re f";
}

// Numbered objects, then the cross-reference table and trailer that make them a PDF file.
QByteArray pdfFile(const QList<QByteArray> &objects)
{
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
    return pdf + "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n";
}

QByteArray ref(qsizetype object)
{
    return QByteArray::number(object) + " 0 R";
}

// Pages of one size, each drawn by its content stream, with an outline: a PDF file written by hand, so that
// thousands of pages take a moment.
QByteArray outlinedPdf(const QList<QByteArray> &contents, QSizeF points, const QList<OutlineItem> &outline)
{
    const qsizetype pages = contents.size();
    const QByteArray mediaBox =
        "[0 0 " + QByteArray::number(points.width()) + ' ' + QByteArray::number(points.height()) + ']';
    // 1 catalog, 2 page tree, 3 outline root, then per page its page and its content, then the entries.
    const auto pageObject = [](qsizetype page) { return 4 + 2 * page; };
    const qsizetype firstEntry = pageObject(pages);
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R /Outlines 3 0 R >>"};
    QByteArray kids;
    for (qsizetype page = 0; page < pages; ++page)
        kids += ref(pageObject(page)) + ' ';
    objects.append("<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " >>");
    objects.append(QByteArray());
    for (qsizetype page = 0; page < pages; ++page) {
        const QByteArray &content = contents.at(page);
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox " + mediaBox + " /Contents " +
                       ref(pageObject(page) + 1) + " >>");
        objects.append("<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content +
                       "\nendstream");
    }
    // Each entry's parent is the last entry before it one level up; 3 is the root.
    QList<qsizetype> parents;
    QList<QList<qsizetype>> children(outline.size() + 1);
    QList<qsizetype> lastAtLevel;
    for (qsizetype i = 0; i < outline.size(); ++i) {
        const int level = outline[i].level;
        lastAtLevel.resize(level + 1);
        const qsizetype parent = level == 0 ? -1 : lastAtLevel[level - 1];
        lastAtLevel[level] = i;
        parents.append(parent);
        children[parent + 1].append(i);
    }
    const auto entryObject = [firstEntry](qsizetype index) { return index < 0 ? 3 : firstEntry + index; };
    const auto links = [&](qsizetype index) {
        const QList<qsizetype> &below = children[index + 1];
        return below.isEmpty()
                   ? QByteArray()
                   : " /First " + ref(entryObject(below.first())) + " /Last " +
                         ref(entryObject(below.last())) + " /Count " + QByteArray::number(below.size());
    };
    objects[2] = "<< /Type /Outlines" + links(-1) + " >>";
    for (qsizetype i = 0; i < outline.size(); ++i) {
        const QList<qsizetype> &siblings = children[parents[i] + 1];
        const qsizetype at = siblings.indexOf(i);
        QByteArray entry =
            "<< /Title " + pdfText(outline[i].title) + " /Parent " + ref(entryObject(parents[i]));
        if (at > 0)
            entry += " /Prev " + ref(entryObject(siblings[at - 1]));
        if (at + 1 < siblings.size())
            entry += " /Next " + ref(entryObject(siblings[at + 1]));
        if (outline[i].page >= 0)
            entry += " /Dest [" + ref(pageObject(outline[i].page)) + " /Fit]";
        objects.append(entry + links(i) + " >>");
    }
    return pdfFile(objects);
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

bool writeCornerChart(const QString &path, QSizeF points, const QList<OutlineItem> &outline)
{
    // PDF coordinates start at the bottom-left corner.
    const qreal side = std::min(points.width(), points.height()) / 10;
    const auto fill = [](const QColor &colour, QRectF area) {
        return QByteArray::number(colour.redF()) + ' ' + QByteArray::number(colour.greenF()) + ' ' +
               QByteArray::number(colour.blueF()) + " rg " + QByteArray::number(area.x()) + ' ' +
               QByteArray::number(area.y()) + ' ' + QByteArray::number(area.width()) + ' ' +
               QByteArray::number(area.height()) + " re f\n";
    };
    const qreal right = points.width() - side;
    const qreal top = points.height() - side;
    const QByteArray content =
        fill(cornerChartPaper(), QRectF(QPointF(0, 0), points)) + fill(Qt::red, QRectF(0, top, side, side)) +
        fill(Qt::green, QRectF(right, top, side, side)) + fill(Qt::blue, QRectF(0, 0, side, side)) +
        fill(Qt::magenta, QRectF(right, 0, side, side));
    return writeBytes(path, outlinedPdf({content}, points, outline));
}

bool writeOutlinedChart(const QString &path, int pages, const QList<OutlineItem> &outline)
{
    QList<QByteArray> contents;
    for (int page = 0; page < pages; ++page)
        contents.append(pageContent(page));
    return writeBytes(path, outlinedPdf(contents, QSizeF(595, 842), outline));
}

bool writeLoopingOutline(const QString &path, bool throughChild)
{
    const QByteArray content = pageContent(0);
    const QByteArray loop = throughChild ? " /First 6 0 R /Last 6 0 R /Count 1" : " /Next 6 0 R /Prev 6 0 R";
    return writeBytes(path, pdfFile({
                                "<< /Type /Catalog /Pages 2 0 R /Outlines 3 0 R >>",
                                "<< /Type /Pages /Kids [4 0 R] /Count 1 >>",
                                "<< /Type /Outlines /First 6 0 R /Last 6 0 R /Count 1 >>",
                                "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 5 0 R >>",
                                "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" +
                                    content + "\nendstream",
                                "<< /Title (LOOP) /Parent 3 0 R /Dest [4 0 R /Fit]" + loop + " >>",
                            }));
}

bool writeOutlineOfEveryDestination(const QString &path)
{
    QList<QByteArray> objects{
        "<< /Type /Catalog /Pages 2 0 R /Outlines 3 0 R /Dests << /apron [6 0 R /Fit] >>"
        " /Names << /Dests << /Names [(runway) [8 0 R /Fit]] >> >> >>",
        "<< /Type /Pages /Kids [4 0 R 6 0 R 8 0 R] /Count 3 >>",
        "<< /Type /Outlines /First 10 0 R /Last 13 0 R /Count 4 >>"};
    for (int page = 0; page < 3; ++page) {
        const QByteArray content = pageContent(page);
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents " + ref(5 + 2 * page) +
                       " >>");
        objects.append("<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content +
                       "\nendstream");
    }
    objects += {"<< /Title (DIRECT) /Parent 3 0 R /Next 11 0 R /Dest [4 0 R /Fit] >>",
                "<< /Title (ACTION) /Parent 3 0 R /Prev 10 0 R /Next 12 0 R"
                " /A << /S /GoTo /D [6 0 R /XYZ 0 842 null] >> >>",
                "<< /Title (NAMED) /Parent 3 0 R /Prev 11 0 R /Next 13 0 R /Dest (runway) >>",
                "<< /Title (OLD NAME) /Parent 3 0 R /Prev 12 0 R /Dest /apron >>"};
    return writeBytes(path, pdfFile(objects));
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
    return writeBytes(path, pdfFile(objects));
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

viewer::ChartRenderSettings realHelper()
{
    viewer::ChartRenderSettings settings;
    settings.helperProgram =
        qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/varnelox-render");
    return settings;
}

namespace {

QByteArray processName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed() : QByteArray();
}

QList<qint64> childrenOf(qint64 pid)
{
    QList<qint64> children;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile list(tasks + u'/' + task + QStringLiteral("/children"));
        if (list.open(QIODevice::ReadOnly))
            for (const QByteArray &child : list.readAll().simplified().split(' '))
                if (!child.isEmpty())
                    children.append(child.toLongLong());
    }
    return children;
}

// A helper started by this process with a copy of itself at work.
bool helperDrawsAhead()
{
    for (const qint64 helper : childrenOf(QCoreApplication::applicationPid())) {
        if (processName(helper) != "varnelox-render" && processName(helper) != "fake-render-hel")
            continue;
        if (!childrenOf(helper).isEmpty())
            return true;
    }
    return false;
}

} // namespace

bool waitForDrawingAhead(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 quietSince = 0;
    while (clock.elapsed() - quietSince < 200) {
        if (clock.elapsed() > timeoutMs)
            return false;
        if (helperDrawsAhead())
            quietSince = clock.elapsed();
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return true;
}

std::unique_ptr<viewer::ChartViewer> viewerWithHelper(const viewer::ChartRenderSettings &settings,
                                                      georef::PlacedCharts *places)
{
    auto *client = new viewer::ChartRenderClient(settings);
    auto viewer = std::make_unique<viewer::ChartViewer>(client, nullptr, places);
    client->setParent(viewer.get());
    return viewer;
}

} // namespace fixtures
