// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include <QLineEdit>
#include <QTest>

// From a typed code to a filled data grid, "ICAO CODE NOT FOUND", and back with "&Clean".
class AirportEntryTest : public QObject {
    Q_OBJECT

private slots:
    void typedLettersBecomeCapitalsPastedTextKeepsItsCase();
    void anyChangeEnablesElaborates();
    void foundAirportFillsTheGridAndShowsTheSelector();
    void enterInTheBoxLooksUpOnlyWhileElaboratesIsEnabled();
    void codeIsStoredWithoutSurroundingBlanks();
    void notFoundThenCleanReturnsToTheEmptyEntry();
    void cleanLeavesNoStaleSlotsForAShorterRecord();
    void unreadableDirectoryWarnsAndTakesTheNotFoundState();
    void emptyCodeFindsNothing();

private:
    static QLineEdit *box(const MainWindowFixture &fixture)
    {
        return fixture.control<QLineEdit>(QStringLiteral("txtIcao"));
    }
};

void AirportEntryTest::typedLettersBecomeCapitalsPastedTextKeepsItsCase()
{
    MainWindowFixture fixture;
    fixture.load();
    fixture.typeCode(QStringLiteral("li-"));
    QTest::sendKeyEvent(QTest::Click, box(fixture), Qt::Key_unknown, QStringLiteral("\u00e9"),
                        Qt::NoModifier);
    QCOMPARE(box(fixture)->text(), QStringLiteral("LI-\u00e9"));
    box(fixture)->clear();
    box(fixture)->insert(QStringLiteral("lirf"));
    QCOMPARE(box(fixture)->text(), QStringLiteral("lirf"));
}

void AirportEntryTest::anyChangeEnablesElaborates()
{
    MainWindowFixture fixture;
    fixture.load();
    fixture.typeCode(QStringLiteral("l"));
    QTest::keyClick(box(fixture), Qt::Key_Backspace);
    QCOMPARE(box(fixture)->text(), QString());
    QVERIFY(fixture.button("cmdElabora")->isEnabled());
}

void AirportEntryTest::foundAirportFillsTheGridAndShowsTheSelector()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(sampleDirectory());
    fixture.load();
    fixture.category(0)->setChecked(true);
    fixture.lookUp(QStringLiteral("lirf"));
    QCOMPARE(fixture.values.sIcaoCode, QStringLiteral("LIRF"));
    QCOMPARE(fixture.slot(1)->text(), QStringLiteral("ROMA FIUMICINO"));
    QCOMPARE(fixture.slot(2)->text(), QStringLiteral("E 012 14 20"));
    QCOMPARE(fixture.slot(3)->text(), QStringLiteral("N 41 48 01"));
    QCOMPARE(fixture.slot(4)->text(), QStringLiteral("15 FT"));
    QCOMPARE(fixture.slot(6)->text(), QStringLiteral("16R"));
    QCOMPARE(fixture.slot(8)->text(), QStringLiteral("3900 M"));
    QCOMPARE(fixture.slot(10)->text(), QStringLiteral("110.30"));
    QCOMPARE(fixture.slot(11)->text(), QStringLiteral("163"));
    QCOMPARE(fixture.slot(18)->text(), QStringLiteral("34L"));
    for (const char *shown : {"Frame3", "Frame4", "Frame5", "Frame6", "Picture1", "openPDF"})
        QVERIFY2(fixture.control(QLatin1String(shown))->isVisible(), shown);
    QVERIFY(!fixture.category(0)->isChecked());
    QVERIFY(!fixture.button("cmdElabora")->isEnabled());
    QVERIFY(!box(fixture)->isEnabled());
}

void AirportEntryTest::enterInTheBoxLooksUpOnlyWhileElaboratesIsEnabled()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(sampleDirectory());
    fixture.load();
    QTest::keyClick(box(fixture), Qt::Key_Return);
    QCOMPARE(fixture.slot(1)->text(), QString());
    fixture.typeCode(QStringLiteral("LIML"));
    QTest::keyClick(box(fixture), Qt::Key_Return);
    QCOMPARE(fixture.slot(1)->text(), QStringLiteral("MILANO LINATE"));
}

void AirportEntryTest::codeIsStoredWithoutSurroundingBlanks()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(sampleDirectory());
    fixture.load();
    fixture.typeCode(QStringLiteral(" LI "));
    fixture.button("cmdElabora")->click();
    QCOMPARE(fixture.values.sIcaoCode, QStringLiteral("LI"));
}

void AirportEntryTest::notFoundThenCleanReturnsToTheEmptyEntry()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(sampleDirectory());
    fixture.load();
    fixture.lookUp(QStringLiteral("ZZZZ"));
    QCOMPARE(fixture.slot(1)->text(), QStringLiteral("ICAO CODE NOT FOUND"));
    QVERIFY(fixture.control(QStringLiteral("Frame4"))->isVisible());
    QVERIFY(!fixture.control(QStringLiteral("Frame6"))->isVisible());
    QVERIFY(!box(fixture)->isEnabled());

    fixture.button("cmdClean")->click();
    QCOMPARE(fixture.slot(1)->text(), QString());
    QCOMPARE(box(fixture)->text(), QString());
    QVERIFY(box(fixture)->isEnabled());
    QVERIFY(!fixture.button("cmdElabora")->isEnabled());
    QVERIFY(!fixture.control(QStringLiteral("Frame4"))->isVisible());
    QVERIFY(fixture.control(QStringLiteral("Frame1"))->isVisible());
}

void AirportEntryTest::cleanLeavesNoStaleSlotsForAShorterRecord()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(sampleDirectory());
    fixture.load();
    fixture.lookUp(QStringLiteral("LIRF"));
    fixture.button("cmdClean")->click();
    fixture.lookUp(QStringLiteral("LIML"));
    QCOMPARE(fixture.slot(6)->text(), QStringLiteral("36"));
    QCOMPARE(fixture.slot(18)->text(), QString());
    QCOMPARE(fixture.slot(22)->text(), QString());
    QCOMPARE(fixture.slot(29)->text(), QString()); // hidden, filled by the longer record before
}

void AirportEntryTest::unreadableDirectoryWarnsAndTakesTheNotFoundState()
{
    MainWindowFixture fixture;
    fixture.load();
    fixture.lookUp(QStringLiteral("LIRF"));
    QCOMPARE(fixture.notice.warnings.size(), 1);
    QVERIFY(fixture.notice.warnings.front().contains(QStringLiteral("airports.txt")));
    QCOMPARE(fixture.slot(1)->text(), QStringLiteral("ICAO CODE NOT FOUND"));

    fixture.writeDirectory(sampleDirectory());
    fixture.button("cmdClean")->click();
    fixture.lookUp(QStringLiteral("LIRF"));
    QCOMPARE(fixture.slot(1)->text(), QStringLiteral("ROMA FIUMICINO"));
}

void AirportEntryTest::emptyCodeFindsNothing()
{
    MainWindowFixture fixture;
    fixture.writeDirectory("\r\n  XXXX|a|SHOULD NOT SHOW|b|c|d|e\r\n\r\n" + sampleDirectory());
    fixture.load();
    fixture.typeCode(QStringLiteral("L"));
    QTest::keyClick(box(fixture), Qt::Key_Backspace);
    fixture.button("cmdElabora")->click();
    QCOMPARE(fixture.slot(1)->text(), QStringLiteral("ICAO CODE NOT FOUND"));
    QCOMPARE(fixture.slot(0)->text(), QString());
}

QTEST_MAIN(AirportEntryTest)
#include "tst_airportentry.moc"
