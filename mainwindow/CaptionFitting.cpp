// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaptionFitting.h"

#include "TextFitting.h"
#include "VisiblePart.h"

#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

namespace mainwindow {

namespace {

// The room a caption is drawn in must hold its text: width and height.
bool holds(const QRect &room, const QSize &text)
{
    return text.width() <= room.width() && text.height() <= room.height();
}

QSize captionSize(const QFont &font, const QString &caption)
{
    return QFontMetrics(font).size(Qt::TextShowMnemonic, caption);
}

// A label is drawn in its part in view; where its text (wrapped at its blanks, when it wraps) needs more
// room than that part has, it is drawn in a smaller size. A centred one keeps the lines it wraps into at
// its own size: narrowed to the widest of them, it wraps the same way at the smaller size.
void fitLabel(QLabel *label)
{
    const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QRect part = desktop::uncoveredPart(label);
    const QRect box = label->rect();
    label->setContentsMargins(part.left() - box.left(), part.top() - box.top(), box.right() - part.right(),
                              box.bottom() - part.bottom());
    const QRect room = label->contentsRect();
    if (label->wordWrap() && label->alignment() & Qt::AlignHCenter) {
        const int linesWidth = QFontMetrics(label->font()).boundingRect(room, flags, label->text()).width();
        const int side = std::max(0, (room.width() - linesWidth) / 2);
        const QMargins margins = label->contentsMargins();
        label->setContentsMargins(margins.left() + side, margins.top(), margins.right() + side,
                                  margins.bottom());
    }
    label->setFont(headingFont(label->text(), label->font(), label->contentsRect(), flags));
}

// An option button draws its caption in the room its style leaves beside the indicator, on one line.
void fitOptionButton(QRadioButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button) &
                       desktop::uncoveredPart(button);
    button->setFont(largestFittingFont(
        button->font(), [&](const QFont &font) { return holds(room, captionSize(font, button->text())); }));
}

// A picture button draws its caption on one line below the picture, inside its frame, and cuts a caption
// that is wider.
void fitPictureButton(QToolButton *button)
{
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    const QRect room = desktop::uncoveredPart(button).adjusted(frame, frame, -frame, -frame);
    button->setFont(largestFittingFont(button->font(), [&](const QFont &font) {
        return captionSize(font, button->text()).width() <= room.width();
    }));
}

} // namespace

void fitCaptions(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->textFormat() == Qt::PlainText)
            fitLabel(label);
    }
    for (QRadioButton *button : window->findChildren<QRadioButton *>())
        fitOptionButton(button);
    for (QToolButton *button : window->findChildren<QToolButton *>()) {
        if (button->toolButtonStyle() == Qt::ToolButtonTextUnderIcon)
            fitPictureButton(button);
    }
}

} // namespace mainwindow
