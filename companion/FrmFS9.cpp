#include "FrmFS9.h"

#include "Artwork.h"
#include "ChartLibrary.h"
#include "ChartViewer.h"
#include "ExitQuestion.h"
#include "Module1.h"
#include "ProgramValues.h"
#include "Texts.h"
#include "TrayIcon.h"
#include "Twips.h"
#include "VisiblePart.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace companion {

namespace {

// The client area below the menu bar; the picture box reaches past its top and left edges, and the
// viewer's place inside it starts at the client area's corner and reaches below the box. The viewer is
// shrunk to the part that stays in view.
constexpr desktop::TwipsRect ClientArea{0, 0, 7590, 9390};
constexpr desktop::TwipsRect Picture1Rect{-120, -120, 7695, 9495};
constexpr desktop::TwipsRect OpenPdf2Rect{120, 120, 7575, 9855};

const QString TrayTip = QStringLiteral("Key right for menu");

QAction *addCommand(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

FrmFS9::FrmFS9(session::ProgramValues &values, const CompanionServices &services, QWidget *parent)
    : QMainWindow(parent, desktop::FixedBorderWindow)
    , m_values(values)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmFS9"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(resources::companionWindowCaption());
    setWindowIcon(QIcon(resources::render(resources::Picture::AirlinerFs9)));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(desktop::toPixels(ClientArea).size());
    client->setBackgroundRole(QPalette::Highlight); // the active title bar's colour, covered by Picture1
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    auto *picture1 = new QWidget(client);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(desktop::toPixels(Picture1Rect));
    m_openPDF2 = new viewer::ChartViewer(picture1);
    m_openPDF2->setObjectName(QStringLiteral("openPDF2"));
    m_openPDF2->setGeometry(desktop::toPixels(OpenPdf2Rect));

    buildMenus();
    // A fixed single border: the window keeps the size of its menu bar and client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    // Only now has the window the size that clips the viewer.
    desktop::shrinkToVisiblePart(m_openPDF2);

    connect(&m_services.tray, &desktop::TrayIcon::activated, this, &FrmFS9::nidTray_Activated);
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

bool FrmFS9::eventFilter(QObject *watched, QEvent *event)
{
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

void FrmFS9::Form_Load()
{
    desktop::centreOnScreen(this);
    m_services.tray.add(windowIcon(), TrayTip, m_mApps);
    m_openPDF2->loadFile(airportdata::OpenableChartPath(m_values.libraryFolder, m_values.sChartPath));
    m_openPDF2->setToolbarVisible(false);
    session::Module1::SetTopMost(this, true);
}

void FrmFS9::unload()
{
    m_unloading = true;
    close();
}

void FrmFS9::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
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
    UnloadAllForms();
    m_values.bLoadToggle = 1;
    emit mainWindowRequested();
}

void FrmFS9::UnloadAllForms()
{
    emit unloadAllFormsRequested();
}

void FrmFS9::mnuNuovaProc_Click()
{
    m_services.tray.remove();
    unload();
    m_values.bLoadToggle = 1;
    emit mainWindowRequested();
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
