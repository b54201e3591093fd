// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridCell.h"

#include <QEvent>
#include <QPainter>

namespace mainwindow {

namespace {

// Room between the text and the cell's border, so that no letter touches it.
constexpr qreal Padding = 2;

// A tool tip is shown as rich text when it looks like markup; escaped, the value stands there literally.
QString plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(text.toHtmlEscaped());
}

} // namespace

GridCell::GridCell(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    refit();
}

void GridCell::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setToolTip(plainToolTip(text));
    setAccessibleName(text); // what a screen reader reads out, as a label's text would be
    refit();
}

QRectF GridCell::textArea() const
{
    return QRectF(contentsRect()).adjusted(Padding, 0, -Padding, 0);
}

void GridCell::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_shown.lines.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(m_shown.font);
    painter.setPen(palette().color(foregroundRole()));
    const QRectF area = textArea();
    const qreal lineHeight = QFontMetricsF(m_shown.font).height();
    QRectF line(area.left(), area.center().y() - lineHeight * m_shown.lines.size() / 2, area.width(),
                lineHeight);
    for (const QString &text : m_shown.lines) {
        painter.drawText(line, Qt::AlignCenter, text);
        line.translate(0, lineHeight);
    }
}

void GridCell::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    refit();
}

void GridCell::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        refit();
}

void GridCell::refit()
{
    m_shown = m_text.isEmpty() ? FittedText{font(), {}} : fitValue(m_text, font(), textArea().size());
    update();
}

} // namespace mainwindow
