// SPDX-License-Identifier: GPL-3.0-or-later
#include "../mainwindow/MainWindowFixture.h"
#include "ChartViewer.h"
#include "CompanionFakes.h"
#include "FrmFS9.h"
#include "ProgramWindows.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

using companion::FrmFS9;
using mainwindow::FrmMain;

// The windows' owner: the way from the main window to the companion window and back, the tray icon
// across the commands, and the end of the program.
class ProgramWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void linkHidesTheMainWindowAndShowsTheSameChartOnTop();
    void anotherProcedureBringsBackTheSameMainWindow();
    void placeInTheChartGoesToTheCompanionAndBack_data();
    void placeInTheChartGoesToTheCompanionAndBack();
    void newAirportLoadsTheMainWindowAfresh();
    void nearestAirportFromTheCompanionComesBackLikeNewAirport();
    void oneIconAfterEverySequence_data();
    void oneIconAfterEverySequence();
    void exitEndsTheProgramWithoutClosingAnyWindow_data();
    void exitEndsTheProgramWithoutClosingAnyWindow();
    void sessionEndIsNotRefused();

private:
    FrmMain *main() const { return m_windows->mainWindow(); }
    FrmFS9 *companion() const { return m_windows->companionWindow(); }
    template <typename T> T *inMain(const QString &name) const { return main()->findChild<T *>(name); }
    void link() const;
    void step(const QString &name);
    static void settle();

    std::unique_ptr<MainWindowFixture> m_fixture; // program folder, values, main window services
    std::unique_ptr<FakeTray> m_tray;
    std::unique_ptr<AnsweringExitQuestion> m_companionExit;
    std::unique_ptr<app::ProgramWindows> m_windows;
};

void ProgramWindowsTest::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_fixture->writeDirectory(sampleDirectory());
    m_fixture->writeChart(QStringLiteral("Airports/LIRF/ADPRF2-1.PDF"));
    m_tray = std::make_unique<FakeTray>();
    m_companionExit = std::make_unique<AnsweringExitQuestion>();
    MainWindowFixture &f = *m_fixture;
    m_windows = std::make_unique<app::ProgramWindows>(
        f.values,
        mainwindow::MainWindowServices{f.sound, f.exitQuestion, f.printer, f.mail, f.notice, f.settings,
                                       f.simulator.link, f.charts, f.places},
        companion::CompanionServices{*m_companionExit, *m_tray, f.settings, f.simulator.link, f.charts,
                                     f.places});
    m_windows->start();
    QVERIFY(QTest::qWaitForWindowExposed(main()));
}

void ProgramWindowsTest::cleanup()
{
    m_windows.reset();
    settle();
}

void ProgramWindowsTest::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// "&Link to FS", after a lookup and a chart choice when the main window has none yet.
void ProgramWindowsTest::link() const
{
    auto *cmdLink = inMain<QAbstractButton>(QStringLiteral("cmdLink"));
    if (!cmdLink->isEnabled()) {
        QTest::keyClicks(inMain<QLineEdit>(QStringLiteral("txtIcao")), QStringLiteral("LIRF"));
        inMain<QAbstractButton>(QStringLiteral("cmdElabora"))->click();
        QTest::mouseClick(inMain<QAbstractButton>(QStringLiteral("Option1_1")), Qt::LeftButton);
    }
    cmdLink->click();
}

void ProgramWindowsTest::step(const QString &name)
{
    const auto choose = [this](const char *command) {
        companion()->findChild<QAction *>(QLatin1String(command))->trigger();
    };
    if (name == u"link") {
        link();
    } else if (name == u"minimise") {
        companion()->showMinimized();
        QTRY_VERIFY(companion()->isHidden());
    } else if (name == u"tray click") {
        m_tray->click(QSystemTrayIcon::Trigger);
    } else if (name == u"close box") {
        QCloseEvent request;
        QSpontaneKeyEvent::setSpontaneous(&request);
        QCoreApplication::sendEvent(companion(), &request);
    } else if (name == u"exit, No") {
        m_companionExit->answer = false;
        choose("mPopExit");
    } else {
        choose(name == u"restore" ? "mnuProcScelta" : name == u"another" ? "mnuNuovaProc" : "mnuAeroporto");
    }
    settle();
}

void ProgramWindowsTest::linkHidesTheMainWindowAndShowsTheSameChartOnTop()
{
    link();
    QVERIFY(main()->isHidden());
    QVERIFY(companion());
    QVERIFY(companion()->isVisible());
    QVERIFY(companion()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(m_tray->icons, 1);
    const QString chart = m_fixture->folder.filePath(QStringLiteral("Airports/LIRF/ADPRF2-1.PDF"));
    QCOMPARE(companion()->findChild<viewer::ChartViewer *>(QStringLiteral("openPDF2"))->loadedFile(), chart);
    QCOMPARE(inMain<viewer::ChartViewer>(QStringLiteral("openPDF"))->loadedFile(), chart);
}

void ProgramWindowsTest::anotherProcedureBringsBackTheSameMainWindow()
{
    link();
    const QPointer<FrmMain> before = main();
    step(QStringLiteral("another"));
    QCOMPARE(main(), before.data());
    QVERIFY(main()->isVisible());
    QVERIFY(!companion());
    QCOMPARE(m_tray->icons, 0);
    QCOMPARE(m_fixture->values.bLoadToggle, 1);
    QCOMPARE(inMain<QLineEdit>(QStringLiteral("txtIcao"))->text(), QStringLiteral("LIRF"));
    QCOMPARE(inMain<mainwindow::GridCell>(QStringLiteral("lblRwy_1"))->text(),
             QStringLiteral("ROMA FIUMICINO"));
    QCOMPARE(inMain<viewer::ChartViewer>(QStringLiteral("openPDF"))->loadedFile(),
             m_fixture->folder.filePath(QStringLiteral("Airports/LIRF/ADPRF2-1.PDF")));
    // The chart shown comes back with its category selected.
    QVERIFY(inMain<QAbstractButton>(QStringLiteral("Option1_1"))->isChecked());
    QVERIFY(inMain<QAbstractButton>(QStringLiteral("cmdLink"))->isEnabled());
}

// The companion window opens at the main viewer's place in the chart, and "&Another Procedure" hands the
// place it has reached back; "&New Airport" starts a fresh main window at the first page, fitted to width.
void ProgramWindowsTest::placeInTheChartGoesToTheCompanionAndBack_data()
{
    QTest::addColumn<QString>("back");
    QTest::addColumn<bool>("returned");
    QTest::newRow("another procedure") << "another" << true;
    QTest::newRow("new airport") << "new airport" << false;
}

void ProgramWindowsTest::placeInTheChartGoesToTheCompanionAndBack()
{
    QFETCH(QString, back);
    QFETCH(bool, returned);
    link();
    step(QStringLiteral("another"));
    const viewer::ChartPlace inMainWindow{2, viewer::ZoomMode::FitPage, 1.0, 1, true};
    main()->setChartPlace(inMainWindow);
    link();
    const auto companionViewer = [this] {
        return companion()->findChild<viewer::ChartViewer *>(QStringLiteral("openPDF2"));
    };
    QCOMPARE(companionViewer()->place(), inMainWindow);

    const viewer::ChartPlace inCompanion{1, viewer::ZoomMode::Custom, 2.5, 3, false};
    companionViewer()->setPlace(inCompanion);
    step(back);
    const viewer::ChartPlace shown = main()->chartPlace();
    if (returned) {
        QCOMPARE(shown, inCompanion);
    } else {
        QCOMPARE(shown.page, 0);
        QCOMPARE(shown.zoomMode, viewer::ZoomMode::FitWidth);
    }
}

void ProgramWindowsTest::newAirportLoadsTheMainWindowAfresh()
{
    link();
    const QPointer<FrmMain> before = main();
    const QString chart = m_fixture->values.sChartPath;
    step(QStringLiteral("new"));
    QVERIFY(before.isNull());
    QVERIFY(main());
    QVERIFY(main()->isVisible());
    QVERIFY(!companion());
    QCOMPARE(m_tray->icons, 0);
    // Loaded with the flag at 1: the entry layout, and the flag back at 0.
    QCOMPARE(m_fixture->values.bLoadToggle, 0);
    QVERIFY(inMain<QWidget>(QStringLiteral("Frame3"))->isHidden());
    QVERIFY(inMain<QWidget>(QStringLiteral("Frame4"))->isHidden());
    QVERIFY(inMain<QLineEdit>(QStringLiteral("txtIcao"))->text().isEmpty());
    QVERIFY(!inMain<QAbstractButton>(QStringLiteral("cmdLink"))->isEnabled());
    QCOMPARE(m_fixture->values.sChartPath, chart);
}

void ProgramWindowsTest::nearestAirportFromTheCompanionComesBackLikeNewAirport()
{
    link();
    const QPointer<FrmMain> before = main();
    // Over Milan, with the companion window showing Rome's chart: Alt+N there.
    m_fixture->simulator.fly(45.45, 9.28, 1500, 180, 120);
    QVERIFY(QTest::qWaitForWindowExposed(companion()));
    QTest::keyClick(companion(), Qt::Key_N, Qt::AltModifier);
    settle();
    QVERIFY(before.isNull());
    QVERIFY(!companion());
    QCOMPARE(m_tray->icons, 0);
    QVERIFY(main()->isVisible());
    QCOMPARE(m_fixture->values.sIcaoCode, QStringLiteral("LIML"));
    QCOMPARE(inMain<QLineEdit>(QStringLiteral("txtIcao"))->text(), QStringLiteral("LIML"));
    QCOMPARE(inMain<mainwindow::GridCell>(QStringLiteral("lblRwy_1"))->text(),
             QStringLiteral("MILANO LINATE"));
    QVERIFY(inMain<QWidget>(QStringLiteral("Frame6"))->isVisible());
}

void ProgramWindowsTest::oneIconAfterEverySequence_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("another, link") << QStringList{"link", "another", "link"};
    QTest::newRow("new, link") << QStringList{"link", "new", "link"};
    QTest::newRow("minimise, restore, another, link")
        << QStringList{"link", "minimise", "restore", "another", "link"};
    QTest::newRow("minimise, tray click, new, link, minimise")
        << QStringList{"link", "minimise", "tray click", "new", "link", "minimise"};
    QTest::newRow("refused closes and No")
        << QStringList{"link", "close box", "exit, No", "restore", "restore"};
    QTest::newRow("round trips") << QStringList{"link", "another", "link", "new", "link", "another", "link"};
}

void ProgramWindowsTest::oneIconAfterEverySequence()
{
    QFETCH(QStringList, steps);
    for (const QString &name : steps) {
        step(name);
        // One icon while the companion window is loaded, none otherwise; one of the two windows is loaded.
        QCOMPARE(m_tray->icons, companion() ? 1 : 0);
        QVERIFY(main() || companion());
        QCOMPARE(main() && main()->isVisible(), !companion());
    }
    QCOMPARE(m_tray->icons, 1);
}

void ProgramWindowsTest::exitEndsTheProgramWithoutClosingAnyWindow_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void ProgramWindowsTest::exitEndsTheProgramWithoutClosingAnyWindow()
{
    QFETCH(bool, answer);
    link();
    QSignalSpy ended(m_windows.get(), &app::ProgramWindows::programEnded);
    m_companionExit->answer = answer;
    companion()->findChild<QAction *>(QStringLiteral("mPopExit"))->trigger();
    settle();
    QCOMPARE(m_companionExit->asked, 1);
    QCOMPARE(ended.count(), answer ? 1 : 0);
    QCOMPARE(m_tray->icons, answer ? 0 : 1);
    QVERIFY(companion());
    QVERIFY(companion()->isVisible());
    QVERIFY(main()->isHidden());
}

void ProgramWindowsTest::sessionEndIsNotRefused()
{
    link();
    qApp->installEventFilter(m_windows.get());
    QSignalSpy ended(m_windows.get(), &app::ProgramWindows::programEnded);
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    QCOMPARE(ended.count(), 1);
    QVERIFY(quit.isAccepted());
}

QTEST_MAIN(ProgramWindowsTest)
#include "tst_programwindows.moc"
