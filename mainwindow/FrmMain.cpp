// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrmMain.h"

#include "AirportDirectory.h"
#include "Artwork.h"
#include "ChartAircraft.h"
#include "ChartLibrary.h"
#include "ChartViewer.h"
#include "ExitQuestion.h"
#include "FormBuilder.h"
#include "GridCell.h"
#include "IcaoCodeBox.h"
#include "LinkLabel.h"
#include "MailLauncher.h"
#include "Notice.h"
#include "ProgramSettings.h"
#include "ProgramValues.h"
#include "SimulatorLink.h"
#include "SimulatorMenu.h"
#include "SimulatorStatusLine.h"
#include "SoundCues.h"
#include "Texts.h"
#include "WindowPlacement.h"
#include "WindowPrinter.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>
#include <chrono>

namespace mainwindow {

namespace {

constexpr desktop::TwipsRect ClientArea{0, 0, 13020, 10455};
// Below the client area: the position of the aircraft and the menu "&Simulator".
constexpr desktop::TwipsRect StatusLine{0, 10455, 13020, 345};
constexpr std::chrono::milliseconds PauseAfterFirstCue(20);

const QString NotFoundText = QStringLiteral("ICAO CODE NOT FOUND");
const QString MailSubject = QStringLiteral("PUT HERE YOUR QUESTION");
const QString MailBody = QStringLiteral("PUT HERE YOUR MESSAGE");

// Only blanks are trimmed from the code, nothing else.
QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.sliced(first, last - first);
}

// A checked button of an exclusive group cannot be unchecked while the group is exclusive.
void uncheck(QRadioButton *button, QButtonGroup *group)
{
    group->setExclusive(false);
    button->setChecked(false);
    group->setExclusive(true);
}

// A category without a chart file shows its caption greyed; it stays a button like the others.
void showAvailability(QRadioButton *option, bool available)
{
    QPalette palette;
    if (!available) {
        palette = option->palette();
        const QColor grey = palette.color(QPalette::Disabled, QPalette::WindowText);
        palette.setColor(QPalette::Active, QPalette::WindowText, grey);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, grey);
    }
    option->setPalette(palette);
    const QString missing = FrmMain::tr("No chart of this category");
    option->setToolTip(available ? QString() : missing);
    option->setAccessibleDescription(available ? QString() : missing);
}

} // namespace

FrmMain::FrmMain(session::ProgramValues &values, const MainWindowServices &services, QWidget *parent)
    : QWidget(parent, desktop::FixedBorderWindow)
    , m_values(values)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(resources::mainWindowCaption());
    setWindowIcon(QIcon(resources::render(resources::Picture::TowerIcon)));
    fillBackground(this, FormBlue);
    setFixedSize(desktop::toPixels(ClientArea).united(desktop::toPixels(StatusLine)).size());
    // The controls of the layout tables in a box of the client area's size: what reaches past it is clipped
    // there, above the status line.
    auto *clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    clientArea->setGeometry(desktop::toPixels(ClientArea));
    m_controls = buildMainWindow(clientArea);
    buildStatusLine();
    m_chartPlace.night = m_services.settings.night();
    // Anywhere over the information panel names the library the program reads.
    m_controls.fraUscita->setToolTip(tr("Library in use (airport directory and charts): %1")
                                         .arg(QDir::toNativeSeparators(m_values.libraryFolder)));
    connectHandlers();
}

void FrmMain::connectHandlers()
{
    const MainWindowControls &c = m_controls;
    connect(c.txtIcao, &QLineEdit::textChanged, this, &FrmMain::txtIcao_Change);
    connect(c.txtIcao, &QLineEdit::returnPressed, this, [this] {
        if (m_controls.cmdElabora->isEnabled())
            m_controls.cmdElabora->click();
    });
    connect(c.cmdElabora, &QAbstractButton::clicked, this, &FrmMain::cmdElabora_Click);
    connect(c.cmdClean, &QAbstractButton::clicked, this, &FrmMain::cmdClean_Click);
    connect(c.Option1Group, &QButtonGroup::idClicked, this, &FrmMain::Option1_Click);
    connect(c.cmdLink, &QAbstractButton::clicked, this, &FrmMain::cmdLink_Click);
    connect(c.cmdExit, &QAbstractButton::clicked, this, &FrmMain::cmdExit_Click);
    connect(c.cmdStampa, &QAbstractButton::clicked, this, &FrmMain::cmdStampa_Click);
    connect(c.cmdInfo, &QAbstractButton::clicked, this, &FrmMain::cmdInfo_Click);
    connect(c.Command2, &QAbstractButton::clicked, this, &FrmMain::Command2_Click);
    // Escape closes the information panel as its "&Exit" does; a shortcut of a hidden panel is not active.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), c.fraUscita);
    connect(escape, &QShortcut::activated, this, &FrmMain::Command2_Click);
    connect(c.supportAddress, &LinkLabel::clicked, this, &FrmMain::Label4_Click);
}

void FrmMain::buildStatusLine()
{
    m_statusLine = new aircraft::SimulatorStatusLine(m_services.link, this);
    m_statusLine->setFont(formFont(FontRole::Default));
    placeTwips(m_statusLine, StatusLine);
    auto *menu = new aircraft::SimulatorMenu(m_services.link, this);
    m_statusLine->addMenuButton(tr("&Simulator"), menu);
    connect(menu, &aircraft::SimulatorMenu::airportChosen, this, &FrmMain::lookUpAirport);
    connect(menu, &aircraft::SimulatorMenu::hintRequested, m_statusLine,
            &aircraft::SimulatorStatusLine::showHint);
    connect(&m_services.link, &aircraft::SimulatorLink::changed, this, &FrmMain::lookUpOnGround);
}

void FrmMain::lookUpAirport(const QString &code)
{
    if (!m_controls.txtIcao->isEnabled()) {
        m_statusLine->showHint(tr("Press Clean (Alt+C) before looking up %1.").arg(code));
        return;
    }
    m_controls.txtIcao->setText(code);
    m_controls.cmdElabora->click();
}

// With no airport looked up and nothing typed, the nearest airport once the aircraft is on the ground.
void FrmMain::lookUpOnGround()
{
    const bool canLookUp = m_controls.txtIcao->isEnabled() && m_controls.txtIcao->text().isEmpty();
    if (const std::optional<QString> code = m_groundLookup.due(m_services.link, canLookUp))
        lookUpAirport(*code);
}

// The viewer is hidden until a lookup, so it is built after the window's first frame, or earlier when
// something asks for it; until then the place handed to it is kept here.
viewer::ChartViewer *FrmMain::chartViewer()
{
    if (m_controls.openPDF)
        return m_controls.openPDF;
    viewer::ChartViewer *viewer = buildChartViewer(m_controls, &m_services.charts, &m_services.places);
    aircraft::showAircraftOnChart(m_services.link, viewer);
    viewer->setPlace(m_chartPlace);
    connect(viewer, &viewer::ChartViewer::nightChanged, this,
            [this](bool night) { m_services.settings.setNight(night); });
    return viewer;
}

viewer::ChartPlace FrmMain::chartPlace() const
{
    return m_controls.openPDF ? m_controls.openPDF->place() : m_chartPlace;
}

void FrmMain::setChartPlace(const viewer::ChartPlace &place)
{
    if (m_controls.openPDF)
        m_controls.openPDF->setPlace(place);
    else
        m_chartPlace = place;
}

void FrmMain::Form_Load()
{
    if (m_values.bLoadToggle == 0) {
        ShowDataLayout();
        m_values.bLoadToggle = 1;
    } else {
        ShowEntryLayout();
        m_values.bLoadToggle = 0;
    }
    desktop::centreOnScreen(this);
    playStartCues();
}

void FrmMain::playStartCues()
{
    // Each cue replaces the one still playing: the first sounds only for the short pause, the second is
    // cut off at once by the third, which plays to its end while the window is already usable.
    const QString &folder = m_values.soundFolder;
    m_services.sound.play(folder + QStringLiteral("/of1297.wav"));
    QTimer::singleShot(PauseAfterFirstCue, this, [this, folder] {
        m_services.sound.play(folder + QStringLiteral("/of1298.wav"));
        m_services.sound.play(folder + QStringLiteral("/of1300.wav"));
    });
}

void FrmMain::showEvent(QShowEvent *event)
{
    // The window becomes the program's active window when it is shown: after its load, and on every
    // return from the companion window. Switching from another program or closing a message box
    // does not count, nor does a restore from the task bar (a spontaneous show).
    if (!event->spontaneous())
        Form_Activate();
    if (!m_shownOnScreen && windowHandle())
        windowHandle()->installEventFilter(this);
    QWidget::showEvent(event);
}

// The window system shows the window by exposing it; the window is drawn and flushed to the screen while
// that exposure is handled, so what is queued then runs after the first frame.
bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed() &&
        !std::exchange(m_shownOnScreen, true)) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &FrmMain::afterFirstPaint, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

// What the window needs only once it is on screen is built and started after its first frame: the chart
// viewer and its render helper here, the sound cues by the owner. Nothing of it holds up the window's
// appearance, and both are ready long before a chart can be chosen.
void FrmMain::afterFirstPaint()
{
    chartViewer();
    m_services.charts.startHelper();
    emit firstShownOnScreen();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    // Closing the main window through its frame ends the program, without the exit question.
    event->accept();
    emit programEndRequested();
}

void FrmMain::Form_Activate()
{
    if (m_controls.txtIcao->isEnabled())
        m_controls.txtIcao->setFocus();
    // The category of the chart shown stays selected: a chart is never shown without its category.
    for (int index = 1; index < CategoryCount; ++index) {
        if (index != m_chartCategory)
            uncheck(m_controls.Option1[index], m_controls.Option1Group);
    }
}

void FrmMain::ShowDataLayout()
{
    m_controls.Frame1->show();
    m_controls.Frame3->show();
    m_controls.Frame4->show();
    m_controls.Image2->show();
    m_controls.Frame6->hide();
    m_controls.Frame5->show();
    m_controls.Picture1->hide();
    if (m_controls.openPDF)
        m_controls.openPDF->hide();
}

void FrmMain::ShowEntryLayout()
{
    m_controls.Frame3->hide();
    m_controls.Frame4->hide();
    m_controls.Image2->show();
    m_controls.Frame6->hide();
    m_controls.Frame5->show();
    m_controls.Picture1->hide();
    if (m_controls.openPDF)
        m_controls.openPDF->hide();
}

void FrmMain::txtIcao_Change()
{
    m_controls.cmdElabora->setEnabled(true);
}

void FrmMain::cmdElabora_Click()
{
    m_values.sIcaoCode = trimBlanks(m_controls.txtIcao->text());
    closeChart();
    ShowDataLayout();
    const airportdata::LookupResult result =
        airportdata::LookUpAirport(m_values.libraryFolder + QStringLiteral("/airports.txt"),
                                   m_values.sIcaoCode, {.maxFields = SlotCount});
    m_statusLine->setAirport(result.status == airportdata::LookupStatus::Found ? m_values.sIcaoCode
                                                                               : QString());
    if (result.status == airportdata::LookupStatus::Found) {
        showAirportRecord(result.record);
    } else {
        if (result.status == airportdata::LookupStatus::Unreadable)
            m_services.notice.warn(this, result.error);
        m_controls.lblRwy[1]->setText(NotFoundText);
    }
    m_controls.cmdElabora->setEnabled(false);
    m_controls.txtIcao->setEnabled(false);
}

void FrmMain::showAirportRecord(const airportdata::AirportRecord &record)
{
    // The grid places the record's fields in order, one a slot, whatever line they stand on.
    const QStringList fields = record.fields();
    const qsizetype filled = std::min<qsizetype>(fields.size(), SlotCount);
    for (qsizetype slot = 0; slot < filled; ++slot)
        m_controls.lblRwy[slot]->setText(fields[slot]);
    showChartAvailability();
    m_controls.Frame5->show();
    m_controls.Frame6->show();
    m_controls.Picture1->show();
    chartViewer()->show();
}

// Looked up afresh on every lookup, by the rule that opens a chart, so that charts copied into the library
// while the program runs show on the next lookup. Seven look-ups of a file, none of them read here: the
// viewer has the charts there are drawn ahead while the pilot reads the grid, the most often picked first.
void FrmMain::showChartAvailability()
{
    const QString &library = m_values.libraryFolder;
    QStringList charts;
    for (const int index : airportdata::CategoriesMostPickedFirst) {
        const QString path = airportdata::ChartFilePath(library, m_values.sIcaoCode, index);
        const QString openable = path.isEmpty() ? QString() : airportdata::OpenableChartPath(library, path);
        const bool available = !openable.isEmpty() && QFileInfo(openable).isFile();
        showAvailability(m_controls.Option1[index], available);
        if (available)
            charts.append(openable);
    }
    chartViewer()->setChartsAhead(charts);
}

void FrmMain::cmdClean_Click()
{
    m_statusLine->setAirport({});
    closeChart();
    ClearAirportData();
    ShowEntryLayout();
    m_controls.txtIcao->setEnabled(true);
    m_controls.txtIcao->setFocus();
}

void FrmMain::ClearAirportData()
{
    for (GridCell *cell : m_controls.lblRwy)
        cell->clear();
    m_controls.txtIcao->clear();
    m_controls.cmdElabora->setEnabled(false);
}

void FrmMain::Option1_Click(int index)
{
    m_controls.cmdLink->setEnabled(true);
    m_controls.cmdStampa->setEnabled(false);
    viewer::ChartViewer *viewer = chartViewer();
    viewer->show();
    const QString path = airportdata::ChartFilePath(m_values.libraryFolder, m_values.sIcaoCode, index);
    viewer->loadFile(airportdata::OpenableChartPath(m_values.libraryFolder, path));
    m_values.sChartPath = path;
    m_chartCategory = index;
}

// No chart of an airport outlives its lookup: the viewer is emptied, the companion window has nothing to
// show and "&Link to FS" waits for the next chart choice.
void FrmMain::closeChart()
{
    if (m_controls.openPDF) {
        m_controls.openPDF->closeChart();
        m_controls.openPDF->setChartsAhead({});
    }
    m_values.sChartPath.clear();
    m_chartCategory = NoChart;
    m_controls.cmdLink->setEnabled(false);
    for (QRadioButton *option : m_controls.Option1)
        uncheck(option, m_controls.Option1Group);
}

void FrmMain::cmdLink_Click()
{
    hide();
    emit linkRequested();
}

void FrmMain::cmdExit_Click()
{
    if (m_services.exitQuestion.confirmed(this))
        emit programEndRequested();
}

void FrmMain::cmdStampa_Click()
{
    const desktop::PrintOutcome outcome = m_services.printer.print(this);
    if (!outcome.printed)
        m_services.notice.warn(this, outcome.error);
}

void FrmMain::cmdInfo_Click()
{
    m_controls.fraUscita->show();
    m_controls.fraUscita->raise();
}

void FrmMain::Command2_Click()
{
    m_controls.fraUscita->hide();
}

void FrmMain::Label4_Click()
{
    const QString address = resources::supportAddress();
    if (!m_services.mail.open(desktop::supportMailLink(address, MailSubject, MailBody)))
        m_services.notice.warn(
            this,
            tr("No mail program could be started. Please write to %1 with your question.").arg(address));
}

} // namespace mainwindow
