// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>

class QIODevice;

namespace import {

// One line on a terminal that shows how far a long step has come: what it counts, how many so far, the rate
// and the time left, rewritten in place a few times a second. Shows nothing when it is not enabled (the
// output is not a terminal), so logs and pipes get only the summary.
class ProgressLine {
public:
    ProgressLine(QIODevice *output, bool enabled);
    ~ProgressLine();
    Q_DISABLE_COPY_MOVE(ProgressLine)

    // done of about total units of work (bytes, airports) have been handled; count is the number the line
    // shows after label ("airports.csv rows").
    void update(const QString &label, qsizetype count, qint64 done, qint64 total);
    // Erases the line, when one was shown, so that what follows starts on a clean line.
    void finish();

    // The line as shown: "airports.csv: 40000 rows, 80000/s, 1 s left".
    static QString text(const QString &label, qsizetype count, qint64 elapsedMs, double fractionDone);

private:
    QIODevice *m_output;
    bool m_enabled;
    bool m_shown = false;
    QElapsedTimer m_clock;
    qint64 m_lastShownMs = -1;
};

} // namespace import
