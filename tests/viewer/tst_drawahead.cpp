// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixtures.h"
#include "ChartRenderClient.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <utime.h>

using viewer::AheadPage;
using viewer::ChartRenderClient;
using viewer::PageFrame;
using viewer::PageRequest;

namespace {

constexpr int WaitMs = 20000;
const PageFrame Frame{viewer::ZoomMode::FitWidth, 1, QSize(300, 400), 0, 1, 0};

bool near(QRgb pixel, const QColor &colour)
{
    return qAbs(qRed(pixel) - colour.red()) < 40 && qAbs(qGreen(pixel) - colour.green()) < 40 &&
           qAbs(qBlue(pixel) - colour.blue()) < 40;
}

// One page with its marker in the top-left corner in red and an index entry RED; the blue version, with an
// entry BLU, is a file of the same size.
QByteArray markedChart(bool blue)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.pdf"));
    QFile file(path);
    if (!fixtures::writeOutlinedChart(path, 1, {{QStringLiteral("RED"), 0, 0}}) ||
        !file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (blue)
        bytes.replace("1 0 0 rg", "0 0 1 rg").replace("<FEFF005200450044>", "<FEFF0042004C0055>");
    return bytes;
}

} // namespace

// Pages the render helper draws ahead: a page asked for is always the page of the file as it is now, at the
// size, turn and colours asked for, whatever was drawn ahead, and so is the chart's index; and a page still
// being drawn ahead when it is asked for comes as soon as it is done.
class DrawAheadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void askedPageIsNeverAStaleOne_data();
    void askedPageIsNeverAStaleOne();
    void pageBeingDrawnAheadComesWhenAsked();

private:
    // The chart's page sizes, read by the helper.
    static QList<QSizeF> openChart(ChartRenderClient &client, const QString &chart);
    static QImage drawPage(ChartRenderClient &client, const QString &chart, const PageRequest &page);
    static QString indexTitle(ChartRenderClient &client, const QString &chart);
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void DrawAheadTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::writeChart(path(QStringLiteral("first.pdf")), 1));
    QVERIFY(fixtures::writeChart(path(QStringLiteral("second.pdf")), 1));
}

QList<QSizeF> DrawAheadTest::openChart(ChartRenderClient &client, const QString &chart)
{
    QSignalSpy opened(&client, &ChartRenderClient::opened);
    client.open(chart);
    if (!opened.wait(WaitMs))
        return {};
    return opened.first().at(1).value<QList<QSizeF>>();
}

QImage DrawAheadTest::drawPage(ChartRenderClient &client, const QString &chart, const PageRequest &page)
{
    QSignalSpy rendered(&client, &ChartRenderClient::rendered);
    QSignalSpy failed(&client, &ChartRenderClient::failed);
    client.render(chart, page);
    if (!QTest::qWaitFor([&] { return !rendered.isEmpty() || !failed.isEmpty(); }, WaitMs) ||
        rendered.isEmpty())
        return {};
    return rendered.first().at(1).value<QImage>();
}

// The title of the chart's only index entry.
QString DrawAheadTest::indexTitle(ChartRenderClient &client, const QString &chart)
{
    QSignalSpy read(&client, &ChartRenderClient::outlineRead);
    client.readOutline(chart);
    if (!read.wait(WaitMs))
        return {};
    const auto outline = read.first().at(1).value<QList<viewer::OutlineEntry>>();
    return outline.size() == 1 ? outline.first().title : QString();
}

void DrawAheadTest::askedPageIsNeverAStaleOne_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QPointF>("at"); // where to look, as a share of the image's width and height
    QTest::addColumn<QColor>("colour");
    QTest::newRow("as drawn ahead") << "none" << QPointF(0.05, 0.05) << QColor(Qt::red);
    QTest::newRow("night colours") << "night" << QPointF(0.5, 0.5) << QColor(Qt::black);
    QTest::newRow("turned a quarter") << "turn" << QPointF(0.95, 0.05) << QColor(Qt::red);
    QTest::newRow("larger") << "size" << QPointF(0.05, 0.05) << QColor(Qt::red);
    QTest::newRow("file replaced") << "replace" << QPointF(0.05, 0.05) << QColor(Qt::blue);
    QTest::newRow("file rewritten at its size and time")
        << "rewrite" << QPointF(0.05, 0.05) << QColor(Qt::blue);
}

void DrawAheadTest::askedPageIsNeverAStaleOne()
{
    QFETCH(QString, change);
    QFETCH(QPointF, at);
    QFETCH(QColor, colour);
    const QString chart = path(change + QStringLiteral(".pdf"));
    QVERIFY(fixtures::writeBytes(chart, markedChart(false)));
    ChartRenderClient client(fixtures::realHelper());
    client.drawAhead({{chart, 0, Frame, false}});
    QVERIFY(fixtures::waitForDrawingAhead(WaitMs));

    AheadPage asked{chart, 0, Frame, change == u"night"};
    if (change == u"turn")
        asked.frame.quarterTurns = 1;
    if (change == u"size")
        asked.frame.area = QSize(400, 500);
    if (change == u"replace") {
        QVERIFY(fixtures::writeBytes(chart + QStringLiteral(".new"), markedChart(true)));
        QVERIFY(QFile::remove(chart) && QFile::rename(chart + QStringLiteral(".new"), chart));
    }
    if (change == u"rewrite") {
        struct stat before {};
        QCOMPARE(stat(QFile::encodeName(chart).constData(), &before), 0);
        QVERIFY(fixtures::writeBytes(chart, markedChart(true)));
        const utimbuf times{before.st_atime, before.st_mtime};
        QCOMPARE(utime(QFile::encodeName(chart).constData(), &times), 0);
    }
    const QList<QSizeF> sizes = openChart(client, chart);
    QCOMPARE(sizes.size(), 1);
    const PageRequest page = viewer::protocol::framedPage(asked, sizes.first());
    const QImage image = drawPage(client, chart, page);
    QCOMPARE(image.size(), page.pixelSize);
    const QPoint pixel(int(at.x() * image.width()), int(at.y() * image.height()));
    QVERIFY2(near(image.pixel(pixel), colour), qPrintable(QColor(image.pixel(pixel)).name()));
    QCOMPARE(indexTitle(client, chart), change == u"replace" || change == u"rewrite" ? "BLU" : "RED");
}

// The page asked for is being drawn ahead, and the page after it waits to be: the helper waits for the first
// and answers, without waiting for the second (held while the helper serves the viewer).
void DrawAheadTest::pageBeingDrawnAheadComesWhenAsked()
{
    const QString first = path(QStringLiteral("first.pdf"));
    const QString second = path(QStringLiteral("second.pdf"));
    ChartRenderClient client(fixtures::realHelper());
    const QList<QSizeF> sizes = openChart(client, first);
    QCOMPARE(sizes.size(), 1);
    // Large enough to be drawn for a while.
    PageFrame large = Frame;
    large.area = QSize(1400, 2000);
    client.drawAhead({{first, 0, large, false}, {second, 0, large, false}});
    const PageRequest page = viewer::protocol::framedPage({first, 0, large, false}, sizes.first());
    QSignalSpy failed(&client, &ChartRenderClient::failed);
    const QImage image = drawPage(client, first, page);
    QVERIFY(failed.isEmpty());
    QCOMPARE(image.size(), page.pixelSize);
    QVERIFY(near(image.pixel(5, 5), fixtures::markerColour(0)));
}

QTEST_MAIN(DrawAheadTest)
#include "tst_drawahead.moc"
