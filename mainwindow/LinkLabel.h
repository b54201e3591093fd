// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace mainwindow {

// A label that answers a left click, with the pointing hand over it.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace mainwindow
