// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrmFS9.h"

#include "Artwork.h"
#include "ChartAircraft.h"
#include "ChartCategory.h"
#include "ChartLibrary.h"
#include "ChartViewer.h"
#include "ExitQuestion.h"
#include "Module1.h"
#include "ProgramSettings.h"
#include "ProgramValues.h"
#include "SimulatorMenu.h"
#include "SimulatorStatusLine.h"
#include "Texts.h"
#include "TrayIcon.h"
#include "Twips.h"
#include "VisiblePart.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMoveEvent>
#include <QStatusBar>
#include <QTimer>

namespace companion {

namespace {

// The client area below the menu bar at its first show; the picture box reaches past its top and left
// edges, and the viewer's place inside it starts at the client area's corner and reaches below the box.
// When the window is resized, both keep their distances to the client area's edges, and the viewer is
// shrunk to the part that stays in view.
constexpr desktop::TwipsRect ClientArea{0, 0, 7590, 9390};
constexpr desktop::TwipsRect Picture1Rect{-120, -120, 7695, 9495};
constexpr desktop::TwipsRect OpenPdf2Rect{120, 120, 7575, 9855};
// The smallest client area the window can be made.
constexpr QSize MinimumClientArea(240, 180);

const QString TrayTip = QStringLiteral("Key right for menu");

// The distances of inner's edges inside outer's (negative where inner reaches past it).
QMargins insetOf(const QRect &outer, const QRect &inner)
{
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QAction *addCommand(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

FrmFS9::FrmFS9(session::ProgramValues &values, const CompanionServices &services, QWidget *parent)
    : QMainWindow(parent, desktop::ResizableWindow)
    , m_values(values)
    , m_services(services)
    , m_clientArea(new QWidget(this))
    , m_picture1(new QWidget(m_clientArea))
    , m_openPDF2(new viewer::ChartViewer(&services.charts, m_picture1, &services.places))
{
    setObjectName(QStringLiteral("frmFS9"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(resources::companionWindowCaption());
    setWindowIcon(QIcon(resources::render(resources::Picture::AirlinerFs9)));

    m_clientArea->setObjectName(QStringLiteral("clientArea"));
    m_clientArea->setMinimumSize(MinimumClientArea);
    // The active title bar's colour, covered by Picture1.
    m_clientArea->setBackgroundRole(QPalette::Highlight);
    m_clientArea->setAutoFillBackground(true);
    m_clientArea->resize(desktop::toPixels(ClientArea).size());
    m_clientArea->installEventFilter(this);
    setCentralWidget(m_clientArea);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_openPDF2->setObjectName(QStringLiteral("openPDF2"));
    placeViewer();

    buildMenus();
    buildSimulatorLink();
    addWindowKeys();
    connect(&m_services.tray, &desktop::TrayIcon::activated, this, &FrmFS9::nidTray_Activated);
    connect(m_openPDF2, &viewer::ChartViewer::nightChanged, this,
            [this](bool night) { m_services.settings.setNight(night); });
}

void FrmFS9::buildMenus()
{
    m_mApps = menuBar()->addMenu(QStringLiteral("&Change or Exit"));
    m_mApps->setObjectName(QStringLiteral("mApps"));
    connect(addCommand(m_mApps, "mnuAeroporto", QStringLiteral("&New Airport")), &QAction::triggered, this,
            &FrmFS9::mnuAeroporto_Click);
    connect(addCommand(m_mApps, "mnuNuovaProc", QStringLiteral("&Another Procedure")), &QAction::triggered,
            this, &FrmFS9::mnuNuovaProc_Click);
    connect(addCommand(m_mApps, "mnuProcScelta", QStringLiteral("&Restore")), &QAction::triggered, this,
            &FrmFS9::mnuProcScelta_Click);
    m_mApps->addSeparator()->setObjectName(QStringLiteral("mSpazio"));
    connect(addCommand(m_mApps, "mPopExit", QStringLiteral("&Exit")), &QAction::triggered, this,
            &FrmFS9::mPopExit_Click);

    m_mApps->installEventFilter(this);

    QMenu *mPopupSys = menuBar()->addMenu(QStringLiteral("&SysTray"));
    mPopupSys->setObjectName(QStringLiteral("mPopupSys"));
    mPopupSys->setEnabled(false);
}

// The menu "&Simulator" after the others, and the position of the aircraft in the status line.
void FrmFS9::buildSimulatorLink()
{
    auto *menu = new aircraft::SimulatorMenu(m_services.link, this);
    // Alt+S belongs to the switched-off "&SysTray", which would take it.
    menu->setTitle(tr("S&imulator"));
    menuBar()->addMenu(menu);
    m_statusLine = new aircraft::SimulatorStatusLine(m_services.link, this);
    statusBar()->addWidget(m_statusLine, 1);
    aircraft::showAircraftOnChart(m_services.link, m_openPDF2);
    connect(menu, &aircraft::SimulatorMenu::airportChosen, this, &FrmFS9::returnWithAirport);
    connect(menu, &aircraft::SimulatorMenu::hintRequested, m_statusLine,
            &aircraft::SimulatorStatusLine::showHint);
}

// Back to the main window with another airport, as "&New Airport" goes back for one.
void FrmFS9::returnWithAirport(const QString &code)
{
    mnuAeroporto_Click();
    emit airportLookupRequested(code);
}

// F11 switches full screen on and off; Escape leaves it.
void FrmFS9::addWindowKeys()
{
    auto *fullScreen = new QAction(tr("Full screen"), this);
    fullScreen->setObjectName(QStringLiteral("fullScreen"));
    fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreen->setShortcutContext(Qt::WindowShortcut);
    connect(fullScreen, &QAction::triggered, this, &FrmFS9::toggleFullScreen);
    addAction(fullScreen);
    m_openPDF2->addContextMenuAction(fullScreen);

    m_leaveFullScreen = new QAction(this);
    m_leaveFullScreen->setShortcut(QKeySequence(Qt::Key_Escape));
    m_leaveFullScreen->setShortcutContext(Qt::WindowShortcut);
    m_leaveFullScreen->setEnabled(false);
    connect(m_leaveFullScreen, &QAction::triggered, this, &FrmFS9::toggleFullScreen);
    addAction(m_leaveFullScreen);
}

void FrmFS9::toggleFullScreen()
{
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

// The picture box and the viewer keep their distances to the client area's edges at every size; the
// viewer is then shrunk to the part of it in view.
void FrmFS9::placeViewer()
{
    const QRect client = desktop::toPixels(ClientArea);
    const QRect picture = desktop::toPixels(Picture1Rect);
    m_picture1->setGeometry(m_clientArea->rect().marginsRemoved(insetOf(client, picture)));
    const QRect viewer = desktop::toPixels(OpenPdf2Rect);
    m_openPDF2->setGeometry(
        m_picture1->rect().marginsRemoved(insetOf(picture.translated(-picture.topLeft()), viewer)));
    desktop::shrinkToVisiblePart(m_openPDF2);
}

bool FrmFS9::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_clientArea && event->type() == QEvent::Resize)
        placeViewer();
    // While the menu is open, a plain key is its access key: the chart viewer's single-letter keys
    // (N, R...) would otherwise take "&New Airport" and "&Restore" away from it.
    if (watched == m_mApps && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && !(key->modifiers() & ~Qt::ShiftModifier)) {
            event->accept();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmFS9::Form_Load(const viewer::ChartPlace &place)
{
    placeWindow();
    m_services.tray.add(windowIcon(), TrayTip, m_mApps);
    m_openPDF2->loadFile(airportdata::OpenableChartPath(m_values.libraryFolder, m_values.sChartPath));
    m_openPDF2->setPlace(place);
    m_openPDF2->setToolbarVisible(false);
    setWindowTitle(chartTitle());
    m_statusLine->setAirport(m_values.sIcaoCode);
    session::Module1::SetTopMost(this, true);
}

// The place kept from the last time when a screen still holds it whole; else the layout's size, centred.
void FrmFS9::placeWindow()
{
    const std::optional<desktop::WindowPlace> kept = m_services.settings.companionPlace();
    if (kept && desktop::fitsOnAScreen(QRect(kept->position, kept->size))) {
        move(kept->position);
        resize(kept->size);
        if (kept->maximized)
            setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    const QSize client = desktop::toPixels(ClientArea).size();
    resize(client.width(),
           client.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    desktop::centreOnScreen(this);
}

void FrmFS9::keepWindowPlace()
{
    // A maximised or full-screen window keeps the place it will go back to, with the frame it had there.
    const QRect client = isNormalPlace() || normalGeometry().isEmpty() ? geometry() : normalGeometry();
    m_services.settings.setCompanionPlace({client.topLeft() + m_frameOffset, client.size(), isMaximized()});
}

bool FrmFS9::isNormalPlace() const
{
    return !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
}

// The frame's corner from the client area's, as the window manager last placed a normal window: a full-screen
// window has no frame, a maximised one may have less.
void FrmFS9::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (isNormalPlace() && isVisible())
        m_frameOffset = pos() - geometry().topLeft();
}

// What the window shows, then the caption: "LIRF AERODROME CHART — VARNELOX ...", so that a title bar too
// narrow for the whole title still names the chart. The airport and category are those of the chart path,
// which only a chart choice of the last lookup sets.
QString FrmFS9::chartTitle() const
{
    const QString &code = m_values.sIcaoCode;
    for (int index = 0; index < int(airportdata::ChartCategories.size()); ++index) {
        if (!m_values.sChartPath.isEmpty() &&
            airportdata::ChartFilePath(m_values.libraryFolder, code, index) == m_values.sChartPath)
            return code + u' ' + airportdata::ChartCategories[index].captionText().simplified() + u' ' +
                   QChar(0x2014) + u' ' + resources::companionWindowCaption();
    }
    return resources::companionWindowCaption();
}

void FrmFS9::unload()
{
    m_unloading = true;
    close();
}

void FrmFS9::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        m_leaveFullScreen->setEnabled(isFullScreen());
        Form_Resize();
    }
}

void FrmFS9::Form_Resize()
{
    // Without a notification area there would be no way back to a hidden window: it stays minimised.
    if (!isMinimized() || !m_services.tray.isAvailable())
        return;
    // Hidden only after the minimised state is cleared, or the next restore would hide it again.
    QTimer::singleShot(0, this, [this] {
        if (!isMinimized())
            return;
        setWindowState(windowState() & ~Qt::WindowMinimized);
        hide();
    });
}

void FrmFS9::closeEvent(QCloseEvent *event)
{
    if (Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

bool FrmFS9::Form_QueryUnload() const
{
    // Every close request from outside the program (the close box, the window menu) is refused.
    return !m_unloading;
}

void FrmFS9::Form_Unload()
{
    keepWindowPlace();
    setWindowState(windowState() | Qt::WindowMinimized);
    hide();
}

void FrmFS9::nidTray_Activated(QSystemTrayIcon::ActivationReason reason)
{
    // The right button's menu is popped up by the desktop itself.
    if (reason == QSystemTrayIcon::Context)
        return;
    showRestored();
}

void FrmFS9::showRestored()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    desktop::bringToForeground(this);
    session::Module1::SetTopMost(this, true);
}

void FrmFS9::mnuAeroporto_Click()
{
    m_services.tray.remove();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    desktop::bringToForeground(this);
    const viewer::ChartPlace place = m_openPDF2->place();
    UnloadAllForms();
    m_values.bLoadToggle = 1;
    emit mainWindowRequested(place);
}

void FrmFS9::UnloadAllForms()
{
    emit unloadAllFormsRequested();
}

void FrmFS9::mnuNuovaProc_Click()
{
    m_services.tray.remove();
    const viewer::ChartPlace place = m_openPDF2->place();
    unload();
    m_values.bLoadToggle = 1;
    emit mainWindowRequested(place);
}

void FrmFS9::mnuProcScelta_Click()
{
    showRestored();
}

void FrmFS9::mPopExit_Click()
{
    if (!m_services.exitQuestion.confirmed(this))
        return;
    m_services.tray.remove();
    emit programEndRequested();
}

} // namespace companion
