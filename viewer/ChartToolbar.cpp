#include "ChartToolbar.h"

#include "ChartIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>

namespace viewer {

namespace {

QAction *makeAction(QObject *parent, ChartIcon icon, const QString &tip, const QList<QKeySequence> &keys)
{
    auto *action = new QAction(chartIcon(icon), tip, parent);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(tip, keys.first().toString(QKeySequence::NativeText)));
    return action;
}

} // namespace

ChartToolbar::ChartToolbar(QWidget *parent)
    : QToolBar(parent)
    , previousPage(
          makeAction(this, ChartIcon::PreviousPage, tr("Previous page"), {QKeySequence(Qt::Key_PageUp)}))
    , nextPage(makeAction(this, ChartIcon::NextPage, tr("Next page"), {QKeySequence(Qt::Key_PageDown)}))
    , zoomOut(makeAction(this, ChartIcon::ZoomOut, tr("Zoom out"),
                         {QKeySequence(Qt::Key_Minus), QKeySequence(QKeySequence::ZoomOut)}))
    , zoomIn(makeAction(
          this, ChartIcon::ZoomIn, tr("Zoom in"),
          {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal), QKeySequence(QKeySequence::ZoomIn)}))
    , fitWidth(makeAction(this, ChartIcon::FitWidth, tr("Fit width"), {QKeySequence(Qt::Key_W)}))
    , fitPage(makeAction(this, ChartIcon::FitPage, tr("Fit page"), {QKeySequence(Qt::Key_F)}))
    , rotate(makeAction(this, ChartIcon::Rotate, tr("Rotate by 90 degrees"), {QKeySequence(Qt::Key_R)}))
    , night(makeAction(this, ChartIcon::Night, tr("Night colours"), {QKeySequence(Qt::Key_N)}))
    , print(makeAction(this, ChartIcon::Print, tr("Print the chart"), {QKeySequence(QKeySequence::Print)}))
    , m_page(new QLabel(this))
{
    setObjectName(QStringLiteral("chartToolbar"));
    setIconSize(QSize(16, 16));
    setMovable(false);
    setFloatable(false);
    fitWidth->setCheckable(true);
    fitPage->setCheckable(true);
    night->setCheckable(true);
    auto *fits = new QActionGroup(this);
    fits->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    fits->addAction(fitWidth);
    fits->addAction(fitPage);
    m_page->setObjectName(QStringLiteral("chartPage"));
    m_page->setTextFormat(Qt::PlainText);
    m_page->setMinimumWidth(m_page->fontMetrics().horizontalAdvance(tr("%1 of %2").arg(888).arg(888)) + 8);
    m_page->setAlignment(Qt::AlignCenter);

    addAction(previousPage);
    addWidget(m_page);
    addAction(nextPage);
    addSeparator();
    addActions({zoomOut, zoomIn, fitWidth, fitPage});
    addSeparator();
    addActions({rotate, night});
    addSeparator();
    addAction(print);
    setPage(0, 0);
}

void ChartToolbar::setPage(int index, int count)
{
    m_page->setText(count > 0 ? tr("%1 of %2").arg(index + 1).arg(count) : QString());
}

QString ChartToolbar::pageText() const
{
    return m_page->text();
}

} // namespace viewer
