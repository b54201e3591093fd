// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AircraftFix.h"
#include "ChartPlace.h"
#include "ChartRenderClient.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

class QLabel;
class QPrinter;

namespace georef {
class PlacedCharts;
}

namespace viewer {

class AircraftOnChart;
class ChartPageView;
class ChartPrintJob;
class ChartRequests;
class ChartToolbar;

// The embedded chart viewer of both windows: shows one PDF chart, with a toolbar that can be switched
// off. Charts are read and drawn by the render helper process, so a chart that hangs or crashes the PDF
// engine never stops the window; a file it cannot show is replaced by a plain message naming the file,
// its folder and the reason. Any page is one step away (the page box, Home and End, the chart's index),
// and only the page asked for is drawn; zooming keeps the point under the pointer where it is. A page placed
// on the map shows the simulated aircraft over it.
class ChartViewer : public QWidget {
    Q_OBJECT

public:
    enum class State { Empty, Loading, Shown, Failed };
    Q_ENUM(State)

    // A viewer whose charts the client's render helper reads and draws; the client may serve other viewers.
    // Pages are placed on the map in the store places; without one, placing is not offered.
    explicit ChartViewer(ChartRenderClient *client, QWidget *parent = nullptr,
                         georef::PlacedCharts *places = nullptr);
    ~ChartViewer() override;

    void loadFile(const QString &path);
    // Closes the chart shown: the viewer is empty again, showing its placeholder text.
    void closeChart();
    // A short text shown in place of a chart while the viewer is empty.
    void setPlaceholderText(const QString &text);
    // The charts likely to be opened next, most likely first (those of the airport looked up): their first
    // pages are drawn ahead, at the size this viewer shows them, so that they show at once when opened.
    void setChartsAhead(const QStringList &charts);
    void setToolbarVisible(bool visible);
    // The place in the chart shown: page, zoom, rotation and night colours. A place set while a chart is on
    // its way applies to it once it is read, its page kept within the chart.
    ChartPlace place() const;
    void setPlace(const ChartPlace &place);
    // The simulated aircraft, drawn on a page placed on the map; nothing when no position is known.
    void setAircraft(std::optional<AircraftFix> fix);
    // Adds a command of the window to the end of the menu the right button opens on the chart.
    void addContextMenuAction(QAction *action);

    bool isToolbarVisible() const;
    QString loadedFile() const { return m_file; }
    State state() const { return m_state; }
    QString message() const { return m_message; }
    int pageCount() const;
    int currentPage() const { return m_page; }

signals:
    void stateChanged(viewer::ChartViewer::State state);
    // A page image is on screen, sharp at the zoom asked for.
    void pageShown(int page);
    // The user switched the night colours.
    void nightChanged(bool night);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectActions();
    void addContextMenu();
    void forgetChart();
    void showPage(int index);
    void zoomBy(int steps);
    void zoomAt(qreal factor, QPointF anchor);
    void setZoomMode(ZoomMode mode);
    void rotate();
    void setNight(bool night);
    // Asks for the pages through the system print dialog; says so when no printer is installed.
    void print();
    void onOpened();
    void requestPage();
    void drawAhead();
    void showImage(const QImage &image, const PageRequest &request, bool samePage);
    void showFailure(ChartFailure failure);
    void showNotice(const QString &text);
    void startPrinting(std::unique_ptr<QPrinter> printer, QList<int> pages);
    void setState(State state);
    void updateActions();
    qreal scaleFor(int page) const;
    PageImageSize imageSizeFor(int page) const;
    PageRequest requestFor(int page) const;
    PageFrame frame() const;
    QSize pageArea() const;

    ChartRenderClient *m_client;
    ChartRequests *m_requests;
    ChartToolbar *m_toolbar;
    QLabel *m_notice;
    ChartPageView *m_view;
    AircraftOnChart *m_aircraft;
    QTimer m_busyDelay;
    QTimer m_noticeTimer;
    QTimer m_relayout;

    QString m_file;
    QStringList m_chartsAhead;
    QString m_placeholder;
    State m_state = State::Empty;
    QString m_message;
    int m_page = 0;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    qreal m_customScale = PixelsPerPoint;
    int m_quarterTurns = 0;
    bool m_night = false;
    QPointer<ChartPrintJob> m_printJob;
};

} // namespace viewer
