# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end tests: a virtual X desktop (Xvfb, openbox as window manager, trayer as
# notification area) and the helpers that drive and inspect the real program on it. The caller sets
# "artefacts" (the screenshot folder) and "program", then calls start_desktop.

main_title='VARNELOX VERS. 4.0 - THE AERONAUTICAL CHARTS ALWAYS WITH YOU'
step=0

shot() {
    step=$((step + 1))
    import -window root "$(printf '%s/%02d-%s.png' "$artefacts" "$step" "$1")"
}

fail() {
    echo "FAIL: $*" >&2
    import -window root "$artefacts/failure.png" 2>/dev/null || true
    exit 1
}

# poll SECONDS COMMAND...: runs the command until it succeeds or the time is up.
poll() {
    local until=$((${EPOCHREALTIME/./} + $1 * 1000000))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "${EPOCHREALTIME/./}" -lt "$until" ] || return 1
        sleep 0.05
    done
}

# expect SECONDS WHAT COMMAND...: polls, and fails the test when the time is up.
expect() {
    local seconds="$1" what="$2"
    shift 2
    poll "$seconds" "$@" || fail "$what"
}

# The id of the window with exactly this title, if there is one; nothing (and success) when there is none,
# so that a window that has just closed never fails the caller.
window_id() {
    local pattern
    pattern="^$(printf '%s' "$1" | sed 's/[].[^$\\*+?(){}|]/\\&/g')\$"
    { xdotool search --name "$pattern" 2>/dev/null || true; } | tail -n 1
}
# An empty id is no window: xwininfo without one would wait for a click on the screen.
exists() { [ -n "$1" ] && xwininfo -id "$1" >/dev/null 2>&1; }
gone() { ! exists "$1"; }
mapped() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
unmapped() { ! mapped "$1"; }
above() { [ -n "$1" ] && xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q '_NET_WM_STATE_ABOVE'; }
has_window() { [ -n "$(window_id "$1")" ] && mapped "$(window_id "$1")"; }

# The colour of one pixel of a window's client area, as RRGGBB.
pixel() {
    import -window "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | tr -d '#'
}
pixel_differs() { [ "$(pixel "$1" "$2" "$3")" != "$4" ]; }

# A position in the main window's client area, from its layout in twips (15 twips a pixel at 96 dpi).
px() { echo $((($1 + 7) / 15)); }

# start_program LOG [ARGUMENT...]: starts the program with its output in LOG; sets app (its process) and main
# (its main window, once it appears, activated).
start_program() {
    local log="$1"
    shift
    QT_QPA_PLATFORM=xcb "$program" "$@" >"$log" 2>&1 &
    app=$!
    pids+=("$app")
    expect 15 "the main window appears" has_window "$main_title"
    main="$(window_id "$main_title")"
    xdotool windowactivate --sync "$main"
}

# Starts the desktop and exports DISPLAY; everything started here ends when the script exits.
start_desktop() {
    rm -rf "$artefacts"
    mkdir -p "$artefacts"
    runtime="$(mktemp -d)"
    chmod 700 "$runtime"
    pids=()
    cleanup() {
        local pid
        for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
        wait 2>/dev/null || true
        rm -rf "$runtime"
    }
    trap cleanup EXIT
    export XDG_RUNTIME_DIR="$runtime"
    # The program's settings file lands here, never in the user's own settings.
    export XDG_CONFIG_HOME="$runtime/config"
    # And the pages placed on the map here, never among the user's own.
    export XDG_DATA_HOME="$runtime/data"
    unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM

    # Xvfb picks a free display itself and writes its number once it takes connections.
    local display_file="$runtime/display" display_fd
    exec {display_fd}>"$display_file"
    Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$artefacts/xvfb.log" 2>&1 &
    pids+=($!)
    exec {display_fd}>&-
    expect 10 "a virtual display starts" grep -q '^[0-9]' "$display_file"
    export DISPLAY=":$(head -n 1 "$display_file")"

    openbox --sm-disable >"$artefacts/openbox.log" 2>&1 &
    pids+=($!)
    expect 10 "openbox manages the display" wmctrl -m
    # A window that asks to be shown while openbox is still starting can stay unshown for good (4 of 300
    # starts on a loaded machine; none with trayer started a second later): a panel that does not show is
    # started again.
    local attempt tray
    for attempt in 1 2 3; do
        trayer --edge top --align right --widthtype request --height 24 >>"$artefacts/trayer.log" 2>&1 &
        tray=$!
        pids+=("$tray")
        poll 5 has_window panel && break
        kill "$tray" 2>/dev/null || true
        wait "$tray" 2>/dev/null || true
        [ "$attempt" -lt 3 ] || fail "trayer shows its panel"
    done
    panel="$(window_id panel)"
}
