// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QTimer>

class QMenu;

namespace aircraft {

class ElidingLabel;
class SimulatorLink;

// The status line of a window: the position line of the aircraft, grey unless positions keep coming, then
// what the link has to say (a port it cannot listen on, a second simulator) or a short hint of a command.
class SimulatorStatusLine final : public QFrame {
    Q_OBJECT

public:
    explicit SimulatorStatusLine(SimulatorLink &link, QWidget *parent = nullptr);

    // The airport whose distance and bearing the line shows; none when empty.
    void setAirport(const QString &code);
    // Shows a hint in place of the link's note for a few seconds.
    void showHint(const QString &text);
    // A button at the line's end that opens the menu.
    void addMenuButton(const QString &caption, QMenu *menu);

    QString positionText() const;

private:
    void refresh();
    void showNote(const QString &text);

    SimulatorLink &m_link;
    ElidingLabel *m_position;
    ElidingLabel *m_note;
    QString m_airport;
    QTimer m_hintTimer;
};

} // namespace aircraft
