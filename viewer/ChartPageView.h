// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QImage>

#include <optional>

class QLabel;
class QProgressBar;

namespace viewer {

// A mark drawn over the page image, such as the aircraft: where on the image, as fractions of its width and
// height (so that it stays on its place while a zoomed page is stretched), the direction it points in,
// degrees clockwise from the top of the screen, and whether it is stale.
struct PageMark {
    QPointF onImage;
    std::optional<qreal> direction;
    bool stale = false;

    friend bool operator==(const PageMark &, const PageMark &) = default;
};

// The page area of the chart viewer: one rendered page, scrollable, at the top and centred across when
// smaller than the area; or a message in its place; with a busy indicator over it while a page is on its way.
// The left button drags the page (no kinetic scrolling); the wheel scrolls; Ctrl + wheel and pinching ask
// for a zoom around the pointer. A mark may be drawn over the page; moving it repaints only where it was and
// where it goes. While picking, a click that does not drag picks a point of the page.
class ChartPageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ChartPageView(QWidget *parent = nullptr);

    // Shows a page image at its size on screen; a new page starts at its top, the same page redrawn
    // (zoom, resize) keeps the part in view, and exactly so when its size on screen did not change.
    void setPage(const QImage &image, QSizeF logicalSize, bool samePage);
    // Gives the page shown a new size on screen at once (the image stretched until a sharp one comes)
    // and scrolls so that the point of the page under anchor, in viewport pixels, stays under it.
    void zoomTo(QSizeF logicalSize, QPointF anchor);
    void clear();
    void setMessage(const QString &text);
    void setBusy(bool busy);

    void setMark(std::optional<PageMark> mark);
    std::optional<PageMark> mark() const { return m_mark; }
    // Where the mark's centre is drawn, in viewport pixels; nothing without a mark or a page.
    std::optional<QPointF> markCentre() const;
    // Scrolls as little as needed to bring the mark into view, with room around it.
    void keepMarkInView();
    // A cross cursor; a click picks a point and Escape ends picking.
    void setPicking(bool picking);
    bool isPicking() const { return m_picking; }

    QImage image() const { return m_image; }
    QString message() const;
    bool isBusy() const;

signals:
    // Ctrl + wheel or a pinch: the zoom to multiply by, around a point of the viewport.
    void zoomRequested(qreal factor, QPointF anchor);
    // A point picked while picking, as fractions of the page image's width and height.
    void pointPicked(QPointF onImage);
    void pickingCancelled();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void updateCursor();
    bool gestureEvent(QEvent *event);
    void updateScrollBars();
    QRectF pageRect() const;
    void placeOverlays();
    void updateMark();

    QImage m_image;
    QSizeF m_logicalSize;
    int m_wheelRemainder = 0;
    bool m_dragging = false;
    QPoint m_dragFrom;
    QPoint m_scrollFrom;
    std::optional<PageMark> m_mark;
    QRect m_markPainted; // where the mark was last drawn, in viewport pixels
    bool m_picking = false;
    QLabel *m_message = nullptr;
    QProgressBar *m_busy = nullptr;
};

} // namespace viewer
