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
    void codesOutsideTheLibraryNameNoChart_data();
    void codesOutsideTheLibraryNameNoChart();

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

// The directory may hold any code and the code box takes any four characters: a code that is not all letters
// A to Z and digits names no chart, so no chart opens where such a path would lead.
void ChartSelectionTest::codesOutsideTheLibraryNameNoChart_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("reached"); // the chart such a path would have opened

    QTest::addRow("../X") << "../X"
                          << "X/ADPX1-1.PDF";
    QTest::addRow("..") << ".."
                        << "ADP1-1.PDF";
    QTest::addRow("../") << "../"
                         << "ADP/1-1.PDF";
    QTest::addRow("A/B") << "A/B"
                         << "Airports/A/B/ADPB1-1.PDF";
    QTest::addRow("A\\B") << "A\\B"
                          << "Airports/A\\B/ADPB1-1.PDF";
}

void ChartSelectionTest::codesOutsideTheLibraryNameNoChart()
{
    QFETCH(QString, code);
    QFETCH(QString, reached);

    m_fixture->writeChart(reached);
    // The header item ends right after the code, so that a shorter code matches it too.
    m_fixture->writeDirectory("01" + code.toLatin1() + "\r\nX|NOWHERE|E 0|N 0|0 FT|X\r\n\r\n");
    m_fixture->button("cmdClean")->click();
    m_fixture->lookUp(code);
    QCOMPARE(m_fixture->values.sIcaoCode, code);
    QVERIFY(m_fixture->category(0)->isVisible());
    QTest::mouseClick(m_fixture->category(0), Qt::LeftButton);

    auto *viewer = m_fixture->control<viewer::ChartViewer>(QStringLiteral("openPDF"));
    QVERIFY(viewer->loadedFile().isEmpty());
    QCOMPARE(viewer->state(), viewer::ChartViewer::State::Failed);
    QVERIFY2(viewer->message().contains(QStringLiteral("There is no chart file for this airport code")),
             qPrintable(viewer->message()));
    QVERIFY(m_fixture->values.sChartPath.isEmpty());
}

QTEST_MAIN(ChartSelectionTest)
#include "tst_chartselection.moc"
