// SPDX-License-Identifier: GPL-3.0-or-later
#include "XDisplay.h"

#include <xcb/damage.h>
#include <xcb/xtest.h>

#include <poll.h>

#include <cstring>
#include <functional>
#include <string_view>

namespace bench {

namespace {

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> owned(Reply *reply)
{
    return {reply, &std::free};
}

bool intersects(const xcb_rectangle_t &area, QRect region)
{
    return QRect(area.x, area.y, area.width, area.height).intersects(region);
}

} // namespace

XDisplay::XDisplay()
{
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection))
        return;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
    const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(m_connection, &xcb_test_id);
    if (!damage || !damage->present || !xtest || !xtest->present)
        return;
    m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
    owned(
        xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));

    constexpr std::string_view pidName = "_NET_WM_PID";
    const auto atom = owned(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(pidName.size()), pidName.data()), nullptr));
    if (!atom)
        return;
    m_pidAtom = atom->atom;
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &events);
    sync();
    m_valid = true;
}

XDisplay::~XDisplay()
{
    xcb_disconnect(m_connection);
}

std::optional<ShownWindow> XDisplay::waitForWindow(qint64 pid, Clock::time_point deadline)
{
    // A window manager maps the frame once the program's window sits in it; without one, the window
    // itself is mapped on the root window.
    while (Event event = nextEvent(deadline)) {
        const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event.get());
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY || map->event != m_root)
            continue;
        const xcb_window_t mapped = map->window;
        const auto framed = m_framed.find(mapped);
        const xcb_window_t window = framed == m_framed.end() ? mapped : framed->second;
        if (processOf(window) == pid)
            return ShownWindow{window, Clock::now()};
    }
    return std::nullopt;
}

std::optional<Clock::time_point> XDisplay::waitForFirstDrawing(xcb_window_t window,
                                                               Clock::time_point deadline)
{
    while (!m_firstDrawing.contains(window)) {
        if (!nextEvent(deadline))
            return std::nullopt;
    }
    return m_firstDrawing[window];
}

std::optional<Clock::time_point> XDisplay::waitForUnmap(xcb_window_t window, Clock::time_point deadline)
{
    while (Event event = nextEvent(deadline)) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_UNMAP_NOTIFY &&
            reinterpret_cast<const xcb_unmap_notify_event_t *>(event.get())->window == window)
            return Clock::now();
        if (type == XCB_DESTROY_NOTIFY &&
            reinterpret_cast<const xcb_destroy_notify_event_t *>(event.get())->window == window)
            return Clock::now();
    }
    return std::nullopt;
}

std::vector<Frame> XDisplay::recordChanges(xcb_window_t window, QRect region, std::chrono::milliseconds quiet,
                                           Clock::time_point deadline)
{
    std::vector<Frame> frames;
    Clock::time_point lastChange = Clock::now();
    while (Event event = nextEvent(std::min(deadline, lastChange + quiet))) {
        bool changed = false;
        // Every change waiting now is one picture: the program's drawing reaches the screen in pieces.
        for (Event next = std::move(event); next;
             next = Event(xcb_poll_for_event(m_connection), &std::free)) {
            if (!isDamage(*next))
                continue;
            const auto *damage = reinterpret_cast<const xcb_damage_notify_event_t *>(next.get());
            changed = changed || (damage->drawable == window && intersects(damage->area, region));
        }
        if (!changed)
            continue;
        lastChange = Clock::now();
        frames.push_back({lastChange, picture(window, region)});
    }
    return frames;
}

size_t XDisplay::picture(xcb_window_t window, QRect region)
{
    const auto image = owned(xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(region.x()),
                      int16_t(region.y()), uint16_t(region.width()), uint16_t(region.height()), ~0u),
        nullptr));
    if (!image)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char *>(xcb_get_image_data(image.get())),
                                 size_t(xcb_get_image_data_length(image.get())));
    return std::hash<std::string_view>{}(bytes);
}

void XDisplay::click(xcb_window_t window, QPoint at)
{
    const auto place = owned(xcb_translate_coordinates_reply(
        m_connection,
        xcb_translate_coordinates(m_connection, window, m_root, int16_t(at.x()), int16_t(at.y())), nullptr));
    if (!place)
        return;
    xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, place->dst_x,
                        place->dst_y, 0);
    sync();
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    sync();
}

// The next event, or none when the deadline passed first. New top-level windows are watched on the way.
XDisplay::Event XDisplay::nextEvent(Clock::time_point deadline)
{
    for (;;) {
        Event event(xcb_poll_for_event(m_connection), &std::free);
        if (!event) {
            if (xcb_connection_has_error(m_connection))
                return event;
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return event;
            pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&descriptor, 1, int(left));
            continue;
        }
        follow(*event);
        return event;
    }
}

// Keeps track of new top-level windows, the frames around them and when each was first drawn into.
void XDisplay::follow(const xcb_generic_event_t &event)
{
    const uint8_t type = event.response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
        const auto &created = reinterpret_cast<const xcb_create_notify_event_t &>(event);
        if (created.parent == m_root)
            watchNewWindow(created.window);
    } else if (type == XCB_REPARENT_NOTIFY) {
        const auto &reparented = reinterpret_cast<const xcb_reparent_notify_event_t &>(event);
        m_framed[reparented.parent] = reparented.window;
    } else if (type == XCB_DESTROY_NOTIFY) {
        const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t &>(event).window;
        m_framed.erase(gone);
        m_firstDrawing.erase(gone);
    } else if (isDamage(event)) {
        const auto &damage = reinterpret_cast<const xcb_damage_notify_event_t &>(event);
        m_firstDrawing.try_emplace(damage.drawable, Clock::now());
    }
}

// DAMAGE says when anything is drawn into the window; its destruction ends what is known of it.
void XDisplay::watchNewWindow(xcb_window_t window)
{
    const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &events);
    xcb_damage_create(m_connection, xcb_generate_id(m_connection), window,
                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(m_connection);
}

qint64 XDisplay::processOf(xcb_window_t window)
{
    const auto property = owned(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    qint64 pid = 0;
    if (property && xcb_get_property_value_length(property.get()) == 4)
        pid = *static_cast<const uint32_t *>(xcb_get_property_value(property.get()));
    return pid;
}

bool XDisplay::isDamage(const xcb_generic_event_t &event) const
{
    return (event.response_type & 0x7f) == m_damageEvent;
}

void XDisplay::sync()
{
    owned(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

} // namespace bench
