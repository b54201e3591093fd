// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixtures.h"
#include "ChartRenderClient.h"
#include "ViewerLog.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// What the program logs about its render helper in varnelox.viewer: quiet unless enabled, and then the
// helper's start, its crash, its time-out and restart, and a helper that cannot start.
class RenderClientLogTest : public QObject {
    Q_OBJECT

private slots:
    void quietByDefault();
    void helperEvents_data();
    void helperEvents();
    void helperStartsWhenAskedOrWithTheFirstRequest_data();
    void helperStartsWhenAskedOrWithTheFirstRequest();
};

namespace {

QStringList logged;

void collect(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (QLatin1String(context.category) == QLatin1String("varnelox.viewer"))
        logged << message;
}

bool anyContains(const QString &text)
{
    return std::any_of(logged.cbegin(), logged.cend(),
                       [&](const QString &line) { return line.contains(text); });
}

} // namespace

void RenderClientLogTest::quietByDefault()
{
    QVERIFY(!viewer::lcViewer().isInfoEnabled());
    QVERIFY(viewer::lcViewer().isWarningEnabled());
}

void RenderClientLogTest::helperEvents_data()
{
    QTest::addColumn<QString>("helper"); // "fake" or a program that does not exist
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QStringList>("lines");

    QTest::addRow("crash") << "fake"
                           << "crash.pdf"
                           << QStringList{"starting the render helper", "the render helper crashed",
                                          "restarting the render helper"};
    QTest::addRow("time-out") << "fake"
                              << "hang.pdf"
                              << QStringList{"still running after", "stopped after its time-out",
                                             "restarting the render helper"};
    QTest::addRow("missing helper") << "missing"
                                    << "chart.pdf" << QStringList{"could not start"};
}

void RenderClientLogTest::helperEvents()
{
    QFETCH(QString, helper);
    QFETCH(QString, chart);
    QFETCH(QStringList, lines);

    const QTemporaryDir folder;
    QVERIFY(fixtures::writeChart(folder.filePath(chart)));
    viewer::ChartRenderSettings settings;
    settings.helperProgram =
        helper == u"fake" ? qEnvironmentVariable("FAKE_RENDER_HELPER") : folder.filePath("no-such-helper");
    settings.timeoutMs = 500;

    logged.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("varnelox.viewer.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    {
        viewer::ChartRenderClient client(settings);
        QSignalSpy failed(&client, &viewer::ChartRenderClient::failed);
        client.open(folder.filePath(chart));
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 20000);
        QTRY_VERIFY(anyContains(lines.last()));
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules({});

    for (const QString &line : lines)
        QVERIFY2(anyContains(line), qPrintable(logged.join(u'\n')));
}

void RenderClientLogTest::helperStartsWhenAskedOrWithTheFirstRequest_data()
{
    QTest::addColumn<bool>("asked"); // started by startHelper(), else by the first request
    QTest::addRow("asked") << true;
    QTest::addRow("first request") << false;
}

// A viewer's helper is started once its window is on screen, or by its first chart: never at construction.
void RenderClientLogTest::helperStartsWhenAskedOrWithTheFirstRequest()
{
    QFETCH(bool, asked);
    const QTemporaryDir folder;
    QVERIFY(fixtures::writeChart(folder.filePath("chart.pdf")));
    viewer::ChartRenderSettings settings;
    settings.helperProgram = qEnvironmentVariable("FAKE_RENDER_HELPER");

    logged.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("varnelox.viewer.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    {
        viewer::ChartRenderClient client(settings);
        QCoreApplication::processEvents();
        const bool startedEarly = anyContains("starting the render helper");
        if (asked) {
            client.startHelper();
            client.startHelper();
        } else {
            QSignalSpy opened(&client, &viewer::ChartRenderClient::opened);
            client.open(folder.filePath("chart.pdf"));
            QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 20000);
        }
        QVERIFY(!startedEarly);
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules({});
    QCOMPARE(logged.filter("starting the render helper").size(), 1);
}

QTEST_MAIN(RenderClientLogTest)
#include "tst_renderclientlog.moc"
