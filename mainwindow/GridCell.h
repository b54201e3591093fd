// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextFitting.h"

#include <QFrame>

namespace mainwindow {

// A cell of the airport data grid (lblRwy). It shows one field of the directory as plain text, centred:
// in a smaller size of its font where the value is too wide, on two lines where the cell has the height,
// else cut to end in "…". Its tool tip is the whole value.
class GridCell final : public QFrame {
    Q_OBJECT

public:
    explicit GridCell(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    void clear() { setText({}); }

    // What the cell draws, and where.
    const FittedText &shownText() const { return m_shown; }
    QRectF textArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refit();

    QString m_text;
    FittedText m_shown;
};

} // namespace mainwindow
