// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartColours.h"
#include "PageFit.h"
#include "RenderProtocol.h"

#include <QImage>
#include <QTest>

using namespace viewer;

class ChartRenderingTest : public QObject {
    Q_OBJECT

private slots:
    void nightColourKeepsHue_data();
    void nightColourKeepsHue();
    void paperIsWhiteUnderInk();
    void pageScale_data();
    void pageScale();
    void oversizedPageIsCapped();
    void malformedLinesAreRejected_data();
    void malformedLinesAreRejected();
    void linesRoundTrip();
    void outlineTitlesArePlain_data();
    void outlineTitlesArePlain();
};

void ChartRenderingTest::nightColourKeepsHue_data()
{
    QTest::addColumn<QRgb>("day");
    QTest::addColumn<QRgb>("night");
    QTest::newRow("white paper turns black") << qRgb(255, 255, 255) << qRgb(0, 0, 0);
    QTest::newRow("black ink turns white") << qRgb(0, 0, 0) << qRgb(255, 255, 255);
    QTest::newRow("pure red stays") << qRgb(255, 0, 0) << qRgb(255, 0, 0);
    QTest::newRow("light red turns dark red") << qRgb(255, 200, 200) << qRgb(55, 0, 0);
    QTest::newRow("dark blue turns light blue") << qRgb(0, 0, 100) << qRgb(155, 155, 255);
    QTest::newRow("mid grey stays mid grey") << qRgb(128, 128, 128) << qRgb(127, 127, 127);
}

void ChartRenderingTest::nightColourKeepsHue()
{
    QFETCH(QRgb, day);
    QFETCH(QRgb, night);
    const QRgb result = nightColour(day);
    QCOMPARE(QColor(result), QColor(night));
    const QColor before(day);
    if (before.hslSaturation() > 0)
        QVERIFY(qAbs(QColor(result).hslHue() - before.hslHue()) <= 1);
}

void ChartRenderingTest::paperIsWhiteUnderInk()
{
    QImage page(3, 1, QImage::Format_ARGB32);
    page.setPixel(0, 0, qRgba(0, 0, 0, 0));
    page.setPixel(1, 0, qRgba(255, 0, 0, 255));
    page.setPixel(2, 0, qRgba(0, 0, 0, 128));
    QImage day(3, 1, QImage::Format_RGB32);
    writeOnPaper(page, day.bits(), day.bytesPerLine(), false);
    QCOMPARE(QColor(day.pixel(0, 0)), QColor(Qt::white));
    QCOMPARE(QColor(day.pixel(1, 0)), QColor(Qt::red));
    QCOMPARE(qGray(day.pixel(2, 0)), 127);
    QImage night(3, 1, QImage::Format_RGB32);
    writeOnPaper(page, night.bits(), night.bytesPerLine(), true);
    QCOMPARE(QColor(night.pixel(0, 0)), QColor(Qt::black));
    QCOMPARE(QColor(night.pixel(1, 0)), QColor(Qt::red));
}

void ChartRenderingTest::pageScale_data()
{
    QTest::addColumn<QSizeF>("points");
    QTest::addColumn<ZoomMode>("mode");
    QTest::addColumn<QSize>("viewport");
    QTest::addColumn<qreal>("scale");
    const QSizeF a4(595, 842);
    const QSizeF airportDiagram(387, 594);
    // The fitted page keeps 4 pixels free on each side it is fitted to.
    QTest::newRow("fit width, page fits") << a4 << ZoomMode::FitWidth << QSize(505, 775) << 497.0 / 595;
    QTest::newRow("fit width, room for scroll bar")
        << a4 << ZoomMode::FitWidth << QSize(505, 657) << 482.0 / 595;
    QTest::newRow("fit page, height decides") << a4 << ZoomMode::FitPage << QSize(505, 657) << 649.0 / 842;
    QTest::newRow("fit page, width decides")
        << a4.transposed() << ZoomMode::FitPage << QSize(505, 657) << 497.0 / 842;
    QTest::newRow("fit page, airport diagram in the main window")
        << airportDiagram << ZoomMode::FitPage << QSize(505, 502) << 494.0 / 594;
    QTest::newRow("custom") << a4 << ZoomMode::Custom << QSize(505, 657) << 2.0;
}

void ChartRenderingTest::pageScale()
{
    QFETCH(QSizeF, points);
    QFETCH(ZoomMode, mode);
    QFETCH(QSize, viewport);
    QFETCH(qreal, scale);
    QCOMPARE(viewer::pageScale(points, mode, 2.0, viewport, 15), scale);
    if (mode == ZoomMode::FitPage) {
        // Drawn at that scale, the page stands inside the margin, whatever the zoom shown is rounded to.
        const QSizeF drawn = viewer::pageImageSize(points, scale, 1, 1 << 30).logical;
        QVERIFY(drawn.width() <= viewport.width() - 2 * viewer::FitMargin);
        QVERIFY(drawn.height() <= viewport.height() - 2 * viewer::FitMargin);
    }
}

void ChartRenderingTest::oversizedPageIsCapped()
{
    const PageImageSize size = pageImageSize(QSizeF(595, 842), 8, 2, 1000000);
    QCOMPARE(size.logical, QSizeF(4760, 6736));
    QVERIFY(qsizetype(size.pixels.width()) * size.pixels.height() <= 1000000);
    QVERIFY(qAbs(qreal(size.pixels.width()) / size.pixels.height() - 595.0 / 842) < 0.01);
    QCOMPARE(pageImageSize(QSizeF(595, 842), 1, 1.5, 10000000).pixels, QSize(892, 1263));
}

void ChartRenderingTest::malformedLinesAreRejected_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("unknown verb") << QByteArray("close 1");
    QTest::newRow("serial not a number") << QByteArray("open x /a.pdf");
    QTest::newRow("render too short") << QByteArray("render 1 /a.pdf 0 10 10");
    QTest::newRow("render without a chart") << QByteArray("render 1 0 10 10 0 0 0");
    QTest::newRow("render negative offset") << QByteArray("render 1 /a.pdf 0 10 10 0 0 -5");
    QTest::newRow("opened count wrong") << QByteArray("opened 1 2 595,842");
    QTest::newRow("opened size broken") << QByteArray("opened 1 1 595x842");
    QTest::newRow("opened size not finite") << QByteArray("opened 1 1 nan,842");
    QTest::newRow("opened with more than sizes") << QByteArray("opened 1 1 595,842 0");
    QTest::newRow("read-outline with more") << QByteArray("read-outline 1 /a.pdf 2");
    QTest::newRow("read-outline without a chart") << QByteArray("read-outline 1");
    QTest::newRow("draw-ahead count wrong") << QByteArray("draw-ahead 1 2 /a.pdf,0,0,1,505,500,15,1,0,0");
    QTest::newRow("draw-ahead page of nine parts")
        << QByteArray("draw-ahead 1 1 /a.pdf,0,0,1,505,500,15,1,0");
    QTest::newRow("draw-ahead unknown zoom mode")
        << QByteArray("draw-ahead 1 1 /a.pdf,0,3,1,505,500,15,1,0,0");
    QTest::newRow("draw-ahead five quarter turns")
        << QByteArray("draw-ahead 1 1 /a.pdf,0,0,1,505,500,15,1,5,0");
    QTest::newRow("draw-ahead pixel ratio 0") << QByteArray("draw-ahead 1 1 /a.pdf,0,0,1,505,500,15,0,0,0");
    QTest::newRow("draw-ahead scale not finite")
        << QByteArray("draw-ahead 1 1 /a.pdf,0,2,inf,505,500,15,1,0,0");
    QTest::newRow("draw-ahead negative page") << QByteArray("draw-ahead 1 1 /a.pdf,-1,0,1,505,500,15,1,0,0");
    QByteArray tooManyAhead = "draw-ahead 1 65";
    for (int i = 0; i < 65; ++i)
        tooManyAhead += " /a.pdf,0,0,1,505,500,15,1,0,0";
    QTest::newRow("draw-ahead too many pages") << tooManyAhead;
    QTest::newRow("outline without entries count") << QByteArray("outline 1 1");
    QTest::newRow("outline of negative pages") << QByteArray("outline 1 -1 0");
    QTest::newRow("index count wrong") << QByteArray("outline 1 1 2 0,0,A");
    QTest::newRow("index entry past the last page") << QByteArray("outline 1 1 1 1,0,A");
    QTest::newRow("index entry before the first page") << QByteArray("outline 1 1 1 -1,0,A");
    QTest::newRow("index entry too deep") << QByteArray("outline 1 1 1 0,16,A");
    QTest::newRow("index entry of two parts") << QByteArray("outline 1 1 1 0,A");
    QTest::newRow("title with a line feed") << QByteArray("outline 1 1 1 0,0,A%0AB");
    QTest::newRow("title with a direction override") << QByteArray("outline 1 1 1 0,0,%E2%80%AEAB");
    QTest::newRow("title not UTF-8") << QByteArray("outline 1 1 1 0,0,A%FFB");
    QTest::newRow("title too long") << "outline 1 1 1 0,0," + QByteArray(121, 'W');
    QByteArray tooMany = "outline 1 1 1001";
    for (int i = 0; i < 1001; ++i)
        tooMany += " 0,0,A";
    QTest::newRow("index too long") << tooMany;
    QTest::newRow("failed unknown reason") << QByteArray("failed 1 because");
}

void ChartRenderingTest::malformedLinesAreRejected()
{
    QFETCH(QByteArray, line);
    QCOMPARE(protocol::parse(line).kind, protocol::Kind::Invalid);
}

void ChartRenderingTest::linesRoundTrip()
{
    const QString path = QStringLiteral("/charts/A B/ADPCD8-1 %.PDF");
    const protocol::Message open = protocol::parse(protocol::openLine(7, path));
    QCOMPARE(open.kind, protocol::Kind::Open);
    QCOMPARE(open.path, path);

    const PageRequest page{2, QSize(505, 714), 3, true};
    const protocol::Message render = protocol::parse(protocol::renderLine(8, path, page, 1 << 26));
    QCOMPARE(render.kind, protocol::Kind::Render);
    QCOMPARE(render.path, path);
    QVERIFY(render.page == page);
    QCOMPARE(render.offset, 1 << 26);

    // Pages drawn ahead keep every digit of their frame: both ends compute the same page sizes from it.
    const QList<viewer::AheadPage> ahead{
        {path, 4, {ZoomMode::Custom, 1.0 / 3, QSize(505, 514), 15, 1.25, 1}, true},
        {QStringLiteral("/b,c.pdf"), 0, {ZoomMode::FitPage, 0.1 + 0.2, QSize(860, 700), 0, 2, 0}, false}};
    const protocol::Message drawAhead = protocol::parse(protocol::drawAheadLine(15, ahead));
    QCOMPARE(drawAhead.kind, protocol::Kind::DrawAhead);
    QVERIFY(drawAhead.ahead == ahead);
    QCOMPARE(protocol::parse(protocol::drawingAheadLine(16)).kind, protocol::Kind::DrawingAhead);

    const protocol::Message opened = protocol::parse(protocol::openedLine(9, {QSizeF(595, 842.5)}));
    QCOMPARE(opened.kind, protocol::Kind::Opened);
    QCOMPARE(opened.pageSizes, QList<QSizeF>{QSizeF(595, 842.5)});
    const protocol::Message ask = protocol::parse(protocol::readOutlineLine(13, path));
    QCOMPARE(ask.kind, protocol::Kind::ReadOutline);
    QCOMPARE(ask.serial, quint64(13));
    QCOMPARE(ask.path, path);
    QVERIFY(protocol::parse(protocol::outlineLine(14, 0, {})).outline.isEmpty());
    const QList<OutlineEntry> outline{{QStringLiteral("ILS Z RWY 16L, CAT II/III"), 1, 0},
                                      {QStringLiteral("Atterrissage \u00e0 vue 50% \u2192 \U0001F6EC"), 2, 3},
                                      {QString(), 0, 1}};
    const protocol::Message read = protocol::parse(protocol::outlineLine(11, 3, outline));
    QCOMPARE(read.kind, protocol::Kind::Outline);
    QCOMPARE(read.pageCount, 3);
    QCOMPARE(read.outline, outline);
    // The writer leaves out what the reader would refuse, so that the rest of the index still comes through.
    const protocol::Message bounded =
        protocol::parse(protocol::outlineLine(12, 3, {{"A", 3, 0}, {"B\nC", 0, 99}, {"D", -1, 0}}));
    QCOMPARE(bounded.kind, protocol::Kind::Outline);
    QCOMPARE(bounded.outline, (QList<OutlineEntry>{{"B C", 0, protocol::MaxOutlineLevel}}));
    QCOMPARE(protocol::parse(protocol::failedLine(10, ChartFailure::Password)).failure,
             ChartFailure::Password);
}

void ChartRenderingTest::outlineTitlesArePlain_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("plain");
    QTest::newRow("plain stays") << "STAR ROME 1A"
                                 << "STAR ROME 1A";
    QTest::newRow("controls become one blank") << "VOR\tRWY\r\n34R"
                                               << "VOR RWY 34R";
    QTest::newRow("ends trimmed") << "  \n ILS 16L \u0007"
                                  << "ILS 16L";
    QTest::newRow("direction overrides and line separators go") << "\u202EDNIW\u202C\u2028HOLD\u2066X\u2069"
                                                                << "DNIW HOLD X";
    QTest::newRow("letters of any script stay") << "\u6771\u4eac \u0420\u0418\u0413\u0410"
                                                << "\u6771\u4eac \u0420\u0418\u0413\u0410";
    QTest::newRow("only controls") << "\u0001\u0002"
                                   << "";
    QTest::newRow("cut with an ellipsis") << QString(300, u'A') << QString(119, u'A') + QChar(0x2026);
    QTest::newRow("never cut inside a character")
        << QString(118, u'A') + QStringLiteral("\U0001F6EC\U0001F6EC") << QString(118, u'A') + QChar(0x2026);
}

void ChartRenderingTest::outlineTitlesArePlain()
{
    QFETCH(QString, title);
    QFETCH(QString, plain);
    const QString made = protocol::plainOutlineTitle(title);
    QCOMPARE(made, plain);
    QVERIFY(made.size() <= protocol::MaxOutlineTitleLength);
    QCOMPARE(protocol::plainOutlineTitle(made), made);
}

QTEST_MAIN(ChartRenderingTest)
#include "tst_chartrendering.moc"
