#pragma once

#include <QAbstractScrollArea>
#include <QImage>

class QLabel;
class QProgressBar;

namespace viewer {

// The page area of the chart viewer: one rendered page, scrollable, at the top and centred across when
// smaller than the area; or a message in its place; with a busy indicator over it while a page is on its way.
class ChartPageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ChartPageView(QWidget *parent = nullptr);

    // Shows a page image at its size on screen; a new page starts at its top, the same page redrawn
    // (zoom, resize) keeps the part in view.
    void setPage(const QImage &image, QSizeF logicalSize, bool samePage);
    void clear();
    void setMessage(const QString &text);
    void setBusy(bool busy);

    QImage image() const { return m_image; }
    QString message() const;
    bool isBusy() const;

signals:
    // Ctrl + wheel: positive steps zoom in.
    void zoomRequested(int steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void updateScrollBars();
    QRectF pageRect() const;
    void placeOverlays();

    QImage m_image;
    QSizeF m_logicalSize;
    int m_wheelRemainder = 0;
    QLabel *m_message = nullptr;
    QProgressBar *m_busy = nullptr;
};

} // namespace viewer
