// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LinkSettings.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QSettings;

namespace desktop {

// Where and how large the companion window stood: the top-left corner of its frame on the screen and the
// size of its client area (when it was maximised or full screen, those it had before), and whether it was
// maximised.
struct WindowPlace {
    QPoint position;
    QSize size;
    bool maximized = false;

    friend bool operator==(const WindowPlace &, const WindowPlace &) = default;
};

// The settings file the program writes, an INI file in the desktop's settings folder
// (~/.config/varnelox/varnelox.ini): the companion window's place, the night colours and how the program
// listens for simulators, kept for the next run. A file that is missing or cannot be read gives the defaults;
// one that cannot be written keeps nothing (the program runs on, and says so in the log category
// varnelox.settings). Something there that is not a regular file (a folder, a pipe, a device) is never
// opened: it gives the defaults, is not replaced, and a warning says so, once.
class ProgramSettings {
public:
    // The user's settings file, as QSettings names it for this program.
    static QString userFileName();

    explicit ProgramSettings(QString fileName = userFileName());

    QString fileName() const { return m_fileName; }

    // Nothing when no place was kept, or what was kept is no place.
    std::optional<WindowPlace> companionPlace() const;
    // Whether the place was written.
    bool setCompanionPlace(const WindowPlace &place);

    bool night() const;
    // Whether the setting was written.
    bool setNight(bool night);

    // A port that is no whole number from 1 to 65535 reads as its default.
    simlink::LinkSettings simulatorLink() const;
    bool setSimulatorLink(const simlink::LinkSettings &link);
    // Whether the nearest airport is looked up by itself once the aircraft is on the ground; off unless set.
    bool nearestOnGround() const;
    bool setNearestOnGround(bool on);

private:
    bool usable() const;
    bool write(const std::function<void(QSettings &)> &change) const;

    QString m_fileName;
    mutable bool m_warned = false;
};

} // namespace desktop
