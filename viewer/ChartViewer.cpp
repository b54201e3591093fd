// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartViewer.h"

#include "AircraftOnChart.h"
#include "ChartMessages.h"
#include "ChartPageView.h"
#include "ChartPrintJob.h"
#include "ChartRequests.h"
#include "ChartToolbar.h"

#include <QEvent>
#include <QLabel>
#include <QPrinter>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace viewer {

namespace {

// A page that takes longer than this shows the busy indicator.
constexpr int BusyDelayMs = 300;
constexpr int NoticeMs = 10000;
// A scale this close to a zoom limit is at the limit.
constexpr qreal ScaleTolerance = 1e-6;

} // namespace

ChartViewer::ChartViewer(ChartRenderClient *client, QWidget *parent, georef::PlacedCharts *places)
    : QWidget(parent)
    , m_client(client)
    , m_requests(new ChartRequests(m_client, this))
    , m_toolbar(new ChartToolbar(this))
    , m_notice(new QLabel(this))
    , m_view(new ChartPageView(this))
    , m_aircraft(new AircraftOnChart(m_view, places, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_view, 1);
    setFocusProxy(m_view);
    m_view->setObjectName(QStringLiteral("chartPageView"));

    m_notice->setObjectName(QStringLiteral("chartNotice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setWordWrap(true);
    m_notice->setMargin(6);
    m_notice->setAutoFillBackground(true);
    m_notice->setBackgroundRole(QPalette::ToolTipBase);
    m_notice->setForegroundRole(QPalette::ToolTipText);
    m_notice->hide();

    m_busyDelay.setSingleShot(true);
    m_busyDelay.setInterval(BusyDelayMs);
    connect(&m_busyDelay, &QTimer::timeout, this, [this] { m_view->setBusy(true); });
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(NoticeMs);
    connect(&m_noticeTimer, &QTimer::timeout, m_notice, &QWidget::hide);
    m_relayout.setSingleShot(true);
    m_relayout.setInterval(0);
    connect(&m_relayout, &QTimer::timeout, this, &ChartViewer::requestPage);

    connect(m_requests, &ChartRequests::opened, this, &ChartViewer::onOpened);
    connect(m_requests, &ChartRequests::pageReady, this, &ChartViewer::showImage);
    connect(m_requests, &ChartRequests::failed, this, &ChartViewer::showFailure);
    connect(m_requests, &ChartRequests::outlineRead, m_toolbar, &ChartToolbar::setOutline);
    connect(m_view, &ChartPageView::zoomRequested, this, &ChartViewer::zoomAt);
    connect(m_aircraft, &AircraftOnChart::notice, this, &ChartViewer::showNotice);
    // The page area also changes without the viewer's size: the chart's index showing in the toolbar makes
    // the bar taller.
    m_view->installEventFilter(this);
    connectActions();
    addContextMenu();
    updateActions();
}

ChartViewer::~ChartViewer()
{
    delete m_printJob;
}

void ChartViewer::connectActions()
{
    connect(m_toolbar->previousPage, &QAction::triggered, this, [this] { showPage(m_page - 1); });
    connect(m_toolbar->nextPage, &QAction::triggered, this, [this] { showPage(m_page + 1); });
    connect(m_toolbar->firstPage, &QAction::triggered, this, [this] { showPage(0); });
    connect(m_toolbar->lastPage, &QAction::triggered, this, [this] { showPage(pageCount() - 1); });
    connect(m_toolbar, &ChartToolbar::pageChosen, this, [this](int index) {
        showPage(index);
        m_view->setFocus();
    });
    connect(m_toolbar->zoomOut, &QAction::triggered, this, [this] { zoomBy(-1); });
    connect(m_toolbar->zoomIn, &QAction::triggered, this, [this] { zoomBy(1); });
    connect(m_toolbar->fitWidth, &QAction::triggered, this, [this] { setZoomMode(ZoomMode::FitWidth); });
    connect(m_toolbar->fitPage, &QAction::triggered, this, [this] { setZoomMode(ZoomMode::FitPage); });
    connect(m_toolbar->rotate, &QAction::triggered, this, &ChartViewer::rotate);
    connect(m_toolbar->night, &QAction::triggered, this, [this](bool night) {
        setNight(night);
        emit nightChanged(night);
    });
    connect(m_toolbar->print, &QAction::triggered, this, &ChartViewer::print);
    connect(m_toolbar->showToolbar, &QAction::triggered, this, &ChartViewer::setToolbarVisible);
    // The viewer carries the same actions, so their keys work while the toolbar is hidden.
    addActions({m_toolbar->previousPage, m_toolbar->nextPage, m_toolbar->firstPage, m_toolbar->lastPage,
                m_toolbar->zoomOut, m_toolbar->zoomIn, m_toolbar->fitWidth, m_toolbar->fitPage,
                m_toolbar->rotate, m_toolbar->night, m_toolbar->print, m_toolbar->showToolbar});
}

// The right button on the page offers what the toolbar and the keys do, the toolbar itself included.
void ChartViewer::addContextMenu()
{
    const auto separator = [this] {
        auto *action = new QAction(this);
        action->setSeparator(true);
        return action;
    };
    const ChartToolbar &bar = *m_toolbar;
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_view->addActions({bar.firstPage, bar.previousPage, bar.nextPage, bar.lastPage, separator(), bar.zoomIn,
                        bar.zoomOut, bar.fitWidth, bar.fitPage, separator(), bar.rotate, bar.night,
                        separator(), bar.showToolbar, bar.print, separator(), m_aircraft->placeOnMap,
                        m_aircraft->forgetPlace, m_aircraft->follow});
}

void ChartViewer::loadFile(const QString &path)
{
    forgetChart();
    m_file = path;
    m_view->setMessage({});
    if (path.isEmpty()) {
        showFailure(ChartFailure::NoFileNamed);
        return;
    }
    m_requests->open(path);
    m_busyDelay.start();
    setState(State::Loading);
    updateActions();
}

void ChartViewer::closeChart()
{
    forgetChart();
    m_view->setMessage(m_placeholder);
    setState(State::Empty);
    updateActions();
}

void ChartViewer::setPlaceholderText(const QString &text)
{
    m_placeholder = text;
    if (m_state == State::Empty)
        m_view->setMessage(text);
}

// Drops the chart and everything still on its way from the render helper; a late answer about it is
// then ignored.
void ChartViewer::forgetChart()
{
    delete m_printJob;
    m_busyDelay.stop();
    m_view->setBusy(false);
    m_requests->reset();
    m_toolbar->setOutline({});
    m_page = 0;
    m_quarterTurns = 0;
    if (m_zoomMode == ZoomMode::Custom)
        m_zoomMode = ZoomMode::FitWidth;
    m_file.clear();
    m_message.clear();
    m_notice->hide();
    m_aircraft->setShownPage({}, 0, {}, 0);
}

void ChartViewer::setChartsAhead(const QStringList &charts)
{
    m_chartsAhead = charts;
    drawAhead();
}

void ChartViewer::setToolbarVisible(bool visible)
{
    m_toolbar->setVisible(visible);
    m_toolbar->showToolbar->setChecked(visible);
    m_relayout.start();
}

void ChartViewer::setAircraft(std::optional<AircraftFix> fix)
{
    m_aircraft->setAircraft(fix);
}

void ChartViewer::addContextMenuAction(QAction *action)
{
    m_view->addAction(action);
}

ChartPlace ChartViewer::place() const
{
    return {m_page, m_zoomMode, m_customScale, m_quarterTurns, m_night};
}

void ChartViewer::setPlace(const ChartPlace &place)
{
    m_zoomMode = place.zoomMode;
    m_customScale = std::clamp(place.customScale, MinScale, MaxScale);
    m_quarterTurns = (place.quarterTurns % 4 + 4) % 4;
    m_night = place.night;
    m_page = pageCount() == 0 ? std::max(0, place.page) : std::clamp(place.page, 0, pageCount() - 1);
    requestPage();
}

int ChartViewer::pageCount() const
{
    return int(m_requests->pageSizes().size());
}

bool ChartViewer::isToolbarVisible() const
{
    return !m_toolbar->isHidden();
}

void ChartViewer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_relayout.start();
}

// The viewer shown (again) is the one whose pages are worth drawing ahead.
void ChartViewer::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    drawAhead();
}

bool ChartViewer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        m_relayout.start();
    return QWidget::eventFilter(watched, event);
}

void ChartViewer::onOpened()
{
    m_page = std::min(m_page, pageCount() - 1);
    requestPage();
}

void ChartViewer::requestPage()
{
    updateActions();
    if (pageCount() == 0 || m_state == State::Failed)
        return;
    m_requests->requestPage(requestFor(m_page));
    if (m_requests->isPageOnItsWay() && !m_view->isBusy())
        m_busyDelay.start();
    drawAhead();
}

// Drawn ahead, most likely first: the page after the one on screen, at the size of this one, then the first
// page of each chart likely to be opened next, at the size a chart opened now gets (fitted as this one, not
// turned).
void ChartViewer::drawAhead()
{
    if (!isVisible())
        return;
    QList<AheadPage> pages;
    if (m_page + 1 < pageCount() && m_state != State::Failed)
        pages.append({m_file, m_page + 1, frame(), m_night});
    PageFrame opened = frame();
    opened.quarterTurns = 0;
    if (opened.zoomMode == ZoomMode::Custom)
        opened.zoomMode = ZoomMode::FitWidth;
    for (const QString &chart : m_chartsAhead)
        pages.append({chart, 0, opened, m_night});
    m_requests->drawAhead(pages);
}

void ChartViewer::showImage(const QImage &image, const PageRequest &request, bool samePage)
{
    m_busyDelay.stop();
    m_view->setBusy(false);
    m_view->setPage(image, imageSizeFor(request.page).logical, samePage);
    m_aircraft->setShownPage(m_file, request.page, m_requests->pageSizes().at(request.page),
                             request.quarterTurns);
    if (m_state != State::Shown)
        setState(State::Shown);
    updateActions();
    emit pageShown(request.page);
}

void ChartViewer::showFailure(ChartFailure failure)
{
    m_busyDelay.stop();
    m_view->setBusy(false);
    m_requests->reset();
    m_toolbar->setOutline({});
    m_aircraft->setShownPage({}, 0, {}, 0);
    m_message = chartMessage(m_file, failure);
    m_view->setMessage(m_message);
    setState(State::Failed);
    updateActions();
}

void ChartViewer::showNotice(const QString &text)
{
    m_notice->setText(text);
    const int top = isToolbarVisible() ? m_toolbar->height() : 0;
    m_notice->setGeometry(0, top, width(), m_notice->heightForWidth(width()));
    m_notice->show();
    m_notice->raise();
    m_noticeTimer.start();
}

void ChartViewer::showPage(int index)
{
    if (index < 0 || index >= pageCount() || index == m_page)
        return;
    m_page = index;
    requestPage();
}

// The keys and the toolbar zoom around the middle of the page area.
void ChartViewer::zoomBy(int steps)
{
    zoomAt(std::pow(ZoomStep, steps), QRectF(m_view->viewport()->rect()).center());
}

// The page shown is stretched at once, the point under anchor kept in place, until the helper sends the
// page sharp at its new size.
void ChartViewer::zoomAt(qreal factor, QPointF anchor)
{
    if (pageCount() == 0)
        return;
    const qreal before = scaleFor(m_page);
    const qreal scale = std::clamp(before * factor, MinScale, MaxScale);
    if (std::abs(scale - before) < ScaleTolerance || (factor > 1) != (scale > before))
        return;
    m_customScale = scale;
    m_zoomMode = ZoomMode::Custom;
    if (m_requests->shownPage().page == m_page && !m_view->image().isNull())
        m_view->zoomTo(imageSizeFor(m_page).logical, anchor);
    requestPage();
}

void ChartViewer::setZoomMode(ZoomMode mode)
{
    m_zoomMode = mode;
    requestPage();
}

void ChartViewer::rotate()
{
    m_quarterTurns = (m_quarterTurns + 1) % 4;
    requestPage();
}

void ChartViewer::setNight(bool night)
{
    m_night = night;
    requestPage();
}

void ChartViewer::print()
{
    if (m_state != State::Shown || pageCount() == 0)
        return;
    const quint64 chart = m_requests->chartSerial();
    PrintChoice choice = askWhatToPrint(this, m_page, pageCount());
    if (choice.noPrinterInstalled) {
        showNotice(tr("No printer is installed, so the chart cannot be printed."));
        return;
    }
    if (!choice.printer || chart != m_requests->chartSerial() || m_state != State::Shown)
        return;
    startPrinting(std::move(choice.printer), std::move(choice.pages));
}

void ChartViewer::startPrinting(std::unique_ptr<QPrinter> printer, QList<int> pages)
{
    delete m_printJob;
    m_printJob = new ChartPrintJob(m_client, m_file, std::move(printer), std::move(pages),
                                   m_requests->pageSizes(), this);
    connect(m_printJob, &ChartPrintJob::finished, this, [this](ChartFailure failure) {
        showNotice(failure == ChartFailure::None ? tr("The chart went to the printer.")
                                                 : tr("The chart could not be printed."));
        m_printJob->deleteLater();
    });
    m_printJob->start();
}

void ChartViewer::setState(State state)
{
    m_state = state;
    emit stateChanged(state);
}

void ChartViewer::updateActions()
{
    const bool shown = m_state == State::Shown && pageCount() > 0;
    const int count = pageCount();
    const qreal scale = shown ? scaleFor(m_page) : 0;
    m_toolbar->setPage(m_page, shown ? count : 0);
    m_toolbar->showPageInIndex(m_page);
    m_toolbar->setZoomPercent(shown ? zoomPercent(scale) : -1);
    m_toolbar->previousPage->setEnabled(shown && m_page > 0);
    m_toolbar->firstPage->setEnabled(shown && m_page > 0);
    m_toolbar->nextPage->setEnabled(shown && m_page + 1 < count);
    m_toolbar->lastPage->setEnabled(shown && m_page + 1 < count);
    m_toolbar->zoomIn->setEnabled(shown && scale < MaxScale - ScaleTolerance);
    m_toolbar->zoomOut->setEnabled(shown && scale > MinScale + ScaleTolerance);
    for (QAction *action : {m_toolbar->fitWidth, m_toolbar->fitPage, m_toolbar->rotate, m_toolbar->print})
        action->setEnabled(shown);
    m_toolbar->fitWidth->setChecked(m_zoomMode == ZoomMode::FitWidth);
    m_toolbar->fitPage->setChecked(m_zoomMode == ZoomMode::FitPage);
    m_toolbar->night->setChecked(m_night);
}

qreal ChartViewer::scaleFor(int page) const
{
    const PageFrame fit = frame();
    return pageScale(turnedPageSize(m_requests->pageSizes().at(page), fit.quarterTurns), fit.zoomMode,
                     fit.customScale, fit.area, fit.scrollBarExtent);
}

PageImageSize ChartViewer::imageSizeFor(int page) const
{
    return framedPageSize(m_requests->pageSizes().at(page), frame(), protocol::MaxImagePixels);
}

PageRequest ChartViewer::requestFor(int page) const
{
    return protocol::framedPage({m_file, page, frame(), m_night}, m_requests->pageSizes().at(page));
}

PageFrame ChartViewer::frame() const
{
    return {m_zoomMode,          m_customScale, pageArea(), style()->pixelMetric(QStyle::PM_ScrollBarExtent),
            devicePixelRatioF(), m_quarterTurns};
}

// The page area: the viewer less its toolbar, known even before the layout has placed the children.
QSize ChartViewer::pageArea() const
{
    QSize area = size();
    if (isToolbarVisible())
        area.rheight() -= m_toolbar->sizeHint().height();
    return area;
}

} // namespace viewer
