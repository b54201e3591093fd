// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

#include <QComboBox>

namespace viewer {

// The chart index in the toolbar: the entries of the chart's outline, indented by depth; choosing one asks
// for its page. It names the entry of the page shown, so a set of charts in one file reads like a list of
// separate charts: its title cut in the middle where the box is too narrow (the start and the end of a
// chart's name tell charts apart: "ILS OR LOC…RWY 22L"), and whole in the box's tool tip. The box takes the
// room its toolbar has to spare.
class ChartIndexBox : public QComboBox {
    Q_OBJECT

public:
    explicit ChartIndexBox(QWidget *parent = nullptr);

    void setOutline(const QList<OutlineEntry> &outline);
    // Names the entry the page belongs to: of the entries at or before it, the one with the highest page
    // (the last of them in the index when several lead there); none before the first entry's page.
    void showPage(int page);
    // What the box shows of the entry named: its title, cut in the middle to the box's width.
    QString shownText() const;

signals:
    void pageChosen(int page);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString title(int row) const;

    QList<OutlineEntry> m_outline;
};

} // namespace viewer
