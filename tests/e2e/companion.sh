#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a virtual X desktop (Xvfb, openbox as window manager, trayer as notification area),
# driven like a pilot would: from a chart of the sample library to the companion window, its tray icon and
# menu, and back; resizing it with the window manager and full screen, the chart following its size; then the
# refused close and "&Exit". A screenshot of every step goes to the artefact folder.
# Usage: companion.sh PROGRAM ARTEFACT_FOLDER
set -eEuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

program="$1"
artefacts="$2"
program_folder="$(dirname "$program")"
companion_title="LIRF AERODROME CHART — $main_title "
heading_blue='8080FF'

# ---- helpers ----------------------------------------------------------------------------------------------

# The icons in the notification area: trayer's sockets under its "panel" window that hold a window.
tray_icons() {
    local socket count=0
    for socket in $(xwininfo -children -id "$panel" | awk '/^ +0x/ {print $1}'); do
        xwininfo -children -id "$socket" | grep -q '^ \+0x' && count=$((count + 1))
    done
    echo "$count"
}
icons_are() { [ "$(tray_icons)" -eq "$1" ]; }
tray_icon() {
    local socket
    for socket in $(xwininfo -children -id "$panel" | awk '/^ +0x/ {print $1}'); do
        xwininfo -children -id "$socket" | awk '/^ +0x/ {print $1; exit}'
    done | head -n 1
}

# An open popup menu of the program: a mapped override-redirect window of its own, larger than the tray icon.
menu_open() {
    local id
    for id in $(xwininfo -root -children | awk '/^ +0x.* \("varnelox" "varnelox"\)/ {print $1}'); do
        xwininfo -id "$id" | grep -q 'Override Redirect State: yes' || continue
        mapped "$id" || continue
        [ "$(xwininfo -id "$id" | awk '/Width:/ {print $2}')" -gt 60 ] && return 0
    done
    return 1
}

# Main window positions, from its layout in twips (15 twips a pixel at 96 dpi).
code_box=("$(px 1087)" "$(px 832)")           # txtIcao
aerodrome_chart=("$(px 8190)" "$(px 360)")    # Option1(1): the radio button of "AERODROME CHART"
link_button=("$(px 2707)" "$(px 10027)")      # cmdLink in "MANAGEMENT"
long_heading=("$(px 540)" "$(px 2490)")       # "LONG" heading in "DATA AIRPORT", hidden by the entry layout

# Looks up LIRF in the main window, chooses its aerodrome chart and presses "&Link to FS".
link_to_fs() {
    local main="$1" before
    xdotool mousemove --window "$main" "${code_box[@]}" click 1
    before="$(pixel "$main" "${aerodrome_chart[@]}")"
    xdotool type --delay 20 lirf
    # Enter in the code box runs the lookup as "&Elaborates" does (Alt+E, which stale_chart.sh uses).
    xdotool key Return
    expect 5 "the lookup shows the chart selector" pixel_differs "$main" "${aerodrome_chart[@]}" "$before"
    before="$(pixel "$main" "${link_button[@]}")"
    xdotool mousemove --window "$main" "${aerodrome_chart[@]}" click 1
    expect 5 "the chart choice enables Link to FS" pixel_differs "$main" "${link_button[@]}" "$before"
    shot chart-chosen
    import -window "$main" "$artefacts/main-before-link.png"
    xdotool key alt+l
    expect 10 "the companion window appears" has_window "$companion_title"
}

# Pops up the tray icon's menu with the right button and picks an item by its access key.
tray_menu() {
    xdotool mousemove --window "$(tray_icon)" 8 8 click 3
    expect 5 "the tray menu pops up" menu_open
    shot "tray-menu-$1"
    xdotool key "$1"
}

# The size of a window's client area, as WIDTHxHEIGHT.
size_of() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
size_is() { [ "$(size_of "$1")" = "$2" ]; }
# The corner of a window's client area on the screen, as X,Y.
corner_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x "," y}'; }
corner_is() { [ "$(corner_of "$1")" = "$2" ]; }
full_screen() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q '_NET_WM_STATE_FULLSCREEN'; }
not_full_screen() { ! full_screen "$1"; }

# The width of what the chart shows in a window, in pixels: the box around everything not white in its
# client area, less the menu bar, the viewer's frame and the scroll bar.
page_width() {
    local width height
    read -r width height < <(size_of "$1" | tr x ' ')
    import -window "$1" png:- | convert - -crop "$((width - 36))x$((height - 60))+6+40" +repage \
        -bordercolor white -border 1 -fuzz 10% -trim -format '%w' info:
}
# page_fills WINDOW: the page reaches across at least four fifths of the window's width.
page_fills() {
    local width
    width="$(size_of "$1" | cut -dx -f1)"
    [ "$(page_width "$1")" -ge $((width * 4 / 5)) ]
}

trap 'fail "unexpected failure of: $BASH_COMMAND (line $LINENO)"' ERR

# ---- the desktop ------------------------------------------------------------------------------------------

[ -x "$program" ] || fail "no program at $program"
grep -q '^..LIRF|' "$program_folder/airports.txt" 2>/dev/null || fail "LIRF is not in $program_folder/airports.txt"
[ -f "$program_folder/Airports/LIRF/ADPRF2-1.PDF" ] || fail "no aerodrome chart of LIRF in $program_folder"

start_desktop

# ---- the run ----------------------------------------------------------------------------------------------

QT_QPA_PLATFORM=xcb "$program" >"$artefacts/program.log" 2>&1 &
app=$!
pids+=("$app")
expect 15 "the main window appears" has_window "$main_title"
main="$(window_id "$main_title")"
shot started

link_to_fs "$main"
companion="$(window_id "$companion_title")"
expect 5 "the companion window is above every other window" above "$companion"
expect 5 "the main window is hidden" unmapped "$main"
expect 5 "one tray icon" icons_are 1
shot linked
[ "$(size_of "$companion" | cut -dx -f1)" -eq "$(px 7590)" ] || fail "the first show is not the layout's width"
expect 5 "the chart is fitted to the window's width" page_fills "$companion"

# ---- the companion window resized, full screen, and back ----------------------------------------------------

first_width="$(page_width "$companion")"
wmctrl -i -r "$companion" -e 0,120,140,860,700
expect 5 "the window manager resizes the companion window" size_is "$companion" 860x700
resized="$(size_of "$companion")"
placed="$(corner_of "$companion")"
expect 5 "the chart follows the larger window" page_fills "$companion"
[ "$(page_width "$companion")" -gt "$first_width" ] || fail "the page did not grow with the window"
above "$companion" || fail "still above after the resize"
shot resized
import -window "$companion" "$artefacts/companion-resized.png"

xdotool windowactivate --sync "$companion"
xdotool key F11
expect 5 "F11 makes the companion window full screen" full_screen "$companion"
expect 5 "full screen covers the screen" size_is "$companion" 1280x1024
expect 5 "the chart follows into full screen" page_fills "$companion"
shot full-screen
xdotool key F11
expect 5 "F11 again leaves full screen" not_full_screen "$companion"
expect 5 "the window is back at its size" size_is "$companion" "$resized"
expect 5 "the chart follows back" page_fills "$companion"
above "$companion" || fail "still above after full screen"
shot left-full-screen

xdotool windowminimize "$companion"
expect 5 "minimising hides the companion window" unmapped "$companion"
icons_are 1 || fail "the tray icon stays while the window is hidden"
shot minimised

tray_menu r
expect 5 "Restore shows the companion window again" mapped "$companion"
expect 5 "the restored window is still above every other window" above "$companion"
icons_are 1 || fail "one tray icon after Restore"
shot restored

xdotool windowactivate --sync "$companion"
# Left while full screen, the window keeps the place it goes back to.
xdotool key F11
expect 5 "F11 makes the restored window full screen" full_screen "$companion"
xdotool key alt+c
expect 5 "the menu bar opens Change or Exit" menu_open
shot menu-bar
xdotool key a
expect 5 "Another Procedure brings the main window back" mapped "$main"
expect 5 "Another Procedure unloads the companion window" gone "$companion"
expect 5 "Another Procedure removes the tray icon" icons_are 0
[ "$(window_id "$main_title")" = "$main" ] || fail "the main window was loaded afresh"
import -window "$main" "$artefacts/main-after-return.png"
# The same airport, grid and chart: the airport side of the window is unchanged to the pixel.
difference="$(compare -metric AE -crop "$(px 5400)x$(px 9300)+0+0" "$artefacts/main-before-link.png" \
    "$artefacts/main-after-return.png" null: 2>&1 || true)"
[ "$difference" = "0" ] || fail "the main window came back changed ($difference pixels differ)"
[ "$(pixel "$main" "${long_heading[@]}")" = "$heading_blue" ] || fail "the data layout is gone"
shot another-procedure

xdotool windowactivate --sync "$main"
xdotool key alt+l
expect 10 "Link to FS again" has_window "$companion_title"
companion="$(window_id "$companion_title")"
expect 5 "exactly one tray icon after linking again" icons_are 1
expect 5 "above again" above "$companion"
expect 5 "the companion window comes back at the size it was given" size_is "$companion" "$resized"
expect 5 "the companion window comes back where it was" corner_is "$companion" "$placed"
settings="$XDG_CONFIG_HOME/varnelox/varnelox.ini"
grep -q "^width=${resized%x*}\$" "$settings" 2>/dev/null || fail "the window's size is not kept in $settings"
shot linked-again

tray_menu n
expect 5 "New Airport unloads the companion window" gone "$companion"
expect 5 "New Airport unloads the old main window" gone "$main"
expect 10 "New Airport shows a fresh main window" has_window "$main_title"
main="$(window_id "$main_title")"
expect 5 "New Airport removes the tray icon" icons_are 0
expect 5 "the fresh main window is in its entry layout" pixel_differs "$main" "${long_heading[@]}" "$heading_blue"
shot new-airport

link_to_fs "$main"
companion="$(window_id "$companion_title")"
expect 5 "exactly one tray icon after New Airport and Link to FS" icons_are 1
wmctrl -i -c "$companion"
if poll 1 unmapped "$companion"; then fail "the close box closed the companion window"; fi
kill -0 "$app" || fail "the close box ended the program"
above "$companion" || fail "still above after the refused close"
shot close-refused

tray_menu e
expect 5 "Exit asks ARE YOU SURE ?" has_window EXIT
shot exit-question
started=${EPOCHREALTIME/./}
xdotool key alt+y
ended() { [ ! -e "/proc/$app" ] || grep -q '^[0-9]* ([^)]*) Z' "/proc/$app/stat"; }
poll 2 ended || fail "the program still runs 2 s after Yes"
elapsed=$(((${EPOCHREALTIME/./} - started) / 1000))
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
shot ended
echo "PASS: the program ended ${elapsed} ms after Yes, with status 0; screenshots in $artefacts"
