#include "ChartIndexBox.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

#include <algorithm>

namespace viewer {

namespace {

// The popup shows long titles whole up to this width; the box itself stays narrow in the toolbar.
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
    setMinimumContentsLength(7);
    setMaxVisibleItems(20);
    view()->setTextElideMode(Qt::ElideRight);
    connect(this, &QComboBox::activated, this, [this](int row) { emit pageChosen(m_outline.at(row).page); });
}

void ChartIndexBox::setOutline(const QList<OutlineEntry> &outline)
{
    const QSignalBlocker blocker(this);
    m_outline = outline;
    clear();
    int widest = 0;
    for (const OutlineEntry &entry : outline) {
        const QString title = entry.title.isEmpty() ? tr("Page %1").arg(entry.page + 1) : entry.title;
        const QString text = QString(entry.level * IndentPerLevel, u' ') + title;
        addItem(text);
        setItemData(count() - 1, tr("%1 (page %2)").arg(title).arg(entry.page + 1), Qt::ToolTipRole);
        widest = std::max(widest, fontMetrics().horizontalAdvance(text));
    }
    view()->setMinimumWidth(std::min(widest + 32, MaxPopupWidth));
    setCurrentIndex(-1);
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
}

} // namespace viewer
