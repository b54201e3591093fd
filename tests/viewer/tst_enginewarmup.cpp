// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixtures.h"
#include "EngineWarmUp.h"

#include <QImage>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTest>

// The render helper readies its PDF engine with a page of its own before the first chart arrives.
class EngineWarmUpTest : public QObject {
    Q_OBJECT

private slots:
    void warmUpPageIsDrawnAndChartsStillOpen();
};

// A warm-up page the engine cannot read would leave the first chart as slow as before, unnoticed; and the
// warm-up must leave the engine as it found it for the charts that follow, with or without a document open.
void EngineWarmUpTest::warmUpPageIsDrawnAndChartsStillOpen()
{
    const QTemporaryDir folder;
    const QString chart = folder.filePath(QStringLiteral("chart.pdf"));
    QVERIFY(fixtures::writeChart(chart, 2));

    QVERIFY(render::warmUpEngine());
    QPdfDocument held;
    QVERIFY(render::warmUpEngine());
    QCOMPARE(held.load(chart), QPdfDocument::Error::None);
    QVERIFY(render::warmUpEngine());
    QCOMPARE(held.pageCount(), 2);
    const QImage page = held.render(1, QSize(120, 160));
    QCOMPARE(page.size(), QSize(120, 160));
    QCOMPARE(page.pixelColor(4, 4), fixtures::markerColour(1)); // the second page's marker, top-left
}

QTEST_MAIN(EngineWarmUpTest)
#include "tst_enginewarmup.moc"
