// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartViewer.h"
#include "MainWindowFixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

// The main window as laid out, its two panel layouts, the load sequence and activation.
class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void captionsKeepTheirBlanks_data();
    void captionsKeepTheirBlanks();
    void gridSlotsStandUnderTheirHeadings_data();
    void gridSlotsStandUnderTheirHeadings();
    void hiddenSlotsLiveInTheInvisibleFrame();
    void firstLoadAppliesTheDataLayout();
    void loadsAlternateBetweenDataAndEntryLayout();
    void loadPlaysThreeCuesFromTheSoundFolder();
    void firstFrameOnScreenIsAnnouncedOnce();
    void activationClearsCategoriesOneToSixOnly();
    void activationAfterALookupStillClearsCategories();
    void codeBoxTakesAtMostFourCharacters();
};

void MainWindowLayoutTest::captionsKeepTheirBlanks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("frame 1") << "Frame1"
                             << "SELECT AIRPORT ";
    QTest::newRow("frame 4") << "Frame4"
                             << "DATA AIRPORT";
    QTest::newRow("frame 3") << "Frame3"
                             << "MANAGEMENT";
    QTest::newRow("frame 6") << "Frame6"
                             << "SELECT PROCEDURES";
    QTest::newRow("frame 2") << "Frame2"
                             << "INVISIBLE";
    QTest::newRow("runway") << "Label8_0"
                            << "RWY  N.";
    QTest::newRow("length") << "Label7_0"
                            << "LENGHT RWY";
    QTest::newRow("frequency") << "Label6_1"
                               << "     ILS      FREQ";
    QTest::newRow("course") << "Label6_2"
                            << "ILS COURSE";
    QTest::newRow("long") << "Label3_0"
                          << "LONG";
    QTest::newRow("lat") << "Label4_0"
                         << "LAT";
    QTest::newRow("code") << "Label2"
                          << "ICAO CODE";
    QTest::newRow("name") << "Label1"
                          << "AIRPORT NAME";
    QTest::newRow("category 0") << "Option1_0"
                                << "AERODROME  DATA";
    QTest::newRow("category 4") << "Option1_4"
                                << "VISUAL AND I.A.C.";
    QTest::newRow("category 6") << "Option1_6"
                                << "LOCAL RESTRICTIONS";
    QTest::newRow("link") << "cmdLink"
                          << "&Link to FS";
    QTest::newRow("elaborates") << "cmdElabora"
                                << "&Elaborates";
    QTest::newRow("panel title") << "Label3_1"
                                 << "VARNELOX VERS. 4.0 - THE AERONAUTICAL CHARTS ALWAYS WITH YOU";
}

void MainWindowLayoutTest::captionsKeepTheirBlanks()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    MainWindowFixture fixture;
    fixture.load();
    QWidget *control = fixture.control(name);
    QVERIFY2(control, qPrintable(name));
    QString shown;
    if (auto *frame = qobject_cast<QGroupBox *>(control))
        shown = frame->title();
    else if (auto *label = qobject_cast<QLabel *>(control))
        shown = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        shown = button->text();
    QCOMPARE(shown, text);
    QCOMPARE(fixture.window->windowTitle(),
             QStringLiteral("VARNELOX VERS. 4.0 - THE AERONAUTICAL CHARTS ALWAYS WITH YOU"));
}

void MainWindowLayoutTest::gridSlotsStandUnderTheirHeadings_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QRect>("pixels"); // at 96 dpi, 15 twips a pixel
    QTest::newRow("name") << 1 << "Frame1" << QRect(16, 104, 337, 25);
    QTest::newRow("height, taller") << 4 << "Frame1" << QRect(152, 40, 105, 33);
    QTest::newRow("long") << 2 << "Frame4" << QRect(32, 32, 129, 25);
    QTest::newRow("lat") << 3 << "Frame4" << QRect(208, 32, 129, 25);
    QTest::newRow("row 0 runway") << 6 << "Frame4" << QRect(16, 96, 57, 25);
    QTest::newRow("row 0 length") << 8 << "Frame4" << QRect(88, 96, 73, 25);
    QTest::newRow("row 0 frequency") << 10 << "Frame4" << QRect(176, 96, 89, 25);
    QTest::newRow("row 0 course") << 11 << "Frame4" << QRect(272, 96, 81, 25);
    QTest::newRow("row 9 frequency, wide") << 118 << "Frame4" << QRect(176, 384, 89, 25);
    QTest::newRow("row 11 runway") << 138 << "Frame4" << QRect(16, 448, 57, 25);
    QTest::newRow("row 11 length") << 140 << "Frame4" << QRect(88, 448, 73, 25);
    QTest::newRow("row 11 frequency, narrow") << 142 << "Frame4" << QRect(176, 448, 81, 25);
    QTest::newRow("row 11 course") << 143 << "Frame4" << QRect(272, 448, 81, 25);
}

void MainWindowLayoutTest::gridSlotsStandUnderTheirHeadings()
{
    QFETCH(int, slot);
    QFETCH(QString, frame);
    QFETCH(QRect, pixels);
    MainWindowFixture fixture;
    fixture.load();
    auto *cell = fixture.slot(slot);
    QVERIFY(cell);
    QCOMPARE(cell->parentWidget()->objectName(), frame);
    QCOMPARE(cell->geometry(), pixels);
}

void MainWindowLayoutTest::hiddenSlotsLiveInTheInvisibleFrame()
{
    MainWindowFixture fixture;
    fixture.load();
    const QSet<int> shownOffsets{0, 2, 4, 5};
    int hidden = 0;
    for (int slot = 0; slot < 151; ++slot) {
        const bool shown = slot == 1 || (slot >= 2 && slot <= 4) ||
                           (slot >= 6 && slot < 150 && shownOffsets.contains((slot - 6) % 12));
        auto *cell = fixture.slot(slot);
        QVERIFY2(cell, qPrintable(QString::number(slot)));
        QCOMPARE(cell->parentWidget()->objectName() == QLatin1String("Frame2"), !shown);
        hidden += shown ? 0 : 1;
    }
    QCOMPARE(hidden, 151 - 52);
    QVERIFY(fixture.control(QStringLiteral("Frame2"))->isHidden());
}

void MainWindowLayoutTest::firstLoadAppliesTheDataLayout()
{
    MainWindowFixture fixture;
    fixture.load();
    QCOMPARE(fixture.values.bLoadToggle, 1);
    for (const char *shown : {"Frame1", "Frame3", "Frame4", "Frame5", "Image2", "Image1_1", "Image1_2"})
        QVERIFY2(fixture.control(QLatin1String(shown))->isVisible(), shown);
    for (const char *hidden : {"Frame6", "Picture1", "fraUscita", "Frame2"})
        QVERIFY2(!fixture.control(QLatin1String(hidden))->isVisible(), hidden);
    QVERIFY(!fixture.chartViewerShown());
    QVERIFY(!fixture.button("cmdElabora")->isEnabled());
    QVERIFY(!fixture.button("cmdLink")->isEnabled());
    QVERIFY(fixture.button("cmdStampa")->isEnabled());
    // The client area of 13020 x 10455 twips, then the status line of 345 twips below it.
    QCOMPARE(fixture.control(QStringLiteral("clientArea"))->geometry(), QRect(0, 0, 868, 697));
    QCOMPARE(fixture.control(QStringLiteral("simulatorStatusLine"))->geometry(), QRect(0, 697, 868, 23));
    QCOMPARE(fixture.window->size(), QSize(868, 720));
}

void MainWindowLayoutTest::loadsAlternateBetweenDataAndEntryLayout()
{
    MainWindowFixture fixture;
    fixture.load();
    QCOMPARE(fixture.values.bLoadToggle, 1);
    fixture.load();
    QCOMPARE(fixture.values.bLoadToggle, 0);
    for (const char *shown : {"Frame1", "Frame5", "Image2"})
        QVERIFY2(fixture.control(QLatin1String(shown))->isVisible(), shown);
    for (const char *hidden : {"Frame3", "Frame4", "Frame6", "Picture1"})
        QVERIFY2(!fixture.control(QLatin1String(hidden))->isVisible(), hidden);
    QVERIFY(!fixture.chartViewerShown());
    fixture.load();
    QCOMPARE(fixture.values.bLoadToggle, 1);
    QVERIFY(fixture.control(QStringLiteral("Frame4"))->isVisible());
}

void MainWindowLayoutTest::loadPlaysThreeCuesFromTheSoundFolder()
{
    MainWindowFixture fixture;
    fixture.load();
    const QString folder = fixture.values.soundFolder;
    // The first cue at once, the other two after a pause that leaves the window free to draw.
    QCOMPARE(fixture.sound.played, QStringList{folder + "/of1297.wav"});
    QTRY_COMPARE(fixture.sound.played,
                 QStringList({folder + "/of1297.wav", folder + "/of1298.wav", folder + "/of1300.wav"}));
}

// The owner loads the sound system once the window is on screen: the first frame is announced, and only it.
// The chart viewer, hidden until a lookup, is built by then, not before.
void MainWindowLayoutTest::firstFrameOnScreenIsAnnouncedOnce()
{
    MainWindowFixture fixture;
    mainwindow::FrmMain &window = fixture.load();
    QVERIFY(!fixture.control(QStringLiteral("openPDF")));
    QSignalSpy shown(&window, &mainwindow::FrmMain::firstShownOnScreen);
    QTRY_COMPARE(shown.count(), 1);
    QVERIFY(fixture.control(QStringLiteral("openPDF")));
    QVERIFY(!fixture.chartViewerShown());
    window.repaint();
    fixture.activate();
    QCoreApplication::processEvents();
    QCOMPARE(shown.count(), 1);
}

void MainWindowLayoutTest::activationClearsCategoriesOneToSixOnly()
{
    MainWindowFixture fixture;
    fixture.load();
    fixture.category(0)->setChecked(true);
    fixture.activate();
    QVERIFY(fixture.category(0)->isChecked());
    fixture.category(5)->setChecked(true);
    fixture.activate();
    for (int index = 0; index < 7; ++index)
        QVERIFY(!fixture.category(index)->isChecked());
}

void MainWindowLayoutTest::activationAfterALookupStillClearsCategories()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(sampleDirectory());
    fixture.load();
    fixture.lookUp(QStringLiteral("LIRF"));
    fixture.category(3)->setChecked(true);
    fixture.activate();
    QVERIFY(!fixture.category(3)->isChecked());
    QVERIFY(!fixture.control(QStringLiteral("txtIcao"))->isEnabled());
}

void MainWindowLayoutTest::codeBoxTakesAtMostFourCharacters()
{
    MainWindowFixture fixture;
    fixture.load();
    auto *box = fixture.control<QLineEdit>(QStringLiteral("txtIcao"));
    fixture.typeCode(QStringLiteral("abcde"));
    QCOMPARE(box->text(), QStringLiteral("ABCD"));
    box->clear();
    box->insert(QStringLiteral("lirfx")); // as a paste arrives
    QCOMPARE(box->text(), QStringLiteral("lirf"));
}

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_mainwindowlayout.moc"
