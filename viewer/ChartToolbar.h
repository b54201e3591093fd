// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

#include <QToolBar>

class QLabel;
class QLineEdit;

namespace viewer {

class ChartIndexBox;

// The viewer's toolbar: the chart index (when the chart has one), the page box "n of m" with previous and
// next, zoom out and in around the zoom in percent, fit width, fit page, rotate, night colours and print;
// small buttons with drawn icons and tool tips. Each action carries its keyboard shortcut, so the viewer can
// add the same actions to itself and keep them working when the bar is hidden; first page, last page and the
// toolbar itself have keys only.
class ChartToolbar : public QToolBar {
    Q_OBJECT

public:
    explicit ChartToolbar(QWidget *parent = nullptr);

    // Shows page index of count in the page box; count 0 shows no page and takes no entry.
    void setPage(int index, int count);
    // "n of m", or nothing without a page.
    QString pageText() const;
    // The zoom in percent; a negative value shows none.
    void setZoomPercent(int percent);
    QString zoomText() const;
    // The chart's index; the index box is hidden while there is none.
    void setOutline(const QList<OutlineEntry> &outline);
    void showPageInIndex(int index);
    bool hasIndex() const;

    QAction *const previousPage;
    QAction *const nextPage;
    QAction *const firstPage;
    QAction *const lastPage;
    QAction *const zoomOut;
    QAction *const zoomIn;
    QAction *const fitWidth;
    QAction *const fitPage;
    QAction *const rotate;
    QAction *const night;
    QAction *const print;
    QAction *const showToolbar;

signals:
    // A page typed into the page box (an index, kept within the chart) or chosen in the index.
    void pageChosen(int index);

private:
    void enterPage();

    ChartIndexBox *m_index;
    QAction *m_indexAction = nullptr;
    QLineEdit *m_pageNumber;
    QLabel *m_pageCount;
    QLabel *m_zoom;
    int m_pageIndex = 0;
    int m_count = 0;
};

} // namespace viewer
