// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AircraftFix.h"
#include "ChartGeoreference.h"
#include "PlacedCharts.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSizeF>

class QAction;
class QWidget;

namespace viewer {

class ChartPageView;

// The aircraft on the page shown, once the page is placed on the map: "Place on the map..." (two points
// clicked on the page and their coordinates typed), "Forget the place", and following the aircraft. The
// page's place comes from the store of placed pages, by the chart's content and the page; the aircraft is
// drawn over the page image at its place, pointing along its track.
class AircraftOnChart : public QObject {
    Q_OBJECT

public:
    // places: the store of placed pages; none leaves placing switched off. Dialogs open over dialogParent.
    AircraftOnChart(ChartPageView *view, georef::PlacedCharts *places, QWidget *dialogParent);

    // The page on screen: its chart file, its index, its size in points and its clockwise quarter turns; an
    // empty file when none is.
    void setShownPage(const QString &file, int page, QSizeF points, int quarterTurns);
    void setAircraft(std::optional<AircraftFix> fix);
    // The place of the page on screen, when it is placed.
    std::optional<georef::ChartGeoreference> place();
    // Places the page on screen by two points; false (and a notice) when the store would not keep it.
    bool placeShownPage(const georef::ChartGeoreference &georeference);

    QAction *const placeOnMap;
    QAction *const forgetPlace;
    QAction *const follow;

signals:
    // A short text for the viewer's notice line.
    void notice(const QString &text);

private:
    struct ShownPage {
        QString file;
        int page = 0;
        QSizeF points;
        int quarterTurns = 0;
    };
    struct ChartHash {
        QString file;
        QDateTime modified;
        qint64 size = -1;
        QByteArray sha256;
    };

    void startPlacing();
    void stopPlacing();
    void pick(QPointF onImage);
    void finishPlacing();
    void forget();
    void updateMark();
    std::optional<georef::ChartPage> chartPage();
    void updateActions();

    ChartPageView *m_view;
    georef::PlacedCharts *m_places;
    QWidget *m_dialogParent;
    ShownPage m_shown;
    ChartHash m_hash;
    std::optional<std::optional<georef::ChartGeoreference>> m_place; // looked up once per page shown
    std::optional<AircraftFix> m_fix;
    QList<georef::ReferencePoint> m_points; // while placing
};

} // namespace viewer
