// SPDX-License-Identifier: GPL-3.0-or-later
#include "AircraftOnChart.h"

#include "ChartPageView.h"
#include "PageFit.h"
#include "PlacePointDialog.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>

#include <cmath>

namespace viewer {

namespace {

QAction *makeAction(QObject *parent, const QString &text, const QString &name)
{
    auto *action = new QAction(text, parent);
    action->setObjectName(name);
    return action;
}

} // namespace

AircraftOnChart::AircraftOnChart(ChartPageView *view, georef::PlacedCharts *places, QWidget *dialogParent)
    : QObject(view)
    , placeOnMap(makeAction(this, tr("&Place on the map..."), QStringLiteral("placeOnMap")))
    , forgetPlace(makeAction(this, tr("Forget the p&lace"), QStringLiteral("forgetPlace")))
    , follow(makeAction(this, tr("Follow the &aircraft"), QStringLiteral("followAircraft")))
    , m_view(view)
    , m_places(places)
    , m_dialogParent(dialogParent)
{
    follow->setCheckable(true);
    connect(placeOnMap, &QAction::triggered, this, &AircraftOnChart::startPlacing);
    connect(forgetPlace, &QAction::triggered, this, &AircraftOnChart::forget);
    connect(follow, &QAction::toggled, this, [this](bool on) {
        if (on)
            m_view->keepMarkInView();
    });
    connect(m_view, &ChartPageView::pointPicked, this, &AircraftOnChart::pick);
    connect(m_view, &ChartPageView::pickingCancelled, this, [this] {
        stopPlacing();
        emit notice(tr("The page was not placed."));
    });
    updateActions();
}

void AircraftOnChart::setShownPage(const QString &file, int page, QSizeF points, int quarterTurns)
{
    if (file != m_shown.file || page != m_shown.page)
        stopPlacing();
    m_shown = {file, page, points, quarterTurns};
    // Looked up again: the other window's viewer may have placed or forgotten the page meanwhile.
    m_place.reset();
    updateActions();
    updateMark();
}

void AircraftOnChart::setAircraft(std::optional<AircraftFix> fix)
{
    m_fix = fix;
    updateMark();
}

// The chart file is read whole for its hash only when some page is placed at all.
std::optional<georef::ChartGeoreference> AircraftOnChart::place()
{
    if (!m_place) {
        const bool anyPlaced = m_places && QFileInfo::exists(m_places->fileName());
        const std::optional<georef::ChartPage> page = anyPlaced ? chartPage() : std::nullopt;
        m_place = page ? m_places->placeOf(*page) : std::nullopt;
    }
    return *m_place;
}

bool AircraftOnChart::placeShownPage(const georef::ChartGeoreference &georeference)
{
    const std::optional<georef::ChartPage> page = m_places ? chartPage() : std::nullopt;
    if (!page)
        return false;
    const georef::StoreOutcome outcome = m_places->place(*page, georeference);
    if (!outcome.kept) {
        emit notice(outcome.error);
        return false;
    }
    m_place = georeference;
    updateMark();
    return true;
}

// The chart's content is hashed once while the file stays as it is.
std::optional<georef::ChartPage> AircraftOnChart::chartPage()
{
    if (m_shown.file.isEmpty())
        return std::nullopt;
    const QFileInfo info(m_shown.file);
    if (m_hash.file != m_shown.file || m_hash.modified != info.lastModified() || m_hash.size != info.size()) {
        QString error;
        const std::optional<georef::ChartPage> page = georef::ChartPage::ofFile(m_shown.file, 0, &error);
        if (!page) {
            emit notice(error);
            return std::nullopt;
        }
        m_hash = {m_shown.file, info.lastModified(), info.size(), page->sha256};
    }
    return georef::ChartPage{m_hash.sha256, m_shown.page};
}

void AircraftOnChart::startPlacing()
{
    if (m_shown.file.isEmpty() || !m_places)
        return;
    m_points.clear();
    m_view->setPicking(true);
    emit notice(tr("Click a point whose latitude and longitude the chart prints, such as where its ticks "
                   "meet. Esc stops placing."));
}

void AircraftOnChart::stopPlacing()
{
    m_points.clear();
    m_view->setPicking(false);
}

void AircraftOnChart::pick(QPointF onImage)
{
    const QSizeF turned = turnedPageSize(m_shown.points, m_shown.quarterTurns);
    const QPointF onPage =
        unturnedPagePoint(QPointF(onImage.x() * turned.width(), onImage.y() * turned.height()),
                          m_shown.points, m_shown.quarterTurns);
    const std::optional<airportdata::GeoPosition> position =
        PlacePointDialog::ask(int(m_points.size()) + 1, m_dialogParent);
    if (!position) {
        stopPlacing();
        emit notice(tr("The page was not placed."));
        return;
    }
    m_points.append({onPage, *position});
    if (m_points.size() == 1)
        emit notice(tr("Now click a second point, far from the first: across the chart, the other corner."));
    else
        finishPlacing();
}

void AircraftOnChart::finishPlacing()
{
    const georef::ReferencePoint first = m_points.at(0);
    const georef::ReferencePoint second = m_points.at(1);
    stopPlacing();
    const std::optional<georef::ChartGeoreference> georeference =
        georef::ChartGeoreference::fromPoints(first, second);
    if (!georeference) {
        emit notice(tr("The two points are one place: the page was not placed."));
        return;
    }
    QStringList doubts;
    if (georef::ChartGeoreference::pointsAreClose(first, second))
        doubts << tr("The two points are close together, so a small miss turns or stretches the chart much.");
    if (georeference->scaleIsUnlikely())
        doubts << tr("The points give a scale of 1:%L1, which no chart has: is a coordinate mistyped?")
                      .arg(qRound64(georeference->scaleDenominator()));
    if (!doubts.isEmpty() &&
        QMessageBox::warning(m_dialogParent, tr("Place on the Map"),
                             doubts.join(QLatin1Char('\n')) + QLatin1Char('\n') +
                                 tr("Place the page anyway?"),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        emit notice(tr("The page was not placed."));
        return;
    }
    if (placeShownPage(*georeference))
        emit notice(tr("The page is placed on the map, at a scale of 1:%L1.")
                        .arg(qRound64(georeference->scaleDenominator())));
}

void AircraftOnChart::forget()
{
    const std::optional<georef::ChartPage> page = m_places ? chartPage() : std::nullopt;
    if (!page)
        return;
    const georef::StoreOutcome outcome = m_places->forget(*page);
    if (!outcome.kept) {
        emit notice(outcome.error);
        return;
    }
    m_place = std::optional<georef::ChartGeoreference>();
    emit notice(tr("The page is no longer placed on the map."));
    updateMark();
}

// The aircraft on the page as it is turned on screen; none when the page is not placed, no position is known
// or the aircraft is off the page.
void AircraftOnChart::updateMark()
{
    std::optional<PageMark> mark;
    if (m_fix && !m_shown.file.isEmpty() && !m_shown.points.isEmpty()) {
        if (const std::optional<georef::ChartGeoreference> georeference = place()) {
            const QSizeF turned = turnedPageSize(m_shown.points, m_shown.quarterTurns);
            const QPointF at =
                turnedPagePoint(georeference->pageOf(m_fix->position), m_shown.points, m_shown.quarterTurns);
            const QPointF onImage(at.x() / turned.width(), at.y() / turned.height());
            std::optional<qreal> direction;
            if (m_fix->direction)
                direction = std::fmod(georeference->pageDirection(m_fix->position, *m_fix->direction) +
                                          90.0 * m_shown.quarterTurns,
                                      360.0);
            if (onImage.x() >= 0 && onImage.x() <= 1 && onImage.y() >= 0 && onImage.y() <= 1)
                mark = PageMark{onImage, direction, m_fix->stale};
        }
    }
    m_view->setMark(mark);
    if (mark && follow->isChecked())
        m_view->keepMarkInView();
}

void AircraftOnChart::updateActions()
{
    const bool shown = !m_shown.file.isEmpty() && m_places;
    placeOnMap->setEnabled(shown);
    forgetPlace->setEnabled(shown);
    placeOnMap->setVisible(m_places != nullptr);
    forgetPlace->setVisible(m_places != nullptr);
    follow->setVisible(m_places != nullptr);
}

} // namespace viewer
