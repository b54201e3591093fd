#pragma once

#include "RenderProtocol.h"

#include <QComboBox>

namespace viewer {

// The chart index in the toolbar: the entries of the chart's outline, indented by depth; choosing one asks
// for its page. It names the entry of the page shown, so a set of charts in one file reads like a list of
// separate charts.
class ChartIndexBox : public QComboBox {
    Q_OBJECT

public:
    explicit ChartIndexBox(QWidget *parent = nullptr);

    void setOutline(const QList<OutlineEntry> &outline);
    // Names the entry the page belongs to: of the entries at or before it, the one with the highest page
    // (the last of them in the index when several lead there); none before the first entry's page.
    void showPage(int page);

signals:
    void pageChosen(int page);

private:
    QList<OutlineEntry> m_outline;
};

} // namespace viewer
