// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPageView.h"

#include "AircraftSymbol.h"
#include "PageFit.h"

#include <QGestureEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPinchGesture>
#include <QProgressBar>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace viewer {

namespace {

constexpr int WheelStep = 120;
constexpr int FocusFrameWidth = 2;
// A press and release closer than this is a click, not a drag.
constexpr int ClickSlack = 4;
// Room kept around a mark brought into view.
constexpr int MarkRoom = 48;

// Keeps the same fraction of a scroll bar's range in view after the range changes.
void keepFraction(QScrollBar *bar, qreal fraction)
{
    bar->setValue(qRound(fraction * bar->maximum()));
}

qreal fraction(const QScrollBar *bar)
{
    return bar->maximum() > 0 ? qreal(bar->value()) / bar->maximum() : 0;
}

} // namespace

ChartPageView::ChartPageView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_message(new QLabel(viewport()))
    , m_busy(new QProgressBar(viewport()))
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
    viewport()->grabGesture(Qt::PinchGesture);
    m_message->setObjectName(QStringLiteral("chartMessage"));
    m_message->setTextFormat(Qt::PlainText); // file and folder names are never markup
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->hide();
    m_busy->setObjectName(QStringLiteral("chartBusy"));
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setFixedSize(120, 12);
    m_busy->hide();
}

// A page image is drawn on screen as soon as it arrives, not when the event loop next gets to it.
void ChartPageView::setPage(const QImage &image, QSizeF logicalSize, bool samePage)
{
    if (samePage && logicalSize == m_logicalSize && !m_image.isNull()) {
        m_image = image;
        viewport()->repaint();
        return;
    }
    const qreal across = fraction(horizontalScrollBar());
    const qreal down = fraction(verticalScrollBar());
    m_image = image;
    m_logicalSize = logicalSize;
    m_message->hide();
    updateScrollBars();
    keepFraction(horizontalScrollBar(), samePage ? across : 0);
    keepFraction(verticalScrollBar(), samePage ? down : 0);
    updateCursor();
    viewport()->repaint();
}

void ChartPageView::zoomTo(QSizeF logicalSize, QPointF anchor)
{
    if (m_image.isNull() || m_logicalSize.isEmpty())
        return;
    const QRectF before = pageRect();
    const QPointF onPage((anchor.x() - before.x()) / before.width(),
                         (anchor.y() - before.y()) / before.height());
    m_logicalSize = logicalSize;
    updateScrollBars();
    horizontalScrollBar()->setValue(qRound(onPage.x() * logicalSize.width() - anchor.x()));
    verticalScrollBar()->setValue(qRound(onPage.y() * logicalSize.height() - anchor.y()));
    viewport()->update();
}

void ChartPageView::setMark(std::optional<PageMark> mark)
{
    if (mark == m_mark)
        return;
    m_mark = mark;
    updateMark();
}

// Only where the mark was and where it goes is painted again: the page image is not drawn whole.
void ChartPageView::updateMark()
{
    QRect area = m_markPainted;
    if (const std::optional<QPointF> centre = markCentre())
        area |= AircraftSymbol::bounds(*centre).toAlignedRect();
    if (!area.isEmpty())
        viewport()->update(area);
}

std::optional<QPointF> ChartPageView::markCentre() const
{
    if (!m_mark || m_image.isNull())
        return std::nullopt;
    const QRectF page = pageRect();
    return page.topLeft() + QPointF(m_mark->onImage.x() * page.width(), m_mark->onImage.y() * page.height());
}

void ChartPageView::keepMarkInView()
{
    const std::optional<QPointF> centre = markCentre();
    if (!centre)
        return;
    const QRect area = viewport()->rect().adjusted(MarkRoom, MarkRoom, -MarkRoom, -MarkRoom);
    const QPoint at = centre->toPoint();
    const auto shift = [](QScrollBar *bar, int value, int low, int high, int middle) {
        if (low > high || value < low || value > high)
            bar->setValue(bar->value() + value - middle);
    };
    const QPoint middle = viewport()->rect().center();
    shift(horizontalScrollBar(), at.x(), area.left(), area.right(), middle.x());
    shift(verticalScrollBar(), at.y(), area.top(), area.bottom(), middle.y());
}

void ChartPageView::setPicking(bool picking)
{
    m_picking = picking;
    updateCursor();
}

void ChartPageView::clear()
{
    m_image = QImage();
    m_logicalSize = QSizeF();
    m_dragging = false;
    updateScrollBars();
    updateCursor();
    viewport()->update();
}

void ChartPageView::setMessage(const QString &text)
{
    clear();
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
    placeOverlays();
}

void ChartPageView::setBusy(bool busy)
{
    m_busy->setVisible(busy);
    placeOverlays();
}

QString ChartPageView::message() const
{
    return m_message->isHidden() ? QString() : m_message->text();
}

bool ChartPageView::isBusy() const
{
    return !m_busy->isHidden();
}

void ChartPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    if (!m_image.isNull())
        painter.drawImage(pageRect(), m_image, m_image.rect());
    m_markPainted = QRect();
    if (const std::optional<QPointF> centre = markCentre()) {
        AircraftSymbol::draw(painter, *centre, m_mark->direction, m_mark->stale);
        m_markPainted = AircraftSymbol::bounds(*centre).toAlignedRect();
    }
    if (hasFocus()) {
        // The keys of the viewer work while it has the focus: a frame in the highlight colour says so.
        painter.setPen(QPen(palette().color(QPalette::Highlight), FocusFrameWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
    }
}

void ChartPageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    placeOverlays();
}

void ChartPageView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / WheelStep;
    m_wheelRemainder -= steps * WheelStep;
    if (steps != 0)
        emit zoomRequested(std::pow(ZoomStep, steps), event->position());
    event->accept();
}

void ChartPageView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_image.isNull()) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragFrom = event->position().toPoint();
    m_scrollFrom = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    updateCursor();
    event->accept();
}

void ChartPageView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    // The page follows the pointer: the view moves by the drag distance, the other way.
    const QPoint moved = event->position().toPoint() - m_dragFrom;
    horizontalScrollBar()->setValue(m_scrollFrom.x() - moved.x());
    verticalScrollBar()->setValue(m_scrollFrom.y() - moved.y());
    event->accept();
}

void ChartPageView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_dragging) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    updateCursor();
    event->accept();
    const QPoint moved = event->position().toPoint() - m_dragFrom;
    if (m_picking && moved.manhattanLength() <= ClickSlack) {
        const QRectF page = pageRect();
        const QPointF at = event->position() - page.topLeft();
        if (page.contains(event->position()))
            emit pointPicked({at.x() / page.width(), at.y() / page.height()});
    }
}

void ChartPageView::keyPressEvent(QKeyEvent *event)
{
    if (m_picking && event->key() == Qt::Key_Escape) {
        emit pickingCancelled();
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool ChartPageView::viewportEvent(QEvent *event)
{
    return gestureEvent(event) || QAbstractScrollArea::viewportEvent(event);
}

// A pinch on a touchpad (a native zoom gesture) or on a touch screen zooms around its centre.
bool ChartPageView::gestureEvent(QEvent *event)
{
    if (event->type() == QEvent::NativeGesture) {
        const auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() != Qt::ZoomNativeGesture)
            return false;
        emit zoomRequested(1 + gesture->value(), gesture->position());
        return true;
    }
    if (event->type() != QEvent::Gesture)
        return false;
    auto *gestures = static_cast<QGestureEvent *>(event);
    auto *pinch = static_cast<QPinchGesture *>(gestures->gesture(Qt::PinchGesture));
    if (!pinch)
        return false;
    if (pinch->changeFlags() & QPinchGesture::ScaleFactorChanged)
        emit zoomRequested(pinch->scaleFactor(), viewport()->mapFromGlobal(pinch->centerPoint()));
    gestures->accept(pinch);
    return true;
}

void ChartPageView::updateCursor()
{
    if (m_image.isNull())
        viewport()->unsetCursor();
    else if (m_picking && !m_dragging)
        viewport()->setCursor(Qt::CrossCursor);
    else
        viewport()->setCursor(m_dragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
}

void ChartPageView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ChartPageView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void ChartPageView::updateScrollBars()
{
    const QSize area = viewport()->size();
    const int width = int(std::ceil(m_logicalSize.width()));
    const int height = int(std::ceil(m_logicalSize.height()));
    horizontalScrollBar()->setRange(0, std::max(0, width - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setRange(0, std::max(0, height - area.height()));
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

QRectF ChartPageView::pageRect() const
{
    const QSize area = viewport()->size();
    const qreal x = m_logicalSize.width() < area.width() ? (area.width() - m_logicalSize.width()) / 2
                                                         : -horizontalScrollBar()->value();
    // A page less tall than the area stands at its top, below the margin a fitted page leaves.
    const qreal y = m_logicalSize.height() < area.height()
                        ? std::min<qreal>(FitMargin, (area.height() - m_logicalSize.height()) / 2)
                        : -verticalScrollBar()->value();
    return {QPointF(std::round(x), std::round(y)), m_logicalSize};
}

void ChartPageView::placeOverlays()
{
    const QRect area = viewport()->rect();
    m_message->setGeometry(area.adjusted(12, 48, -12, -12));
    m_busy->move(area.center() - m_busy->rect().center());
    m_busy->raise();
}

} // namespace viewer
