// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace aircraft {

// A one-line label that asks for the room of its whole text, takes less when there is no more, and then
// ends its text with "…"; the whole text is its tool tip.
class ElidingLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ElidingLabel(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace aircraft
