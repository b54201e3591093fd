// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "NearestAirportsDialog.h"
#include "SimulatorPortsDialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

namespace {

// Boston Logan and the airports around it.
QByteArray bostonDirectory()
{
    return "01KBOS|US|BOSTON LOGAN|W 071 00 23|N 42 21 47|20 FT|BOSTON\r\n"
           "04R|ASPH|3050 M|46 M|||||||\r\n\r\n"
           "02KOWD|US|NORWOOD MEMORIAL|W 071 10 23|N 42 11 27|49 FT|NORWOOD\r\n\r\n"
           "03KBED|US|BEDFORD HANSCOM|W 071 17 22|N 42 28 11|133 FT|BEDFORD\r\n\r\n"
           "04KBVY|US|BEVERLY|W 070 55 05|N 42 35 03|107 FT|BEVERLY\r\n\r\n";
}

// On runway 04R of Boston, 1 NM south-west of the airport's reference point.
constexpr double OnRunwayLatitude = 42.3511;
constexpr double OnRunwayLongitude = -71.0118;

} // namespace

// The aircraft in the main window: the position line, the nearest airport (Alt+N) and the list of ten,
// the lookup on the ground, and the settings of the menu "&Simulator".
class SimulatorInWindowTest : public QObject {
    Q_OBJECT

private slots:
    void positionLineFollowsTheFeedAndTheAirportLookedUp();
    void altNLooksUpTheNearestWhenTheBoxTakesInput();
    void listOfTheNearestLooksUpTheOneChosen();
    void lookupOnTheGroundOnceALanding();
    void menuSwitchesAreKeptInTheSettingsFile();

private:
    static QString positionLine(const MainWindowFixture &fixture)
    {
        return fixture.control<QLabel>(QStringLiteral("positionLine"))->text();
    }
    // The darkest grey of the position line's text, 0 for black.
    static int darkest(const MainWindowFixture &fixture)
    {
        const QImage image = fixture.control<QLabel>(QStringLiteral("positionLine"))->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        }
        return darkest;
    }
    static QString note(const MainWindowFixture &fixture)
    {
        return fixture.control<QLabel>(QStringLiteral("simulatorNote"))->text();
    }
    static QAction *command(const MainWindowFixture &fixture, const char *name)
    {
        return fixture.control<QAction>(QLatin1String(name));
    }
    static void pressAltN(const MainWindowFixture &fixture)
    {
        QTest::keyClick(fixture.window.get(), Qt::Key_N, Qt::AltModifier);
    }
};

void SimulatorInWindowTest::positionLineFollowsTheFeedAndTheAirportLookedUp()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(bostonDirectory());
    fixture.load();
    QCOMPARE(positionLine(fixture), QStringLiteral("NO SIMULATOR"));
    // Grey until positions come, in the text's own colour then.
    const int waiting = darkest(fixture);
    QVERIFY2(waiting > 80, qPrintable(QString::number(waiting)));

    fixture.simulator.fly(42.3289, -71.0383, 1250, 45, 142);
    QCOMPARE(positionLine(fixture), QStringLiteral("N 42 19.7 W 071 02.3 · 1,250 FT · GS 142 KT · TRK 045°"));
    QVERIFY2(darkest(fixture) < 40, qPrintable(QString::number(darkest(fixture))));
    fixture.lookUp(QStringLiteral("KBOS"));
    QVERIFY2(positionLine(fixture).endsWith(QStringLiteral(" · 2.5 NM 035° KBOS")),
             qPrintable(positionLine(fixture)));

    // Not found, or cleaned: no airport to measure to.
    fixture.button("cmdClean")->click();
    QVERIFY(positionLine(fixture).endsWith(QStringLiteral("TRK 045°")));
    fixture.lookUp(QStringLiteral("ZZZZ"));
    QVERIFY(positionLine(fixture).endsWith(QStringLiteral("TRK 045°")));
}

void SimulatorInWindowTest::altNLooksUpTheNearestWhenTheBoxTakesInput()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(bostonDirectory());
    fixture.load();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
    pressAltN(fixture);
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("txtIcao"))->text(), QString());
    QCOMPARE(note(fixture), QStringLiteral("No position from a simulator yet."));

    fixture.simulator.fly(OnRunwayLatitude, OnRunwayLongitude, 20, 35, 0);
    pressAltN(fixture);
    QCOMPARE(fixture.values.sIcaoCode, QStringLiteral("KBOS"));
    QCOMPARE(fixture.slot(1)->text(), QStringLiteral("BOSTON LOGAN"));

    // After a lookup the box takes nothing until "&Clean": the lookup stays, a hint says why.
    fixture.simulator.fly(42.4697, -71.2894, 133, 0, 0);
    pressAltN(fixture);
    QCOMPARE(fixture.values.sIcaoCode, QStringLiteral("KBOS"));
    QVERIFY2(note(fixture).contains(QLatin1String("Clean")), qPrintable(note(fixture)));
    fixture.button("cmdClean")->click();
    command(fixture, "mnuNearest")->trigger();
    QCOMPARE(fixture.values.sIcaoCode, QStringLiteral("KBED"));
}

void SimulatorInWindowTest::listOfTheNearestLooksUpTheOneChosen()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(bostonDirectory());
    fixture.load();
    fixture.simulator.fly(OnRunwayLatitude, OnRunwayLongitude, 20, 35, 0);
    command(fixture, "mnuNearestList")->trigger();
    auto *dialog = fixture.window->findChild<aircraft::NearestAirportsDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    auto *list = dialog->findChild<QTreeWidget *>();
    QCOMPARE(list->topLevelItemCount(), 4);
    const QTreeWidgetItem *nearest = list->topLevelItem(0);
    QCOMPARE(nearest->text(0), QStringLiteral("KBOS"));
    QCOMPARE(nearest->text(1), QStringLiteral("BOSTON LOGAN"));
    QCOMPARE(nearest->text(2), QStringLiteral("0.8 NM"));
    QCOMPARE(nearest->text(3), QStringLiteral("019°"));
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("KOWD"));

    list->setCurrentItem(list->topLevelItem(1));
    dialog->accept();
    QCOMPARE(fixture.values.sIcaoCode, QStringLiteral("KOWD"));
    QCOMPARE(fixture.slot(1)->text(), QStringLiteral("NORWOOD MEMORIAL"));
}

void SimulatorInWindowTest::lookupOnTheGroundOnceALanding()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(bostonDirectory());
    fixture.load();
    // Off unless switched on.
    fixture.simulator.fly(OnRunwayLatitude, OnRunwayLongitude, 20, 35, 12);
    QCOMPARE(fixture.values.sIcaoCode, QString());

    command(fixture, "mnuNearestOnGround")->trigger();
    QVERIFY(fixture.simulator.link.nearestOnGround());
    fixture.simulator.fly(OnRunwayLatitude, OnRunwayLongitude, 20, 35, 12);
    QCOMPARE(fixture.values.sIcaoCode, QStringLiteral("KBOS"));

    // Cleaned at the same airport: not again until the aircraft has flown.
    fixture.button("cmdClean")->click();
    fixture.simulator.fly(OnRunwayLatitude, OnRunwayLongitude, 20, 35, 5);
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("txtIcao"))->text(), QString());
    // A code being typed is not overwritten.
    fixture.simulator.fly(42.40, -71.10, 2000, 300, 140);
    fixture.typeCode(QStringLiteral("KB"));
    fixture.simulator.fly(42.4697, -71.2894, 133, 300, 30);
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("txtIcao"))->text(), QStringLiteral("KB"));
    fixture.control<QLineEdit>(QStringLiteral("txtIcao"))->clear();
    fixture.simulator.fly(42.4697, -71.2894, 133, 300, 25);
    QCOMPARE(fixture.values.sIcaoCode, QStringLiteral("KBED"));
}

void SimulatorInWindowTest::menuSwitchesAreKeptInTheSettingsFile()
{
    MainWindowFixture fixture;
    fixture.load();
    const QSettings file(fixture.settings.fileName(), QSettings::IniFormat);

    command(fixture, "mnuListen")->trigger();
    QCOMPARE(positionLine(fixture), QStringLiteral("SIMULATOR LINK OFF"));
    QCOMPARE(fixture.settings.simulatorLink().listening, false);
    command(fixture, "mnuListen")->trigger();
    QCOMPARE(positionLine(fixture), QStringLiteral("NO SIMULATOR"));

    command(fixture, "mnuLoopbackOnly")->trigger();
    QCOMPARE(fixture.settings.simulatorLink().loopbackOnly, true);

    command(fixture, "mnuPorts")->trigger();
    auto *ports = fixture.window->findChild<aircraft::SimulatorPortsDialog *>();
    QVERIFY(ports);
    QCOMPARE(ports->findChild<QSpinBox *>(QStringLiteral("networkGpsPort"))->value(), 49002);
    ports->findChild<QSpinBox *>(QStringLiteral("networkGpsPort"))->setValue(49102);
    ports->findChild<QSpinBox *>(QStringLiteral("nmeaPort"))->setValue(10210);
    ports->accept();
    const simlink::LinkSettings kept = fixture.settings.simulatorLink();
    QCOMPARE(kept.networkGpsPort, 49102);
    QCOMPARE(kept.nmeaPort, 10210);
    QCOMPARE(kept.loopbackOnly, true);
    QCOMPARE(kept.listening, true);
}

QTEST_MAIN(SimulatorInWindowTest)
#include "tst_simulatorinwindow.moc"
