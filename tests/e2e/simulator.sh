#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The simulator link in the real program on a virtual X desktop: the stand-in flies a landing at Boston
# (KBOS) and sends its position as X-Plane and FlightGear do; the position line in the main window follows;
# Alt+N looks up the nearest airport; the companion window shows the aircraft too, in its line and on the
# aerodrome chart placed on the map (followed, moving, grey once the feed stops); the line greys when the
# feed stops; junk datagrams change nothing; a flood of datagrams leaves the window responsive. A screenshot
# of every step goes to the artefact folder.
# Usage: simulator.sh PROGRAM STAND-IN TRACK ARTEFACT_FOLDER
set -eEuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/standin/place-kbos-sample.sh"

program="$1"
standin="$2"
track="$3"
artefacts="$4"
program_folder="$(dirname "$program")"
companion_title="KBOS AERODROME CHART — $main_title "

# ---- helpers ----------------------------------------------------------------------------------------------

# Main window positions, from its layout in twips (15 twips a pixel at 96 dpi).
aerodrome_chart=("$(px 8190)" "$(px 360)") # Option1(1): the radio button of "AERODROME CHART"
link_button=("$(px 2707)" "$(px 10027)")   # cmdLink in "MANAGEMENT"

# The left part of a window's status line (its last 23 pixels), where the position line stands.
position_line() {
    local height
    height="$(xwininfo -id "$1" | awk '/Height:/ {print $2}')"
    import -window "$1" -crop "420x17+4+$((height - 20))" +repage "$2"
}
# The share of dark pixels in the position line: black text while positions come, none when it is grey.
dark_share() {
    position_line "$1" "$runtime/line.png"
    convert "$runtime/line.png" -colorspace Gray -threshold 35% -negate -format '%[fx:mean]' info:
}
live() { awk -v share="$(dark_share "$1")" 'BEGIN { exit !(share > 0.02) }'; }
grey() { awk -v share="$(dark_share "$1")" 'BEGIN { exit !(share == 0) }'; }
line_changes() {
    position_line "$1" "$runtime/before.png"
    sleep 1
    position_line "$1" "$runtime/after.png"
    [ "$(compare -metric AE "$runtime/before.png" "$runtime/after.png" null: 2>&1 || true)" != "0" ]
}
# The aircraft symbol in a window: the number of its magenta pixels, and where they are ("x y" of their
# bounding box's middle).
symbol_pixels() {
    import -window "$1" "$runtime/symbol.png"
    convert "$runtime/symbol.png" -fuzz 10% -fill white +opaque '#e000e0' -fill black -opaque '#e000e0' \
        "$runtime/symbol-mask.png"
}
magenta_count() {
    symbol_pixels "$1"
    convert "$runtime/symbol-mask.png" -format '%[fx:int((1-mean)*w*h+0.5)]' info:
}
symbol_at() {
    symbol_pixels "$1"
    convert "$runtime/symbol-mask.png" -trim -format '%[fx:page.x+w/2] %[fx:page.y+h/2]' info: 2>/dev/null
}
symbol_shown() { [ "$(magenta_count "$1")" -gt 60 ]; }
symbol_grey() { [ "$(magenta_count "$1")" -eq 0 ]; }
symbol_moves() {
    local before
    before="$(symbol_at "$1")"
    sleep 1
    symbol_shown "$1" && [ "$(symbol_at "$1")" != "$before" ]
}
stand_in() { "$standin" --xgps-port "$xgps_port" --nmea-port "$nmea_port" "$@"; }
# The stand-in in the background, itself (not a shell around it) in $!, so that it can be stopped.
stand_in_background() { "$standin" --xgps-port "$xgps_port" --nmea-port "$nmea_port" "$@" & }
full_screen() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
not_full_screen() { ! full_screen "$1"; }

trap 'fail "unexpected failure of: $BASH_COMMAND (line $LINENO)"' ERR

# ---- the desktop ------------------------------------------------------------------------------------------

[ -x "$program" ] || fail "no program at $program"
[ -x "$standin" ] || fail "no stand-in at $standin"
grep -q '^..KBOS|' "$program_folder/airports.txt" 2>/dev/null || fail "KBOS is not in $program_folder/airports.txt"
start_desktop

# Ports of this run only, so that other programs listening on the usual ones do not matter.
xgps_port=$((20000 + RANDOM % 20000))
nmea_port=$((xgps_port + 1))
mkdir -p "$XDG_CONFIG_HOME/varnelox"
printf '[simulator]\nlisten=true\nloopbackOnly=true\nnetworkGpsPort=%s\nnmeaPort=%s\n' "$xgps_port" "$nmea_port" \
    >"$XDG_CONFIG_HOME/varnelox/varnelox.ini"
# The sample aerodrome chart of Boston placed on the map, its runway 04R under the track.
place_kbos_sample "$program_folder/Airports/KBOS/ADPOS2-1.PDF" "$XDG_DATA_HOME"

# ---- the run ----------------------------------------------------------------------------------------------

QT_QPA_PLATFORM=xcb "$program" >"$artefacts/program.log" 2>&1 &
app=$!
pids+=("$app")
expect 15 "the main window appears" has_window "$main_title"
main="$(window_id "$main_title")"
expect 5 "no simulator yet: the line is grey" grey "$main"
shot no-simulator

# A landing at Boston, eight times faster than real time: some 25 s.
stand_in_background --rate 5 --speed 8 "$track"
flight=$!
pids+=("$flight")
expect 5 "the position line shows the aircraft" live "$main"
expect 5 "the position line follows the aircraft" line_changes "$main"
shot flying

xdotool windowactivate --sync "$main"
before="$(pixel "$main" "${aerodrome_chart[@]}")"
xdotool key alt+n
expect 5 "Alt+N looks up the nearest airport" pixel_differs "$main" "${aerodrome_chart[@]}" "$before"
shot nearest-looked-up
before="$(pixel "$main" "${link_button[@]}")"
xdotool mousemove --window "$main" "${aerodrome_chart[@]}" click 1
expect 5 "the chart choice enables Link to FS" pixel_differs "$main" "${link_button[@]}" "$before"
xdotool key alt+l
expect 10 "the companion window shows the chart of KBOS, the airport looked up" has_window "$companion_title"
companion="$(window_id "$companion_title")"
expect 5 "the companion window shows the aircraft" live "$companion"
expect 5 "and follows it" line_changes "$companion"
shot companion-flying
# Zoomed in on the chart's middle, the aircraft is out of view; "Follow the aircraft" in the right button's
# menu scrolls the chart to it and keeps it in view.
xdotool windowactivate --sync "$companion"
xdotool mousemove --window "$companion" 300 300 click 1
xdotool key plus plus plus plus
sleep 1
xdotool mousemove --window "$companion" 300 300 click 3
sleep 0.5
xdotool key a
expect 5 "the aircraft is drawn on the placed chart" symbol_shown "$companion"
expect 5 "and moves along its track" symbol_moves "$companion"
shot companion-chart-aircraft

wait "$flight" || fail "the stand-in failed"
expect 8 "the feed has stopped: the line greys" grey "$companion"
symbol_grey "$companion" || fail "the aircraft on the chart stays magenta after the feed stopped"
shot stale

position_line "$companion" "$runtime/stale.png"
stand_in --junk
sleep 1
position_line "$companion" "$runtime/after-junk.png"
[ "$(compare -metric AE "$runtime/stale.png" "$runtime/after-junk.png" null: 2>&1 || true)" = "0" ] ||
    fail "junk datagrams changed the position line"
grey "$companion" || fail "junk datagrams brought the line back"
shot after-junk

# 10,000 datagrams a second: the window still goes full screen and back at once. The flood is sent for
# longer than the steps below can take on a loaded machine, and stopped once they are done.
stand_in_background --flood 30 --rate 10000 "$track"
flood=$!
pids+=("$flood")
expect 5 "the flood is read" live "$companion"
xdotool windowactivate --sync "$companion"
started=${EPOCHREALTIME/./}
xdotool key F11
expect 2 "F11 during the flood makes the window full screen" full_screen "$companion"
shot flood-full-screen
xdotool key F11
expect 2 "F11 during the flood brings it back" not_full_screen "$companion"
answered=$(((${EPOCHREALTIME/./} - started) / 1000))
kill -0 "$flood" 2>/dev/null || fail "the flood ended before the window was tried"
kill "$flood"
wait "$flood" || true
kill -0 "$app" || fail "the program ended during the flood"
shot after-flood
echo "PASS: the window answered within ${answered} ms during the flood; screenshots in $artefacts"
