// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartIndexBox.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace viewer {

namespace {

// The popup shows long titles whole up to this width; the box itself takes what the toolbar spares.
constexpr int MaxPopupWidth = 480;
constexpr int IndentPerLevel = 3;

} // namespace

ChartIndexBox::ChartIndexBox(QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("chartIndex"));
    setToolTip(tr("Chart index"));
    setPlaceholderText(tr("Chart index"));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(6);
    setSizePolicy(QSizePolicy::Expanding, sizePolicy().verticalPolicy());
    setMaxVisibleItems(20);
    view()->setTextElideMode(Qt::ElideMiddle);
    connect(this, &QComboBox::activated, this, [this](int row) { emit pageChosen(m_outline.at(row).page); });
}

void ChartIndexBox::setOutline(const QList<OutlineEntry> &outline)
{
    const QSignalBlocker blocker(this);
    m_outline = outline;
    clear();
    int widest = 0;
    for (int row = 0; row < outline.size(); ++row) {
        const QString text = QString(outline.at(row).level * IndentPerLevel, u' ') + title(row);
        addItem(text);
        setItemData(row, tr("%1 (page %2)").arg(title(row)).arg(outline.at(row).page + 1), Qt::ToolTipRole);
        widest = std::max(widest, fontMetrics().horizontalAdvance(text));
    }
    view()->setMinimumWidth(std::min(widest + 32, MaxPopupWidth));
    setCurrentIndex(-1);
    setToolTip(tr("Chart index"));
}

void ChartIndexBox::showPage(int page)
{
    int row = -1;
    for (int i = 0; i < m_outline.size(); ++i) {
        const int entryPage = m_outline.at(i).page;
        if (entryPage <= page && (row < 0 || entryPage >= m_outline.at(row).page))
            row = i;
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(row);
    setToolTip(row < 0 ? tr("Chart index") : itemData(row, Qt::ToolTipRole).toString());
    update();
}

QString ChartIndexBox::shownText() const
{
    if (currentIndex() < 0)
        return placeholderText();
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return fontMetrics().elidedText(title(currentIndex()), Qt::ElideMiddle, field.width());
}

// As the style draws a combo box, with the entry's title (without its indent) cut in the middle, or the
// placeholder in its colour.
void ChartIndexBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    if (currentIndex() < 0)
        option.palette.setBrush(QPalette::ButtonText, option.palette.placeholderText());
    option.currentText = shownText();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

QString ChartIndexBox::title(int row) const
{
    const OutlineEntry &entry = m_outline.at(row);
    return entry.title.isEmpty() ? tr("Page %1").arg(entry.page + 1) : entry.title;
}

} // namespace viewer
