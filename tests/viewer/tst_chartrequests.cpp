// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixtures.h"
#include "ChartRenderClient.h"
#include "ChartRequests.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using viewer::ChartFailure;
using viewer::ChartRenderClient;
using viewer::ChartRequests;
using viewer::PageRequest;

namespace {

constexpr int WaitMs = 20000;

PageRequest pageAt(int page, QSize size)
{
    return {page, size, 0, false};
}

} // namespace

// What one viewer asks of the render helper, without a window: only the chart and the page asked for last
// ever arrive, and the page on screen or on its way is not asked for again.
class ChartRequestsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyTheChartReadLastArrives();
    void pageOnScreenOrOnItsWayIsAskedForOnce();
    void chartThatCannotBeReadIsDropped();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void ChartRequestsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::writeChart(path(QStringLiteral("three.pdf")), 3));
    QVERIFY(fixtures::writeChart(path(QStringLiteral("one.pdf")), 1));
}

// Another chart read at once, or the requests reset, and nothing of the chart before is ever reported: not
// its pages, not its index.
void ChartRequestsTest::onlyTheChartReadLastArrives()
{
    ChartRenderClient client(fixtures::realHelper());
    ChartRequests requests(&client);
    QSignalSpy opened(&requests, &ChartRequests::opened);
    QSignalSpy ready(&requests, &ChartRequests::pageReady);
    QSignalSpy outline(&requests, &ChartRequests::outlineRead);
    connect(&requests, &ChartRequests::opened, &requests,
            [&requests] { requests.requestPage(pageAt(0, QSize(120, 170))); });

    requests.open(path(QStringLiteral("three.pdf")));
    requests.open(path(QStringLiteral("one.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(outline.count(), 1, WaitMs);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.first().at(0).value<QList<QSizeF>>().size(), 1);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(requests.chart(), path(QStringLiteral("one.pdf")));

    requests.open(path(QStringLiteral("three.pdf")));
    requests.reset();
    // Replies come in order: once the next chart's index is there, anything of the reset one would be too.
    requests.open(path(QStringLiteral("one.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(outline.count(), 2, WaitMs);
    QCOMPARE(opened.count(), 2);
    QCOMPARE(opened.last().at(0).value<QList<QSizeF>>().size(), 1);
    QCOMPARE(ready.count(), 2);
}

void ChartRequestsTest::pageOnScreenOrOnItsWayIsAskedForOnce()
{
    ChartRenderClient client(fixtures::realHelper());
    ChartRequests requests(&client);
    QSignalSpy opened(&requests, &ChartRequests::opened);
    QSignalSpy ready(&requests, &ChartRequests::pageReady);
    QSignalSpy rendered(&client, &ChartRenderClient::rendered);
    requests.open(path(QStringLiteral("three.pdf")));
    QVERIFY(opened.wait(WaitMs));

    const PageRequest second = pageAt(1, QSize(120, 170));
    requests.requestPage(second);
    requests.requestPage(second);
    QVERIFY(requests.isPageOnItsWay());
    QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, WaitMs);
    QCOMPARE(ready.first().at(1).value<PageRequest>(), second);
    QCOMPARE(ready.first().at(2).toBool(), false);
    QCOMPARE(requests.shownPage(), second);

    requests.requestPage(second);
    QVERIFY(!requests.isPageOnItsWay());
    // The same page larger: the one on screen redrawn.
    requests.requestPage(pageAt(1, QSize(240, 340)));
    QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 2, WaitMs);
    QCOMPARE(ready.last().at(2).toBool(), true);
    QCOMPARE(rendered.count(), 2);
}

void ChartRequestsTest::chartThatCannotBeReadIsDropped()
{
    ChartRenderClient client(fixtures::realHelper());
    ChartRequests requests(&client);
    QSignalSpy failed(&requests, &ChartRequests::failed);
    requests.open(path(QStringLiteral("absent.pdf")));
    QVERIFY(failed.wait(WaitMs));
    QCOMPARE(failed.first().at(0).value<ChartFailure>(), ChartFailure::FileMissing);
    QVERIFY(!requests.isOpen());
    QVERIFY(requests.chart().isEmpty());
}

QTEST_MAIN(ChartRequestsTest)
#include "tst_chartrequests.moc"
