#include "ChartViewer.h"
#include "MainWindowFixture.h"

#include <QTest>

// Choosing a chart category: the chart path, what is remembered, and the buttons it switches.
class ChartSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void choiceLoadsTheChartAndRemembersItsPath();
    void sameCategoryTwiceRunsTheChoiceTwice();
    void keyboardChoiceRunsTheChoice();
    void missingChartStillEnablesLinkAndStoresThePath();
    void lowerCaseLibraryOpensThroughTheCaseFallback();
    void linkStaysEnabledAndPrintDisabledAcrossCleanAndLookups();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
    QString chart(const QString &relative) const { return m_fixture->folder.filePath(relative); }
};

void ChartSelectionTest::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_fixture->writeDirectory(sampleDirectory());
    m_fixture->load();
    m_fixture->lookUp(QStringLiteral("LIRF"));
}

void ChartSelectionTest::choiceLoadsTheChartAndRemembersItsPath()
{
    m_fixture->writeChart(QStringLiteral("Airports/LIRF/ADPRF8-1.PDF"));
    QVERIFY(m_fixture->values.sChartPath.isEmpty());
    QTest::mouseClick(m_fixture->category(6), Qt::LeftButton);
    const QString expected = chart(QStringLiteral("Airports/LIRF/ADPRF8-1.PDF"));
    QCOMPARE(m_fixture->values.sChartPath, expected);
    auto *viewer = m_fixture->control<viewer::ChartViewer>(QStringLiteral("openPDF"));
    QCOMPARE(viewer->loadedFile(), expected);
    QVERIFY(viewer->isVisible());
    QVERIFY(m_fixture->button("cmdLink")->isEnabled());
    QVERIFY(!m_fixture->button("cmdStampa")->isEnabled());
}

void ChartSelectionTest::sameCategoryTwiceRunsTheChoiceTwice()
{
    QTest::mouseClick(m_fixture->category(2), Qt::LeftButton);
    m_fixture->values.sChartPath.clear();
    QTest::mouseClick(m_fixture->category(2), Qt::LeftButton);
    QCOMPARE(m_fixture->values.sChartPath, chart(QStringLiteral("Airports/LIRF/ADPRF3-1.PDF")));
}

void ChartSelectionTest::keyboardChoiceRunsTheChoice()
{
    QTest::mouseClick(m_fixture->category(0), Qt::LeftButton);
    QApplication::setActiveWindow(m_fixture->window.get());
    m_fixture->category(0)->setFocus();
    QTest::keyClick(m_fixture->category(0), Qt::Key_Right);
    QVERIFY(m_fixture->category(1)->isChecked());
    QCOMPARE(m_fixture->values.sChartPath, chart(QStringLiteral("Airports/LIRF/ADPRF2-1.PDF")));
}

void ChartSelectionTest::missingChartStillEnablesLinkAndStoresThePath()
{
    QTest::mouseClick(m_fixture->category(5), Qt::LeftButton);
    QCOMPARE(m_fixture->values.sChartPath, chart(QStringLiteral("Airports/LIRF/ADPRF6-1.PDF")));
    QVERIFY(m_fixture->button("cmdLink")->isEnabled());
    auto *viewer = m_fixture->control<viewer::ChartViewer>(QStringLiteral("openPDF"));
    QTRY_COMPARE(viewer->state(), viewer::ChartViewer::State::Failed);
    QVERIFY(viewer->message().contains(QStringLiteral("ADPRF6-1.PDF")));
}

void ChartSelectionTest::lowerCaseLibraryOpensThroughTheCaseFallback()
{
    m_fixture->writeChart(QStringLiteral("airports/lirf/adprf1-1.pdf"));
    QTest::mouseClick(m_fixture->category(0), Qt::LeftButton);
    QCOMPARE(m_fixture->values.sChartPath, chart(QStringLiteral("Airports/LIRF/ADPRF1-1.PDF")));
    auto *viewer = m_fixture->control<viewer::ChartViewer>(QStringLiteral("openPDF"));
    QCOMPARE(viewer->loadedFile(), chart(QStringLiteral("airports/lirf/adprf1-1.pdf")));
}

void ChartSelectionTest::linkStaysEnabledAndPrintDisabledAcrossCleanAndLookups()
{
    QTest::mouseClick(m_fixture->category(3), Qt::LeftButton);
    m_fixture->button("cmdClean")->click();
    QVERIFY(m_fixture->button("cmdLink")->isEnabled());
    QVERIFY(!m_fixture->button("cmdStampa")->isEnabled());
    m_fixture->lookUp(QStringLiteral("LIML"));
    QVERIFY(m_fixture->button("cmdLink")->isEnabled());
    QVERIFY(!m_fixture->button("cmdStampa")->isEnabled());
    QCOMPARE(m_fixture->values.sChartPath, chart(QStringLiteral("Airports/LIRF/ADPRF4-1.PDF")));
}

QTEST_MAIN(ChartSelectionTest)
#include "tst_chartselection.moc"
