// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartViewer.h"
#include "MainWindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
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
    void cleanClosesTheChartAndANewLookupShowsNone_data();
    void cleanClosesTheChartAndANewLookupShowsNone();
    void activationKeepsTheCategoryOfTheChartShown();
    void codesOutsideTheLibraryNameNoChart_data();
    void codesOutsideTheLibraryNameNoChart();
    void categoriesShowWhichChartsExist_data();
    void categoriesShowWhichChartsExist();
    void aChartRemovedShowsGreyedAtTheNextLookup();
    void nightColoursAreKeptForTheNextRun();

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
    QVERIFY(m_fixture->category(5)->isEnabled());
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

void ChartSelectionTest::cleanClosesTheChartAndANewLookupShowsNone_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("same airport") << "LIRF";
    QTest::newRow("another airport") << "LIML";
}

void ChartSelectionTest::cleanClosesTheChartAndANewLookupShowsNone()
{
    QFETCH(QString, code);
    auto *viewer = m_fixture->control<viewer::ChartViewer>(QStringLiteral("openPDF"));
    auto *hint = viewer->findChild<QLabel *>(QStringLiteral("chartMessage"));
    const auto noCategoryChosen = [this] {
        for (int index = 0; index < 7; ++index) {
            if (m_fixture->category(index)->isChecked())
                return false;
        }
        return true;
    };
    QTest::mouseClick(m_fixture->category(3), Qt::LeftButton);
    QCOMPARE(viewer->state(), viewer::ChartViewer::State::Loading);

    m_fixture->button("cmdClean")->click();
    QCOMPARE(viewer->state(), viewer::ChartViewer::State::Empty);
    QVERIFY(viewer->loadedFile().isEmpty());
    QVERIFY(m_fixture->values.sChartPath.isEmpty());
    QVERIFY(!m_fixture->button("cmdLink")->isEnabled());
    QVERIFY(noCategoryChosen());

    m_fixture->lookUp(code);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->state(), viewer::ChartViewer::State::Empty);
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("Choose a chart category"));
    QVERIFY(m_fixture->values.sChartPath.isEmpty());
    QVERIFY(!m_fixture->button("cmdLink")->isEnabled());
    QVERIFY(noCategoryChosen());
    // "&Print" stays unavailable once a chart has been shown.
    QVERIFY(!m_fixture->button("cmdStampa")->isEnabled());

    // A chart lost on its way from the render helper never comes back.
    QTest::qWait(200);
    QCOMPARE(viewer->state(), viewer::ChartViewer::State::Empty);

    QTest::mouseClick(m_fixture->category(1), Qt::LeftButton);
    QVERIFY(m_fixture->button("cmdLink")->isEnabled());
    QVERIFY(m_fixture->values.sChartPath.endsWith(
        QStringLiteral("/Airports/%1/ADP%2%3-1.PDF").arg(code, code.sliced(2), QStringLiteral("2"))));
    QVERIFY(!hint->isVisible());
}

void ChartSelectionTest::activationKeepsTheCategoryOfTheChartShown()
{
    QTest::mouseClick(m_fixture->category(4), Qt::LeftButton);
    m_fixture->activate();
    QVERIFY(m_fixture->category(4)->isChecked());
    QVERIFY(m_fixture->button("cmdLink")->isEnabled());
    QCOMPARE(m_fixture->values.sChartPath, chart(QStringLiteral("Airports/LIRF/ADPRF5-1.PDF")));
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

namespace {

// A caption in the colour of disabled text.
bool isGreyed(const QRadioButton *option)
{
    const QPalette &palette = option->palette();
    return palette.color(QPalette::Active, QPalette::WindowText) ==
               palette.color(QPalette::Disabled, QPalette::WindowText) &&
           palette.color(QPalette::Inactive, QPalette::WindowText) ==
               palette.color(QPalette::Disabled, QPalette::WindowText);
}

} // namespace

// After each lookup the categories without a chart file show greyed, by the rule that opens a chart; they
// stay buttons. Charts copied in meanwhile show on the next lookup.
void ChartSelectionTest::categoriesShowWhichChartsExist_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<bool>>("available");
    const QList<bool> none(7, false);
    QTest::newRow("no chart") << QStringList{} << none;
    QTest::newRow("every chart") << QStringList{"Airports/LIRF/ADPRF1-1.PDF", "Airports/LIRF/ADPRF2-1.PDF",
                                                "Airports/LIRF/ADPRF3-1.PDF", "Airports/LIRF/ADPRF4-1.PDF",
                                                "Airports/LIRF/ADPRF5-1.PDF", "Airports/LIRF/ADPRF6-1.PDF",
                                                "Airports/LIRF/ADPRF8-1.PDF"}
                                 << QList<bool>(7, true);
    QTest::newRow("some charts") << QStringList{"Airports/LIRF/ADPRF2-1.PDF", "Airports/LIRF/ADPRF8-1.PDF"}
                                 << QList<bool>{false, true, false, false, false, false, true};
    QTest::newRow("library in lower case") << QStringList{"airports/lirf/adprf4-1.pdf"}
                                           << QList<bool>{false, false, false, true, false, false, false};
    QTest::newRow("no chart number 7") << QStringList{"Airports/LIRF/ADPRF7-1.PDF"} << none;
    QTest::newRow("another airport's chart") << QStringList{"Airports/LIML/ADPML1-1.PDF"} << none;
    QTest::newRow("a folder in a chart's place") << QStringList{"Airports/LIRF/ADPRF1-1.PDF/inside"} << none;
}

void ChartSelectionTest::categoriesShowWhichChartsExist()
{
    QFETCH(QStringList, files);
    QFETCH(QList<bool>, available);
    for (int index = 0; index < 7; ++index)
        QVERIFY(isGreyed(m_fixture->category(index)));
    for (const QString &file : files)
        m_fixture->writeChart(file);
    m_fixture->button("cmdClean")->click();
    m_fixture->lookUp(QStringLiteral("LIRF"));
    for (int index = 0; index < 7; ++index) {
        QRadioButton *option = m_fixture->category(index);
        QCOMPARE(isGreyed(option), !available[index]);
        QCOMPARE(option->toolTip().isEmpty(), available[index]);
        QVERIFY(option->isEnabled());
    }
}

void ChartSelectionTest::aChartRemovedShowsGreyedAtTheNextLookup()
{
    m_fixture->writeChart(QStringLiteral("Airports/LIRF/ADPRF5-1.PDF"));
    m_fixture->button("cmdClean")->click();
    m_fixture->lookUp(QStringLiteral("LIRF"));
    QVERIFY(!isGreyed(m_fixture->category(4)));
    QVERIFY(QFile::remove(chart(QStringLiteral("Airports/LIRF/ADPRF5-1.PDF"))));
    m_fixture->button("cmdClean")->click();
    m_fixture->lookUp(QStringLiteral("LIRF"));
    QVERIFY(isGreyed(m_fixture->category(4)));
}

void ChartSelectionTest::nightColoursAreKeptForTheNextRun()
{
    auto *viewer = m_fixture->control<viewer::ChartViewer>(QStringLiteral("openPDF"));
    QVERIFY(!viewer->place().night);
    QApplication::setActiveWindow(m_fixture->window.get());
    viewer->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N);
    QVERIFY(m_fixture->settings.night());

    m_fixture->load();
    QTRY_VERIFY(m_fixture->control(QStringLiteral("openPDF")));
    viewer = m_fixture->control<viewer::ChartViewer>(QStringLiteral("openPDF"));
    QVERIFY(viewer->place().night);
}

QTEST_MAIN(ChartSelectionTest)
#include "tst_chartselection.moc"
