// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormBuilder.h"

#include "GridCell.h"
#include "IcaoCodeBox.h"

#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace mainwindow {

namespace {

constexpr QSize ButtonPictureSize(32, 32);

QWidget *createHeading(QWidget *container, const ControlRow &row)
{
    auto *label = new QLabel(QString::fromUtf16(row.caption), container);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(row.align);
    label->setWordWrap(true); // a heading wider than its box wraps at its blanks
    fillBackground(label, FormBlue);
    return label;
}

QWidget *createPictureButton(QWidget *container, const ControlRow &row)
{
    auto *button = new QToolButton(container);
    button->setText(QString::fromUtf16(row.caption));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(ButtonPictureSize);
    if (row.picture)
        button->setIcon(QIcon(resources::render(*row.picture, ButtonPictureSize * 2)));
    return button;
}

QWidget *createStretchedPicture(QWidget *container, const ControlRow &row)
{
    auto *picture = new QLabel(container);
    picture->setScaledContents(true);
    if (row.picture) {
        const QSize size = desktop::toPixels(row.rect).size();
        const qreal ratio = container->devicePixelRatioF();
        QPixmap pixmap = resources::render(*row.picture, (QSizeF(size) * ratio).toSize());
        pixmap.setDevicePixelRatio(ratio);
        picture->setPixmap(pixmap);
    }
    return picture;
}

QWidget *createControl(QWidget *container, const ControlRow &row)
{
    switch (row.kind) {
    case ControlKind::Heading:
        return createHeading(container, row);
    case ControlKind::DataCell:
        return new GridCell(container);
    case ControlKind::TextBox:
        return new IcaoCodeBox(container);
    case ControlKind::PictureButton:
        return createPictureButton(container, row);
    case ControlKind::OptionButton:
        return new QRadioButton(QString::fromUtf16(row.caption), container);
    case ControlKind::StretchedPicture:
        return createStretchedPicture(container, row);
    case ControlKind::Box: {
        auto *box = new QWidget(container);
        box->setAutoFillBackground(true); // covers the pictures beneath it
        return box;
    }
    }
    return nullptr;
}

} // namespace

QString controlName(const char *name, int index)
{
    const QString base = QString::fromLatin1(name);
    return index == NoIndex ? base : base + u'_' + QString::number(index);
}

void createControls(QWidget *container, std::span<const ControlRow> rows, MainWindowControls &controls)
{
    for (const ControlRow &row : rows) {
        QWidget *control = createControl(container, row);
        control->setObjectName(controlName(row.name, row.index));
        control->setFont(formFont(row.font));
        if (row.toolTip)
            control->setToolTip(QString::fromUtf16(row.toolTip));
        control->setEnabled(row.enabled);
        placeTwips(control, row.rect);
        if (row.bind)
            row.bind(controls, control, row.index);
    }
}

void placeTwips(QWidget *widget, const desktop::TwipsRect &rect)
{
    widget->setGeometry(desktop::toPixels(rect));
}

void fillBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace mainwindow
