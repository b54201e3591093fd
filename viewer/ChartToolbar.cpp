// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartToolbar.h"

#include "ChartIcons.h"
#include "ChartIndexBox.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace viewer {

namespace {

QAction *makeAction(QObject *parent, const QString &tip, const QList<QKeySequence> &keys)
{
    auto *action = new QAction(tip, parent);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(tip, keys.first().toString(QKeySequence::NativeText)));
    return action;
}

QAction *makeAction(QObject *parent, ChartIcon icon, const QString &tip, const QList<QKeySequence> &keys)
{
    QAction *action = makeAction(parent, tip, keys);
    action->setIcon(chartIcon(icon));
    return action;
}

// A letter key works with and without Shift, as the keys are written in capitals.
QList<QKeySequence> letterKey(Qt::Key key)
{
    return {QKeySequence(key), QKeySequence(Qt::ShiftModifier | key)};
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &widest)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 6);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

ChartToolbar::ChartToolbar(QWidget *parent)
    : QToolBar(parent)
    , previousPage(
          makeAction(this, ChartIcon::PreviousPage, tr("Previous page"), {QKeySequence(Qt::Key_PageUp)}))
    , nextPage(makeAction(this, ChartIcon::NextPage, tr("Next page"), {QKeySequence(Qt::Key_PageDown)}))
    , firstPage(makeAction(this, tr("First page"),
                           {QKeySequence(Qt::Key_Home), QKeySequence(Qt::ControlModifier | Qt::Key_Home)}))
    , lastPage(makeAction(this, tr("Last page"),
                          {QKeySequence(Qt::Key_End), QKeySequence(Qt::ControlModifier | Qt::Key_End)}))
    , zoomOut(makeAction(this, ChartIcon::ZoomOut, tr("Zoom out"),
                         {QKeySequence(Qt::Key_Minus), QKeySequence(QKeySequence::ZoomOut)}))
    , zoomIn(makeAction(
          this, ChartIcon::ZoomIn, tr("Zoom in"),
          {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal), QKeySequence(QKeySequence::ZoomIn)}))
    , fitWidth(makeAction(this, ChartIcon::FitWidth, tr("Fit width"), letterKey(Qt::Key_W)))
    , fitPage(makeAction(this, ChartIcon::FitPage, tr("Fit page"), letterKey(Qt::Key_F)))
    , rotate(makeAction(this, ChartIcon::Rotate, tr("Rotate by 90 degrees"), letterKey(Qt::Key_R)))
    , night(makeAction(this, ChartIcon::Night, tr("Night colours"), letterKey(Qt::Key_N)))
    , print(makeAction(this, ChartIcon::Print, tr("Print the chart"), {QKeySequence(QKeySequence::Print)}))
    , showToolbar(makeAction(this, tr("Toolbar"), letterKey(Qt::Key_T)))
    , m_index(new ChartIndexBox(this))
    , m_pageNumber(new QLineEdit(this))
    , m_pageCount(makeLabel(this, "chartPageCount", tr("of %1").arg(8888)))
    , m_zoom(makeLabel(this, "chartZoom", tr("%1 %").arg(888)))
{
    setObjectName(QStringLiteral("chartToolbar"));
    setAutoFillBackground(true); // over whatever its window shows behind the viewer
    setIconSize(QSize(16, 16));
    setMovable(false);
    setFloatable(false);
    fitWidth->setCheckable(true);
    fitPage->setCheckable(true);
    night->setCheckable(true);
    showToolbar->setCheckable(true);
    showToolbar->setChecked(true); // the bar shows from the start, so the first T hides it
    auto *fits = new QActionGroup(this);
    fits->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    fits->addAction(fitWidth);
    fits->addAction(fitPage);

    m_pageNumber->setObjectName(QStringLiteral("chartPageNumber"));
    m_pageNumber->setToolTip(tr("Page: type its number and press Enter"));
    m_pageNumber->setAlignment(Qt::AlignRight);
    m_pageNumber->setMaxLength(5);
    m_pageNumber->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_pageNumber));
    m_pageNumber->setFixedWidth(m_pageNumber->fontMetrics().horizontalAdvance(QStringLiteral("88888")) + 10);
    m_pageCount->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_zoom->setToolTip(tr("Zoom"));
    connect(m_pageNumber, &QLineEdit::returnPressed, this, &ChartToolbar::enterPage);
    connect(m_index, &ChartIndexBox::pageChosen, this, &ChartToolbar::pageChosen);

    m_indexAction = addWidget(m_index);
    m_indexAction->setVisible(false);
    addAction(previousPage);
    addWidget(m_pageNumber);
    addWidget(m_pageCount);
    addAction(nextPage);
    addSeparator();
    addAction(zoomOut);
    addWidget(m_zoom);
    addActions({zoomIn, fitWidth, fitPage});
    addSeparator();
    addActions({rotate, night});
    addSeparator();
    addAction(print);
    setPage(0, 0);
    setZoomPercent(-1);
}

void ChartToolbar::setPage(int index, int count)
{
    // A number being typed stays until the page changes.
    const bool typing = m_pageNumber->hasFocus() && index == m_pageIndex && count == m_count;
    m_pageIndex = index;
    m_count = count;
    if (!typing)
        m_pageNumber->setText(count > 0 ? QString::number(index + 1) : QString());
    m_pageNumber->setEnabled(count > 0);
    m_pageCount->setText(count > 0 ? tr("of %1").arg(count) : QString());
}

QString ChartToolbar::pageText() const
{
    return m_count > 0 ? tr("%1 of %2").arg(m_pageIndex + 1).arg(m_count) : QString();
}

void ChartToolbar::setZoomPercent(int percent)
{
    m_zoom->setText(percent >= 0 ? tr("%1 %").arg(percent) : QString());
}

QString ChartToolbar::zoomText() const
{
    return m_zoom->text();
}

void ChartToolbar::setOutline(const QList<OutlineEntry> &outline)
{
    m_index->setOutline(outline);
    m_index->showPage(m_pageIndex); // an index that arrives after the page names the chart at once
    m_indexAction->setVisible(!outline.isEmpty());
}

void ChartToolbar::showPageInIndex(int index)
{
    m_index->showPage(index);
}

bool ChartToolbar::hasIndex() const
{
    return m_indexAction->isVisible();
}

// A number past the last page goes to the last page; an empty box or 0 goes nowhere. The box then shows the
// page shown.
void ChartToolbar::enterPage()
{
    const int number = m_pageNumber->text().toInt();
    if (m_count > 0 && number >= 1)
        emit pageChosen(std::min(number, m_count) - 1);
    m_pageNumber->setText(m_count > 0 ? QString::number(m_pageIndex + 1) : QString());
}

} // namespace viewer
