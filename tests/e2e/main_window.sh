#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The main window's management and information commands in the real program on a virtual X desktop:
# the support mail handed to the desktop's mail handler (a stand-in xdg-open that records its argument),
# the "LAT" heading that opens nothing, "&Print" without a printer, and "&Exit" answered Yes.
# Usage: main_window.sh PROGRAM ARTEFACT_FOLDER
set -eEuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

program="$1"
artefacts="$2"

# Centres of controls in the main window's client area, from the layout in twips.
info_button=("$(px 4747)" "$(px 10027)")       # cmdInfo in "MANAGEMENT"
print_button=("$(px 727)" "$(px 10027)")       # cmdStampa
exit_button=("$(px 3727)" "$(px 10027)")       # cmdExit
support_address=("$(px 6367)" "$(px 4867)")    # Label4(1) in the information panel
panel_exit=("$(px 7807)" "$(px 6667)")         # Command2 in the information panel
lat_heading=("$(px 4087)" "$(px 2527)")        # Label4(0) in "DATA AIRPORT"
expected_link='mailto:support@varnelox.example?subject=PUT%20HERE%20YOUR%20QUESTION&body=PUT%20HERE%20YOUR%20MESSAGE'

trap 'fail "unexpected failure of: $BASH_COMMAND (line $LINENO)"' ERR
[ -x "$program" ] || fail "no program at $program"
start_desktop

# A mail handler that only writes down what it was handed.
handler_folder="$runtime/bin"
mkdir -p "$handler_folder"
opened="$runtime/opened-links"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' "$opened" >"$handler_folder/xdg-open"
chmod +x "$handler_folder/xdg-open"
link_count() { [ -f "$opened" ] && wc -l <"$opened" || echo 0; }
links_are() { [ "$(link_count)" -eq "$1" ]; }

# No print server either, whatever the machine has: "&Print" must find no printer.
PATH="$handler_folder:$PATH" CUPS_SERVER=/nonexistent QT_QPA_PLATFORM=xcb "$program" >"$artefacts/program.log" 2>&1 &
app=$!
pids+=("$app")
expect 15 "the main window appears" has_window "$main_title"
main="$(window_id "$main_title")"
shot started

xdotool mousemove --window "$main" "${lat_heading[@]}" click 1
if poll 1 links_are 1; then fail "a click on the LAT heading opened the mail"; fi

xdotool mousemove --window "$main" "${info_button[@]}" click 1
sleep 0.3
shot information-panel
xdotool mousemove --window "$main" "${support_address[@]}" click 1
expect 5 "the support address hands the mail to the mail handler" links_are 1
[ "$(cat "$opened")" = "$expected_link" ] || fail "the mail link was $(cat "$opened")"
xdotool mousemove --window "$main" "${panel_exit[@]}" click 1
sleep 0.3
shot panel-closed

xdotool mousemove --window "$main" "${print_button[@]}" click 1
expect 5 "Print without a printer says so" has_window VARNELOX
shot no-printer
notice="$(window_id VARNELOX)"
xdotool key Return
expect 5 "the no-printer message closes" unmapped "$notice"
kill -0 "$app" || fail "printing ended the program"

xdotool mousemove --window "$main" "${exit_button[@]}" click 1
expect 5 "Exit asks ARE YOU SURE ?" has_window EXIT
shot exit-question
question="$(window_id EXIT)"
xdotool key alt+n
expect 5 "No closes the question" unmapped "$question"
mapped "$main" || fail "No changed the main window"
xdotool mousemove --window "$main" "${exit_button[@]}" click 1
expect 5 "Exit asks again" has_window EXIT
xdotool key alt+y
ended() { [ ! -e "/proc/$app" ] || grep -q '^[0-9]* ([^)]*) Z' "/proc/$app/stat"; }
poll 2 ended || fail "the program still runs 2 s after Yes"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
shot ended
echo "PASS: mail link, LAT heading, print and exit; screenshots in $artefacts"
