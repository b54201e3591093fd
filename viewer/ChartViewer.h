#pragma once

#include "ChartPlace.h"
#include "ChartRenderClient.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

class QLabel;
class QPrinter;

namespace viewer {

class ChartPageView;
class ChartPrintJob;
class ChartToolbar;

// The embedded chart viewer of both windows: shows one PDF chart, with a toolbar that can be switched
// off. Charts are read and drawn by the render helper process, so a chart that hangs or crashes the PDF
// engine never stops the window; a file it cannot show is replaced by a plain message naming the file,
// its folder and the reason. Any page is one step away (the page box, Home and End, the chart's index),
// and only the page asked for is drawn; zooming keeps the point under the pointer where it is.
class ChartViewer : public QWidget {
    Q_OBJECT

public:
    enum class State { Empty, Loading, Shown, Failed };
    Q_ENUM(State)

    explicit ChartViewer(QWidget *parent = nullptr);
    // The same viewer with its own render helper and limits (tests use a stand-in helper).
    explicit ChartViewer(const ChartRenderSettings &settings, QWidget *parent = nullptr);
    ~ChartViewer() override;

    void loadFile(const QString &path);
    // Closes the chart shown: the viewer is empty again, showing its placeholder text.
    void closeChart();
    // A short text shown in place of a chart while the viewer is empty.
    void setPlaceholderText(const QString &text);
    void setToolbarVisible(bool visible);
    // Starts the render helper ahead of the first chart; otherwise the first chart starts it.
    void startRenderHelper();
    // The place in the chart shown: page, zoom, rotation and night colours. A place set while a chart is on
    // its way applies to it once it is read, its page kept within the chart.
    ChartPlace place() const;
    void setPlace(const ChartPlace &place);
    // Adds a command of the window to the end of the menu the right button opens on the chart.
    void addContextMenuAction(QAction *action);

    bool isToolbarVisible() const;
    QString loadedFile() const { return m_file; }
    State state() const { return m_state; }
    QString message() const { return m_message; }
    int pageCount() const { return int(m_pageSizes.size()); }
    int currentPage() const { return m_page; }

signals:
    void stateChanged(viewer::ChartViewer::State state);
    // A page image is on screen, sharp at the zoom asked for.
    void pageShown(int page);
    // The user switched the night colours.
    void nightChanged(bool night);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PageWork {
        quint64 serial = 0;
        PageRequest request;
        QImage image;
    };

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
    void onOpened(quint64 serial, const QList<QSizeF> &pageSizes);
    void onRendered(quint64 serial, const QImage &image);
    void onOutlineRead(quint64 serial, const QList<OutlineEntry> &outline);
    void onFailed(quint64 serial, ChartFailure failure);
    void requestPage();
    void renderAhead();
    void showImage(const QImage &image, const PageRequest &request);
    void showFailure(ChartFailure failure);
    void showNotice(const QString &text);
    void startPrinting(std::unique_ptr<QPrinter> printer, QList<int> pages);
    void setState(State state);
    void updateActions();
    qreal scaleFor(int page) const;
    PageImageSize imageSizeFor(int page) const;
    PageRequest requestFor(int page) const;
    QSize pageArea() const;

    ChartRenderClient *m_client;
    ChartToolbar *m_toolbar;
    QLabel *m_notice;
    ChartPageView *m_view;
    QTimer m_busyDelay;
    QTimer m_noticeTimer;
    QTimer m_aheadDelay;
    QTimer m_relayout;

    QString m_file;
    QString m_placeholder;
    State m_state = State::Empty;
    QString m_message;
    quint64 m_openSerial = 0;
    // The index of the chart, asked for after its first page.
    quint64 m_outlineSerial = 0;
    QList<QSizeF> m_pageSizes;
    int m_page = 0;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    qreal m_customScale = PixelsPerPoint;
    int m_quarterTurns = 0;
    bool m_night = false;
    PageRequest m_shown;
    PageWork m_wanted;
    PageWork m_ahead;
    QPointer<ChartPrintJob> m_printJob;
};

} // namespace viewer
