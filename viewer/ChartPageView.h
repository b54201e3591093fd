#pragma once

#include <QAbstractScrollArea>
#include <QImage>

class QLabel;
class QProgressBar;

namespace viewer {

// The page area of the chart viewer: one rendered page, scrollable, at the top and centred across when
// smaller than the area; or a message in its place; with a busy indicator over it while a page is on its way.
// The left button drags the page (no kinetic scrolling); the wheel scrolls; Ctrl + wheel and pinching ask
// for a zoom around the pointer.
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

    QImage image() const { return m_image; }
    QString message() const;
    bool isBusy() const;

signals:
    // Ctrl + wheel or a pinch: the zoom to multiply by, around a point of the viewport.
    void zoomRequested(qreal factor, QPointF anchor);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void updateCursor();
    bool gestureEvent(QEvent *event);
    void updateScrollBars();
    QRectF pageRect() const;
    void placeOverlays();

    QImage m_image;
    QSizeF m_logicalSize;
    int m_wheelRemainder = 0;
    bool m_dragging = false;
    QPoint m_dragFrom;
    QPoint m_scrollFrom;
    QLabel *m_message = nullptr;
    QProgressBar *m_busy = nullptr;
};

} // namespace viewer
