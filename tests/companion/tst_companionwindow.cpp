// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartViewer.h"
#include "CompanionFakes.h"
#include "FrmFS9.h"
#include "PlacedCharts.h"
#include "ProgramSettings.h"
#include "ProgramValues.h"
#include "QuietSimulator.h"
#include "Texts.h"
#include "Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <memory>

using companion::FrmFS9;

// The companion window on its own: layout, title and menus, resizing and full screen, the place kept for
// the next run, loading, refused closes, minimising to the tray, tray clicks and the four menu commands.
class CompanionWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstShowHasTheLayoutsSize();
    void titleSaysWhatTheWindowShows_data();
    void titleSaysWhatTheWindowShows();
    void resizesAndGoesFullScreen();
    void placeIsKeptForTheNextLoad_data();
    void placeIsKeptForTheNextLoad();
    void placeKeptIsTheOneToGoBackTo_data();
    void placeKeptIsTheOneToGoBackTo();
    void nightColoursAreKeptForTheNextRun();
    void menuTree_data();
    void menuTree();
    void loadAddsOneIconWithTipAndTheWindowsMenu();
    void loadOpensTheLastChartWithoutToolbar_data();
    void loadOpensTheLastChartWithoutToolbar();
    void closeRequests_data();
    void closeRequests();
    void minimisingHidesToTheTrayAndRestoreBringsItBackOnTop();
    void minimisingWithoutTrayStaysMinimised();
    void trayClicks_data();
    void trayClicks();
    void commands_data();
    void commands();
    void menuAccessKeysComeBeforeTheViewersKeys_data();
    void menuAccessKeysComeBeforeTheViewersKeys();

private:
    void writeChart(const QString &relative) const;
    void load();
    void minimiseToTray();
    QAction *command(const char *name) const { return m_window->findChild<QAction *>(QLatin1String(name)); }
    QMenu *mApps() const { return m_window->findChild<QMenu *>(QStringLiteral("mApps")); }

    std::unique_ptr<QTemporaryDir> m_folder;
    session::ProgramValues m_values;
    std::unique_ptr<desktop::ProgramSettings> m_settings;
    std::unique_ptr<QuietSimulator> m_simulator;
    viewer::ChartRenderClient m_charts{viewer::ChartRenderSettings{}};
    std::unique_ptr<georef::PlacedCharts> m_places;
    std::unique_ptr<FakeTray> m_tray;
    std::unique_ptr<AnsweringExitQuestion> m_exitQuestion;
    QStringList m_journal;
    QPointer<FrmFS9> m_window;
};

void CompanionWindowTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_values = {};
    m_values.libraryFolder = m_folder->path();
    m_settings =
        std::make_unique<desktop::ProgramSettings>(m_folder->filePath(QStringLiteral("varnelox.ini")));
    m_simulator =
        std::make_unique<QuietSimulator>(*m_settings, m_folder->filePath(QStringLiteral("airports.txt")));
    m_places =
        std::make_unique<georef::PlacedCharts>(m_folder->filePath(QStringLiteral("placed-charts.json")));
    m_journal.clear();
    m_tray = std::make_unique<FakeTray>();
    m_tray->journal = &m_journal;
    m_exitQuestion = std::make_unique<AnsweringExitQuestion>();
    m_exitQuestion->journal = &m_journal;
}

void CompanionWindowTest::cleanup()
{
    delete m_window;
}

void CompanionWindowTest::writeChart(const QString &relative) const
{
    const QString path = m_folder->filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
}

// Loads and shows the window as its owner does, and writes down what it asks of the owner.
void CompanionWindowTest::load()
{
    m_window =
        new FrmFS9(m_values, {*m_exitQuestion, *m_tray, *m_settings, m_simulator->link, m_charts, *m_places});
    FrmFS9 *window = m_window;
    connect(window, &FrmFS9::unloadAllFormsRequested, this, [this, window] {
        m_journal << QStringLiteral("unload all forms");
        window->unload();
    });
    connect(window, &FrmFS9::mainWindowRequested, this, [this, window] {
        m_journal << QStringLiteral("show main window, toggle %1, companion %2")
                         .arg(m_values.bLoadToggle)
                         .arg(window->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
    });
    connect(window, &FrmFS9::programEndRequested, this,
            [this] { m_journal << QStringLiteral("end program"); });
    m_window->Form_Load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_journal.clear();
}

void CompanionWindowTest::minimiseToTray()
{
    m_window->showMinimized();
    QTRY_VERIFY(m_window->isHidden());
}

void CompanionWindowTest::firstShowHasTheLayoutsSize()
{
    load();
    QCOMPARE(m_window->objectName(), QStringLiteral("frmFS9"));
    QCOMPARE(m_window->windowTitle(), resources::mainWindowCaption() + u' ');
    QVERIFY(!m_window->windowIcon().isNull());
    QCOMPARE(m_window->centralWidget()->size(), desktop::toPixels({0, 0, 7590, 9390}).size());
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->minimumSize().width() < 300);
    QCOMPARE(m_window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

    // The viewer starts at the client area's corner; its box clips it just short of the far edges.
    auto *viewer = m_window->findChild<viewer::ChartViewer *>(QStringLiteral("openPDF2"));
    auto *picture = m_window->findChild<QWidget *>(QStringLiteral("Picture1"));
    QCOMPARE(viewer->parentWidget(), picture);
    QCOMPARE(viewer->mapTo(m_window->centralWidget(), QPoint(0, 0)), QPoint(0, 0));
    const QRect shown = picture->geometry() & m_window->centralWidget()->rect();
    QCOMPARE(shown.topLeft(), QPoint(0, 0));
    QVERIFY(m_window->centralWidget()->width() - shown.width() <= 1);
    QVERIFY(m_window->centralWidget()->height() - shown.height() <= 1);
}

// The airport and the category of the chart shown (blanks of the category's caption made single), then the
// caption with its trailing blank: a title bar that cuts the title keeps the chart's name.
void CompanionWindowTest::titleSaysWhatTheWindowShows_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("shows");
    QTest::newRow("aerodrome chart") << "KBOS"
                                     << "Airports/KBOS/ADPOS2-1.PDF"
                                     << QStringLiteral("KBOS AERODROME CHART \u2014 ");
    QTest::newRow("two blanks made one")
        << "LIRF"
        << "Airports/LIRF/ADPRF1-1.PDF" << QStringLiteral("LIRF AERODROME DATA \u2014 ");
    QTest::newRow("chart number 8") << "LIRF"
                                    << "Airports/LIRF/ADPRF8-1.PDF"
                                    << QStringLiteral("LIRF LOCAL RESTRICTIONS \u2014 ");
    QTest::newRow("no chart chosen") << "LIRF"
                                     << ""
                                     << "";
}

void CompanionWindowTest::titleSaysWhatTheWindowShows()
{
    QFETCH(QString, code);
    QFETCH(QString, chart);
    QFETCH(QString, shows);
    m_values.sIcaoCode = code;
    m_values.sChartPath = chart.isEmpty() ? QString() : m_folder->filePath(chart);
    load();
    QCOMPARE(m_window->windowTitle(), shows + resources::mainWindowCaption() + u' ');
}

void CompanionWindowTest::resizesAndGoesFullScreen()
{
    load();
    QApplication::setActiveWindow(m_window);
    auto *viewer = m_window->findChild<viewer::ChartViewer *>(QStringLiteral("openPDF2"));
    viewer->setFocus();
    m_window->resize(400, 300);
    QTRY_COMPARE(m_window->centralWidget()->width(), 400);
    QCOMPARE(viewer->geometry().size(), m_window->centralWidget()->size() - QSize(1, 1));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
    QTRY_VERIFY(m_window->isFullScreen());
    QCOMPARE(viewer->geometry().size(), m_window->centralWidget()->size() - QSize(1, 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
    QTRY_VERIFY(!m_window->isFullScreen());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
    QTRY_VERIFY(m_window->isFullScreen());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!m_window->isFullScreen());
    QTRY_COMPARE(m_window->centralWidget()->width(), 400);
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// The window's place is kept when it is unloaded and used at the next load while a screen holds it whole.
void CompanionWindowTest::placeIsKeptForTheNextLoad_data()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::addColumn<QRect>("kept");
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<bool>("restored");
    QTest::newRow("on the screen") << QRect(screen.topLeft() + QPoint(30, 40), QSize(400, 300)) << false
                                   << true;
    QTest::newRow("maximised") << QRect(screen.topLeft() + QPoint(30, 40), QSize(400, 300)) << true << true;
    QTest::newRow("off the screen now") << QRect(screen.right() + 100, 40, 400, 300) << false << false;
    QTest::newRow("larger than the screen now")
        << QRect(screen.topLeft(), screen.size() + QSize(10, 10)) << false << false;
}

void CompanionWindowTest::placeIsKeptForTheNextLoad()
{
    QFETCH(QRect, kept);
    QFETCH(bool, maximized);
    QFETCH(bool, restored);
    QVERIFY(m_settings->setCompanionPlace({kept.topLeft(), kept.size(), maximized}));
    load();
    QCOMPARE(m_window->isMaximized(), restored && maximized);
    if (restored && !maximized)
        QCOMPARE(QRect(m_window->pos(), m_window->size()), kept);
    if (!restored)
        QCOMPARE(m_window->centralWidget()->size(), desktop::toPixels({0, 0, 7590, 9390}).size());

    m_window->showNormal();
    m_window->move(kept.topLeft() + QPoint(5, 5));
    m_window->resize(320, 240);
    QTRY_COMPARE(m_window->size(), QSize(320, 240));
    const QPoint moved = m_window->pos();
    m_window->unload();
    QCOMPARE(m_settings->companionPlace(), (desktop::WindowPlace{moved, QSize(320, 240), false}));
}

// A window unloaded while maximised or full screen keeps the place it goes back to, not the screen's.
void CompanionWindowTest::placeKeptIsTheOneToGoBackTo_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::addColumn<bool>("maximized");
    QTest::newRow("maximised") << Qt::WindowMaximized << true;
    QTest::newRow("full screen") << Qt::WindowFullScreen << false;
}

void CompanionWindowTest::placeKeptIsTheOneToGoBackTo()
{
    QFETCH(Qt::WindowState, state);
    QFETCH(bool, maximized);
    load();
    const QPoint corner = QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(20, 30);
    m_window->move(corner);
    m_window->resize(330, 250);
    QTRY_COMPARE(m_window->size(), QSize(330, 250));
    const QPoint normal = m_window->pos();
    m_window->setWindowState(state);
    QTRY_VERIFY(m_window->size() != QSize(330, 250));
    m_window->unload();
    QCOMPARE(m_settings->companionPlace(), (desktop::WindowPlace{normal, QSize(330, 250), maximized}));
}

void CompanionWindowTest::nightColoursAreKeptForTheNextRun()
{
    load();
    QApplication::setActiveWindow(m_window);
    m_window->findChild<viewer::ChartViewer *>(QStringLiteral("openPDF2"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N);
    QVERIFY(m_settings->night());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N);
    QVERIFY(!m_settings->night());
    // The viewer's letter keys take Shift as well, here as in the main window.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ShiftModifier);
    QVERIFY(m_settings->night());
    auto *viewer = m_window->findChild<viewer::ChartViewer *>(QStringLiteral("openPDF2"));
    QVERIFY(!viewer->isToolbarVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ShiftModifier);
    QVERIFY(viewer->isToolbarVisible());
}

void CompanionWindowTest::menuTree_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("New Airport") << 0 << "mnuAeroporto"
                                 << "&New Airport";
    QTest::newRow("Another Procedure") << 1 << "mnuNuovaProc"
                                       << "&Another Procedure";
    QTest::newRow("Restore") << 2 << "mnuProcScelta"
                             << "&Restore";
    QTest::newRow("separator") << 3 << "mSpazio"
                               << "";
    QTest::newRow("Exit") << 4 << "mPopExit"
                          << "&Exit";
}

void CompanionWindowTest::menuTree()
{
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    load();
    // The menu "&Simulator" follows the specified two.
    const QList<QAction *> bar = m_window->menuBar()->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar[2]->menu()->objectName(), QStringLiteral("mnuSimulator"));
    QCOMPARE(bar[2]->text(), QStringLiteral("S&imulator"));
    QCOMPARE(bar[0]->text(), QStringLiteral("&Change or Exit"));
    QCOMPARE(bar[0]->menu(), mApps());
    QCOMPARE(bar[1]->text(), QStringLiteral("&SysTray"));
    QVERIFY(!bar[1]->isEnabled());
    QVERIFY(bar[1]->menu()->actions().isEmpty());
    // Both menus of the bar stand whole in the window at its first size.
    for (QAction *menu : bar)
        QVERIFY(m_window->menuBar()->rect().contains(m_window->menuBar()->actionGeometry(menu)));

    const QList<QAction *> items = mApps()->actions();
    QCOMPARE(items.size(), 5);
    QAction *item = items[position];
    QCOMPARE(item->objectName(), name);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->isSeparator(), caption.isEmpty());
    QVERIFY(item->isEnabled() && item->isVisible() && !item->isCheckable());
    QVERIFY(item->shortcut().isEmpty());
}

void CompanionWindowTest::loadAddsOneIconWithTipAndTheWindowsMenu()
{
    load();
    QCOMPARE(m_tray->icons, 1);
    QCOMPARE(m_tray->tip, QStringLiteral("Key right for menu"));
    QVERIFY(!m_tray->icon.isNull());
    // One menu object: the tray pops up the very menu of the menu bar, so both run the same handlers.
    QCOMPARE(m_tray->menu.data(), mApps());
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Centred before it is first shown, when the frame is not known yet: off by at most the frame's size.
    const QPoint screenCentre = m_window->screen()->geometry().center();
    const QRect frame = m_window->frameGeometry();
    const QSize margins = frame.size() - m_window->size();
    QVERIFY(qAbs(frame.center().x() - screenCentre.x()) <= margins.width());
    QVERIFY(qAbs(frame.center().y() - screenCentre.y()) <= margins.height());
}

void CompanionWindowTest::loadOpensTheLastChartWithoutToolbar_data()
{
    QTest::addColumn<QString>("chartOnDisk");
    QTest::addColumn<QString>("sChartPath");
    QTest::addColumn<QString>("opened");
    QTest::newRow("chosen chart") << "Airports/LIRF/ADPRF2-1.PDF"
                                  << "Airports/LIRF/ADPRF2-1.PDF"
                                  << "Airports/LIRF/ADPRF2-1.PDF";
    QTest::newRow("chart folder in lower case") << "Airports/lirf/adprf2-1.pdf"
                                                << "Airports/LIRF/ADPRF2-1.PDF"
                                                << "Airports/lirf/adprf2-1.pdf";
    QTest::newRow("missing chart") << ""
                                   << "Airports/LIRF/ADPRF7-1.PDF"
                                   << "Airports/LIRF/ADPRF7-1.PDF";
    QTest::newRow("no chart chosen") << ""
                                     << ""
                                     << "";
}

void CompanionWindowTest::loadOpensTheLastChartWithoutToolbar()
{
    QFETCH(QString, chartOnDisk);
    QFETCH(QString, sChartPath);
    QFETCH(QString, opened);
    const auto inFolder = [this](const QString &relative) {
        return relative.isEmpty() ? QString() : m_folder->filePath(relative);
    };
    if (!chartOnDisk.isEmpty())
        writeChart(chartOnDisk);
    m_values.sChartPath = inFolder(sChartPath);
    load();
    auto *viewer = m_window->findChild<viewer::ChartViewer *>(QStringLiteral("openPDF2"));
    QCOMPARE(viewer->loadedFile(), inFolder(opened));
    QVERIFY(!viewer->isToolbarVisible());
    QVERIFY(m_window->isVisible());
}

void CompanionWindowTest::closeRequests_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<bool>("closes");
    QTest::newRow("close box") << "frame" << false;
    QTest::newRow("close() from elsewhere") << "close" << false;
    QTest::newRow("the program's own unload") << "unload" << true;
}

void CompanionWindowTest::closeRequests()
{
    QFETCH(QString, request);
    QFETCH(bool, closes);
    load();
    if (request == u"frame") {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QCoreApplication::sendEvent(m_window, &close);
    } else if (request == u"close") {
        m_window->close();
    } else {
        m_window->unload();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_window.isNull(), closes);
    if (!closes) {
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->isMinimized());
    }
    // The icon is the commands' business, not the window's unload.
    QCOMPARE(m_tray->icons, 1);
    QVERIFY(m_journal.isEmpty());
}

void CompanionWindowTest::minimisingHidesToTheTrayAndRestoreBringsItBackOnTop()
{
    load();
    minimiseToTray();
    QVERIFY(!m_window->isMinimized());
    QCOMPARE(m_tray->icons, 1);
    command("mnuProcScelta")->trigger();
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->isMinimized());
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // A second round trip: a stale minimised state must not hide the restored window again.
    minimiseToTray();
    command("mnuProcScelta")->trigger();
    QTest::qWait(0);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_tray->icons, 1);
    QCOMPARE(m_values.bLoadToggle, 0);
}

void CompanionWindowTest::minimisingWithoutTrayStaysMinimised()
{
    m_tray->available = false;
    load();
    m_window->showMinimized();
    QTest::qWait(0);
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->isMinimized());
}

void CompanionWindowTest::trayClicks_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("restores");
    QTest::newRow("right button: the desktop pops up the menu") << QSystemTrayIcon::Context << false;
    QTest::newRow("left click") << QSystemTrayIcon::Trigger << true;
    QTest::newRow("double click") << QSystemTrayIcon::DoubleClick << true;
    QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << true;
}

void CompanionWindowTest::trayClicks()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, restores);
    load();
    minimiseToTray();
    m_tray->click(reason);
    QTest::qWait(0);
    QCOMPARE(m_window->isVisible(), restores);
    QVERIFY(!m_window->isMinimized());
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(m_tray->icons, 1);
    QVERIFY(m_journal.isEmpty());
}

void CompanionWindowTest::commands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<int>("icons");
    QTest::addColumn<int>("toggle");
    QTest::newRow("New Airport") << "mnuAeroporto" << false
                                 << QStringList{"remove icon", "unload all forms",
                                                "show main window, toggle 1, companion hidden"}
                                 << false << 0 << 1;
    QTest::newRow("Another Procedure")
        << "mnuNuovaProc" << false
        << QStringList{"remove icon", "show main window, toggle 1, companion hidden"} << false << 0 << 1;
    QTest::newRow("Restore") << "mnuProcScelta" << false << QStringList{} << true << 1 << 0;
    QTest::newRow("Exit, Yes") << "mPopExit" << true
                               << QStringList{"exit question", "remove icon", "end program"} << true << 0
                               << 0;
    QTest::newRow("Exit, No") << "mPopExit" << false << QStringList{"exit question"} << true << 1 << 0;
}

void CompanionWindowTest::commands()
{
    QFETCH(QString, name);
    QFETCH(bool, answer);
    QFETCH(QStringList, journal);
    QFETCH(bool, stays);
    QFETCH(int, icons);
    QFETCH(int, toggle);
    load();
    m_exitQuestion->answer = answer;
    // Chosen from the menu bar's menu, the one the tray icon pops up.
    QAction *item = command(name.toLatin1().constData());
    QVERIFY(mApps()->actions().contains(item));
    item->trigger();
    QCOMPARE(m_journal, journal);
    QCOMPARE(m_tray->icons, icons);
    QCOMPARE(m_values.bLoadToggle, toggle);
    if (stays) {
        QTest::qWait(0);
        QVERIFY(m_window);
        QVERIFY(m_window->isVisible());
    } else {
        QTRY_VERIFY(m_window.isNull());
    }
}

void CompanionWindowTest::menuAccessKeysComeBeforeTheViewersKeys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("firstStep");
    QTest::newRow("N: New Airport, not night colours") << Qt::Key_N << "remove icon";
    QTest::newRow("A: Another Procedure") << Qt::Key_A << "remove icon";
    QTest::newRow("E: Exit") << Qt::Key_E << "exit question";
}

void CompanionWindowTest::menuAccessKeysComeBeforeTheViewersKeys()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, firstStep);
    load();
    QApplication::setActiveWindow(m_window);
    m_window->findChild<viewer::ChartViewer *>(QStringLiteral("openPDF2"))->setFocus();
    mApps()->popup(m_window->geometry().center());
    QTRY_VERIFY(mApps()->isVisible());
    QTest::keyClick(mApps(), key);
    QVERIFY(!m_journal.isEmpty());
    QCOMPARE(m_journal.first(), firstStep);
}

QTEST_MAIN(CompanionWindowTest)
#include "tst_companionwindow.moc"
