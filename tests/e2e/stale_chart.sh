#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# No chart of one airport is ever shown for another, in the real program on a virtual X desktop: a chart of
# LIRF over the simulator, back with "&Another Procedure" (its category still chosen), "&Clean", LIML looked
# up from the keyboard, "&Link to FS" refused until a chart of LIML is chosen, and then LIML's chart, not
# LIRF's, in the companion window. A screenshot of every step goes to the artefact folder.
# Usage: stale_chart.sh PROGRAM ARTEFACT_FOLDER
set -eEuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

program="$1"
artefacts="$2"
program_folder="$(dirname "$program")"
lirf_title="LIRF AERODROME CHART — $main_title "
liml_title="LIML AERODROME CHART — $main_title "
heading_blue='8080FF'

# Main window positions, from its layout in twips (15 twips a pixel at 96 dpi).
aerodrome_chart=("$(px 8190)" "$(px 360)")  # Option1(1): the radio button of "AERODROME CHART"
long_heading=("$(px 540)" "$(px 2490)")     # "LONG" heading in "DATA AIRPORT", hidden by the entry layout
selector="$(px 7695)x$(px 2400)+$(px 5400)+0"                  # "SELECT PROCEDURES"
chart_area="$(px 7575)x$(px 7000)+$(px 5400)+$(px 3000)"       # the viewer below its toolbar

# crop WINDOW GEOMETRY FILE: saves a part of a window's image.
crop() { import -window "$1" -crop "$2" +repage "$3"; }
# differing_pixels A B: how many pixels of two images of one size differ.
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
area_differs() {
    crop "$main" "$chart_area" "$artefacts/chart-area-now.png"
    [ "$(differing_pixels "$artefacts/chart-area-now.png" "$1")" -gt 1000 ]
}
data_layout() { [ "$(pixel "$main" "${long_heading[@]}")" = "$heading_blue" ]; }
entry_layout() { ! data_layout; }

trap 'fail "unexpected failure of: $BASH_COMMAND (line $LINENO)"' ERR

[ -x "$program" ] || fail "no program at $program"
for code in LIRF LIML; do
    grep -q "^..$code|" "$program_folder/airports.txt" 2>/dev/null || fail "$code is not in airports.txt"
done
start_desktop

start_program "$artefacts/program.log"
crop "$main" "$chart_area" "$artefacts/chart-area-empty.png"

# ---- a chart of LIRF over the simulator ----------------------------------------------------------------------
xdotool type --delay 20 lirf
xdotool key alt+e
expect 5 "Alt+E looks LIRF up" data_layout
crop "$main" "$selector" "$artefacts/selector-none.png"
xdotool mousemove --window "$main" "${aerodrome_chart[@]}" click 1
expect 10 "the chart of LIRF is drawn" area_differs "$artefacts/chart-area-empty.png"
sleep 0.5
shot lirf-chart
crop "$main" "$chart_area" "$artefacts/chart-area-lirf.png"
crop "$main" "$selector" "$artefacts/selector-lirf.png"
xdotool key alt+l
expect 10 "Link to FS shows the companion window" has_window "$lirf_title"
companion="$(window_id "$lirf_title")"
sleep 1
import -window "$companion" "$artefacts/companion-lirf.png"
shot lirf-linked

# ---- back for another procedure: the same chart, its category still chosen -------------------------------
xdotool windowactivate --sync "$companion"
xdotool key alt+c
sleep 0.3
xdotool key a
expect 5 "Another Procedure brings the main window back" mapped "$main"
sleep 0.5
crop "$main" "$selector" "$artefacts/selector-back.png"
[ "$(differing_pixels "$artefacts/selector-back.png" "$artefacts/selector-lirf.png")" = "0" ] ||
    fail "the chart's category is no longer chosen after Another Procedure"
shot another-procedure

# ---- Clean, and LIML looked up from the keyboard ----------------------------------------------------------
xdotool windowactivate --sync "$main"
xdotool key alt+c
expect 5 "Clean returns to the entry layout" entry_layout
# "&Clean" is hidden now: Alt+C must not type a C into the code box, or the lookup below finds nothing.
xdotool key alt+c
xdotool type --delay 20 liml
xdotool key alt+e
expect 5 "LIML is found" data_layout
sleep 0.5
shot liml-looked-up
crop "$main" "$chart_area" "$artefacts/chart-area-liml-none.png"
[ "$(differing_pixels "$artefacts/chart-area-liml-none.png" "$artefacts/chart-area-lirf.png")" -gt 1000 ] ||
    fail "the viewer still shows the chart of LIRF"
crop "$main" "$selector" "$artefacts/selector-liml-none.png"
[ "$(differing_pixels "$artefacts/selector-liml-none.png" "$artefacts/selector-none.png")" = "0" ] ||
    fail "a chart category is chosen before any chart of LIML"

xdotool key alt+l
if poll 1.5 has_window "$lirf_title" || has_window "$liml_title"; then
    fail "Link to FS showed a chart before one of LIML was chosen"
fi
mapped "$main" || fail "Link to FS hid the main window without a chart"
shot link-refused

# ---- a chart of LIML: the companion window shows it, not LIRF's ------------------------------------------
xdotool mousemove --window "$main" "${aerodrome_chart[@]}" click 1
expect 10 "the chart of LIML is drawn" area_differs "$artefacts/chart-area-liml-none.png"
sleep 0.5
shot liml-chart
xdotool key alt+l
expect 10 "Link to FS shows the companion window again, titled with LIML" has_window "$liml_title"
companion="$(window_id "$liml_title")"
sleep 1
import -window "$companion" "$artefacts/companion-liml.png"
shot liml-linked
[ "$(differing_pixels "$artefacts/companion-liml.png" "$artefacts/companion-lirf.png")" -gt 1000 ] ||
    fail "the companion window shows the chart of LIRF for LIML"

xdotool windowactivate --sync "$companion"
xdotool key alt+c
sleep 0.3
xdotool key e
expect 5 "Exit asks ARE YOU SURE ?" has_window EXIT
xdotool key alt+y
ended() { [ ! -e "/proc/$app" ] || grep -q '^[0-9]* ([^)]*) Z' "/proc/$app/stat"; }
expect 5 "the program ends after Yes" ended
echo "PASS: no stale chart after Clean and a new lookup; screenshots in $artefacts"
