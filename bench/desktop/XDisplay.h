// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// What a region of a window showed after one change, and when the change reached the screen.
struct Frame {
    Clock::time_point at;
    size_t picture = 0;
};

// A program's first top-level window, and when the window manager put it on screen.
struct ShownWindow {
    xcb_window_t window = 0;
    Clock::time_point mapped;
};

// The X display, watched from outside the programs measured: when their windows appear and what they draw,
// as the display itself reports it (structure events of the root window, DAMAGE); clicks arrive as from the
// mouse (XTEST).
class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    Q_DISABLE_COPY_MOVE(XDisplay)

    // False when $DISPLAY cannot be reached or lacks the DAMAGE or XTEST extension.
    bool isValid() const { return m_valid; }

    // Waits until the first top-level window of process pid is mapped in its frame.
    std::optional<ShownWindow> waitForWindow(qint64 pid, Clock::time_point deadline);
    // Waits until the program first draws into its window; nothing when its first drawing came before the
    // window could be watched, or not by the deadline.
    std::optional<Clock::time_point> waitForFirstDrawing(xcb_window_t window, Clock::time_point deadline);
    // Waits until the window is unmapped or destroyed: when that reached the display, nothing when it did not
    // by the deadline.
    std::optional<Clock::time_point> waitForUnmap(xcb_window_t window, Clock::time_point deadline);
    // Records the region's picture after every change of the window, until nothing changed for quiet or the
    // deadline passed.
    std::vector<Frame> recordChanges(xcb_window_t window, QRect region, std::chrono::milliseconds quiet,
                                     Clock::time_point deadline);
    // A hash of what the region of the window shows now; 0 when it cannot be read.
    size_t picture(xcb_window_t window, QRect region);
    // A click of the left button at a point of the window, processed by the server when this returns.
    void click(xcb_window_t window, QPoint at);

private:
    using Event = std::unique_ptr<xcb_generic_event_t, decltype(&std::free)>;

    Event nextEvent(Clock::time_point deadline);
    void follow(const xcb_generic_event_t &event);
    void watchNewWindow(xcb_window_t window);
    qint64 processOf(xcb_window_t window);
    bool isDamage(const xcb_generic_event_t &event) const;
    void sync();

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = 0;
    uint8_t m_damageEvent = 0;
    bool m_valid = false;
    // Windows of programs, by the frame the window manager put around them.
    std::map<xcb_window_t, xcb_window_t> m_framed;
    std::map<xcb_window_t, Clock::time_point> m_firstDrawing;
};

} // namespace bench
