#pragma once

#include <QToolBar>

class QLabel;

namespace viewer {

// The viewer's toolbar: page "n of m" with previous and next, zoom, fit width, fit page, rotate, night
// colours and print; small buttons with drawn icons and tool tips. Each action carries its keyboard
// shortcut, so the viewer can add the same actions to itself and keep them working when the bar is hidden.
class ChartToolbar : public QToolBar {
    Q_OBJECT

public:
    explicit ChartToolbar(QWidget *parent = nullptr);

    // Shows "n of m" for a page index; count 0 shows no page.
    void setPage(int index, int count);
    QString pageText() const;

    QAction *const previousPage;
    QAction *const nextPage;
    QAction *const zoomOut;
    QAction *const zoomIn;
    QAction *const fitWidth;
    QAction *const fitPage;
    QAction *const rotate;
    QAction *const night;
    QAction *const print;

private:
    QLabel *m_page = nullptr;
};

} // namespace viewer
