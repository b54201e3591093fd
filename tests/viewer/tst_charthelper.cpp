// SPDX-License-Identifier: GPL-3.0-or-later
// The render client and its helper at the edges: files that are no charts, a chart that needs more memory
// than the helper may take, page memory that cannot be set up, and chart indexes of every shape. The watchdog
// (QTEST_FUNCTION_TIMEOUT) ends a test function that waits.

#include "ChartFixtures.h"
#include "ChartMessages.h"
#include "ChartRenderClient.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using viewer::ChartFailure;
using viewer::ChartRenderClient;
using viewer::ChartRenderSettings;

Q_DECLARE_METATYPE(viewer::ChartFailure)

namespace viewer {

char *toString(const OutlineEntry &entry)
{
    return QTest::toString(
        QStringLiteral("%1 (page %2, level %3)").arg(entry.title).arg(entry.page).arg(entry.level));
}

} // namespace viewer

namespace {

constexpr int ReplyWaitMs = 20000;

// One page of count short strokes, each a path of its own, in a compressed content stream: a file of a few
// hundred kilobytes that the PDF engine turns into hundreds of megabytes of path objects.
QByteArray manyPathChart(int count)
{
    const QByteArray stroke = "0 0 m 1 1 l S\n";
    QByteArray content;
    content.reserve(stroke.size() * count);
    for (int i = 0; i < count; ++i)
        content += stroke;
    const QByteArray packed = qCompress(content, 1).sliced(4); // zlib data without Qt's length prefix
    const QByteArrayList objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R >>",
        "<< /Length " + QByteArray::number(packed.size()) + " /Filter /FlateDecode >>\nstream\n" + packed +
            "\nendstream",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype table = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(table) + "\n%%EOF\n";
    return pdf;
}

// The lowest free descriptor: every one below it is taken.
int lowestFreeDescriptor()
{
    const int descriptor = dup(STDIN_FILENO);
    close(descriptor);
    return descriptor;
}

} // namespace

class ChartHelperTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void notRegularChartIsRefused_data();
    void notRegularChartIsRefused();
    void chartTooLargeForTheHelperMemory();
    void pageMemoryIsSetUpAgain();
    void chartIndexComesWithTheChart_data();
    void chartIndexComesWithTheChart();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Opens the chart and returns the failure reported, None when it opened.
    static ChartFailure openChart(ChartRenderClient &client, const QString &chart);

    QTemporaryDir m_dir;
};

void ChartHelperTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::writeChart(path(QStringLiteral("one.pdf")), 1));
    QCOMPARE(mkfifo(QFile::encodeName(path(QStringLiteral("fifo.pdf"))).constData(), 0600), 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/urandom"), path(QStringLiteral("urandom.pdf"))));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("zero.pdf"))));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.pdf")));
}

ChartFailure ChartHelperTest::openChart(ChartRenderClient &client, const QString &chart)
{
    QSignalSpy opened(&client, &ChartRenderClient::opened);
    QSignalSpy failed(&client, &ChartRenderClient::failed);
    const quint64 serial = client.open(chart);
    if (!QTest::qWaitFor([&] { return opened.count() + failed.count() > 0; }, ReplyWaitMs))
        return ChartFailure::TimedOut;
    if (failed.isEmpty())
        return opened.first().at(0).toULongLong() == serial ? ChartFailure::None : ChartFailure::NoDocument;
    return failed.first().at(0).toULongLong() == serial ? failed.first().at(1).value<ChartFailure>()
                                                        : ChartFailure::NoDocument;
}

// A pipe without a writer, an endless device or a folder is never opened as a chart, and the helper is free
// for the next one at once.
void ChartHelperTest::notRegularChartIsRefused_data()
{
    QTest::addColumn<QString>("chart");
    QTest::addColumn<ChartFailure>("failure");
    QTest::addColumn<QString>("reason");

    const QString notRegular = QStringLiteral("This is not a regular file");
    QTest::addRow("pipe") << path(QStringLiteral("fifo.pdf")) << ChartFailure::NotRegularFile << notRegular;
    QTest::addRow("link to /dev/urandom")
        << path(QStringLiteral("urandom.pdf")) << ChartFailure::NotRegularFile << notRegular;
    QTest::addRow("link to /dev/zero")
        << path(QStringLiteral("zero.pdf")) << ChartFailure::NotRegularFile << notRegular;
    QTest::addRow("device") << "/dev/null" << ChartFailure::NotRegularFile << notRegular;
    QTest::addRow("folder") << path(QStringLiteral("folder.pdf")) << ChartFailure::NotAFile
                            << "This is a folder, not a chart file.";
}

void ChartHelperTest::notRegularChartIsRefused()
{
    QFETCH(QString, chart);
    QFETCH(ChartFailure, failure);
    QFETCH(QString, reason);

    ChartRenderSettings settings = fixtures::realHelper();
    settings.timeoutMs = 60000; // a helper that waited would be found by the watchdog, not by this limit
    ChartRenderClient client(settings);
    QCOMPARE(openChart(client, chart), failure);
    const QString message = viewer::chartMessage(chart, failure);
    QVERIFY2(message.contains(reason), qPrintable(message));
    QCOMPARE(openChart(client, path(QStringLiteral("one.pdf"))), ChartFailure::None);
}

// The helper may take only so much memory: a chart that needs more ends in a clear message, and a new helper
// draws the next chart. The limit is lowered here so that the engine reaches it within a second; the
// default of 1 GiB works the same way.
void ChartHelperTest::chartTooLargeForTheHelperMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves far more address space than any limit, so the helper sets none here");
#endif
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("paths.pdf")), manyPathChart(3000000)));
    ChartRenderSettings settings = fixtures::realHelper();
    settings.memoryLimitBytes = qint64(384) << 20;
    settings.timeoutMs = 60000;
    ChartRenderClient client(settings);
    QCOMPARE(openChart(client, path(QStringLiteral("paths.pdf"))), ChartFailure::None);

    QSignalSpy rendered(&client, &ChartRenderClient::rendered);
    QSignalSpy failed(&client, &ChartRenderClient::failed);
    const quint64 serial = client.render(path(QStringLiteral("paths.pdf")), {0, QSize(595, 842), 0, false});
    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, ReplyWaitMs);
    QCOMPARE(failed.first().at(0).toULongLong(), serial);
    QCOMPARE(failed.first().at(1).value<ChartFailure>(), ChartFailure::OutOfMemory);
    QVERIFY(rendered.isEmpty());
    QVERIFY(viewer::chartMessage(path(QStringLiteral("paths.pdf")), ChartFailure::OutOfMemory)
                .contains(QStringLiteral("too large to draw")));

    QCOMPARE(openChart(client, path(QStringLiteral("one.pdf"))), ChartFailure::None);
    client.render(path(QStringLiteral("one.pdf")), {0, QSize(100, 141), 0, false});
    QTRY_COMPARE_WITH_TIMEOUT(rendered.count(), 1, ReplyWaitMs);
    QCOMPARE(rendered.first().at(1).value<QImage>().size(), QSize(100, 141));
}

// Shared memory that cannot be set up (here: no descriptor left) is reported as what it is, and set up again
// for the next chart.
void ChartHelperTest::pageMemoryIsSetUpAgain()
{
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit none = saved;
    none.rlim_cur = rlim_t(lowestFreeDescriptor());
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &none), 0);
    ChartRenderClient client(fixtures::realHelper());
    const ChartFailure withoutMemory = openChart(client, path(QStringLiteral("one.pdf")));
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &saved), 0);

    QCOMPARE(withoutMemory, ChartFailure::NoPageMemory);
    const QString message = viewer::chartMessage(path(QStringLiteral("one.pdf")), withoutMemory);
    QVERIFY2(message.contains(QStringLiteral("the memory for its page images could not be set up")),
             qPrintable(message));
    QCOMPARE(openChart(client, path(QStringLiteral("one.pdf"))), ChartFailure::None);
}

// The chart's index comes when asked for, plain and bounded, whatever the file holds; an entry that holds
// itself is read once.
void ChartHelperTest::chartIndexComesWithTheChart_data()
{
    using fixtures::OutlineItem;
    using viewer::OutlineEntry;
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QList<OutlineEntry>>("index");

    QTest::addRow("no index") << path(QStringLiteral("one.pdf")) << QList<OutlineEntry>{};
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("nested.pdf")), 6,
                                         {{"AERODROME", 0, 0},
                                          {"ILS RWY 16L", 2, 1},
                                          {"no destination", -1, 1},
                                          {"CONTINUED", 3, 2},
                                          {"NOTES", 5, 0}}));
    QTest::addRow("nested; an entry without page is left out, not its own entries")
        << path(QStringLiteral("nested.pdf"))
        << QList<OutlineEntry>{
               {"AERODROME", 0, 0}, {"ILS RWY 16L", 2, 1}, {"CONTINUED", 3, 2}, {"NOTES", 5, 0}};

    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("hostile.pdf")), 2,
                                         {{QStringLiteral("VOR\tRWY\n34R\r"), 0, 0},
                                          {QStringLiteral("\u202EDNIW\u202C HOLD\u2028"), 1, 0},
                                          {QString(200, u'W'), 1, 0}}));
    QTest::addRow("titles made plain and cut")
        << path(QStringLiteral("hostile.pdf"))
        << QList<OutlineEntry>{
               {"VOR RWY 34R", 0, 0}, {"DNIW HOLD", 1, 0}, {QString(119, u'W') + QChar(0x2026), 1, 0}};

    QList<OutlineItem> deep;
    QList<OutlineEntry> bounded;
    for (int level = 0; level < 20; ++level) {
        deep.append({QStringLiteral("LEVEL %1").arg(level), 0, level});
        bounded.append({QStringLiteral("LEVEL %1").arg(level), 0, std::min(level, 15)});
    }
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("deep.pdf")), 1, deep));
    QTest::addRow("depth bounded") << path(QStringLiteral("deep.pdf")) << bounded;

    QList<OutlineItem> many;
    for (int i = 0; i < 1500; ++i)
        many.append({QStringLiteral("CHART %1").arg(i), i % 3, 0});
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("many.pdf")), 3, many));
    QList<OutlineEntry> kept;
    for (int i = 0; i < viewer::protocol::MaxOutlineEntries; ++i)
        kept.append({QStringLiteral("CHART %1").arg(i), i % 3, 0});
    QTest::addRow("more entries than an index holds") << path(QStringLiteral("many.pdf")) << kept;

    QVERIFY(fixtures::writeOutlineOfEveryDestination(path(QStringLiteral("destinations.pdf"))));
    QTest::addRow("destinations, actions and names")
        << path(QStringLiteral("destinations.pdf"))
        << QList<OutlineEntry>{{"DIRECT", 0, 0}, {"ACTION", 1, 0}, {"NAMED", 2, 0}, {"OLD NAME", 1, 0}};

    QVERIFY(fixtures::writeLoopingOutline(path(QStringLiteral("next-loop.pdf")), false));
    QTest::addRow("an entry that is its own next")
        << path(QStringLiteral("next-loop.pdf")) << QList<OutlineEntry>{{"LOOP", 0, 0}};
    QVERIFY(fixtures::writeLoopingOutline(path(QStringLiteral("child-loop.pdf")), true));
    QTest::addRow("an entry that is its own child")
        << path(QStringLiteral("child-loop.pdf")) << QList<OutlineEntry>{{"LOOP", 0, 0}};
}

void ChartHelperTest::chartIndexComesWithTheChart()
{
    QFETCH(QString, chart);
    QFETCH(QList<viewer::OutlineEntry>, index);
    ChartRenderClient client(fixtures::realHelper());
    QCOMPARE(openChart(client, chart), ChartFailure::None);

    // The first page comes before the index that was asked for with it.
    QSignalSpy rendered(&client, &ChartRenderClient::rendered);
    QSignalSpy read(&client, &ChartRenderClient::outlineRead);
    QSignalSpy failed(&client, &ChartRenderClient::failed);
    client.render(chart, {0, QSize(100, 141), 0, false});
    const quint64 serial = client.readOutline(chart);
    QTRY_COMPARE_WITH_TIMEOUT(read.count(), 1, ReplyWaitMs);
    QCOMPARE(rendered.count(), 1);
    QVERIFY(failed.isEmpty());
    QCOMPARE(read.first().at(0).toULongLong(), serial);
    QCOMPARE(read.first().at(1).value<QList<viewer::OutlineEntry>>(), index);

    // The helper that read it still draws the chart's pages.
    client.render(chart, {0, QSize(100, 141), 0, false});
    QTRY_COMPARE_WITH_TIMEOUT(rendered.count(), 2, ReplyWaitMs);
}

QTEST_MAIN(ChartHelperTest)
#include "tst_charthelper.moc"
