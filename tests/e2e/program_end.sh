#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program ends whole in the real program on a virtual X desktop: with a chart on screen and pages being
# drawn ahead, "&Exit" answered Yes, and again the main window closed through its frame, end the program and
# every process it started (the render helper, its copies drawing ahead, the sound helper), and leave no
# shared memory behind. How fast it ends is measured by bench/desktop, not here.
# Usage: program_end.sh PROGRAM ARTEFACT_FOLDER
set -eEuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

program="$1"
artefacts="$2"
aerodrome_chart=("$(px 8190)" "$(px 360)")  # Option1(1): the radio button of "AERODROME CHART"
chart_area="$(px 7575)x$(px 7000)+$(px 5400)+$(px 3000)"

trap 'fail "unexpected failure of: $BASH_COMMAND (line $LINENO)"' ERR
[ -x "$program" ] || fail "no program at $program"
start_desktop

# Every process that pid started, and those they started.
descendants() {
    local child
    for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do
        echo "$child"
        descendants "$child"
    done
}
alive() { [ -e "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) [ZX]' "/proc/$1/stat"; }
all_gone() {
    local pid
    for pid in "$@"; do alive "$pid" && return 1; done
    return 0
}
shared_memory() { ls /dev/shm 2>/dev/null | sort; }

# run NAME HOW: the program with a chart of LIRF on screen, ended as HOW says ("exit" or "frame").
run() {
    local name="$1" how="$2"
    start_program "$artefacts/$name.log"
    crop_before="$artefacts/$name-empty.png"
    import -window "$main" -crop "$chart_area" +repage "$crop_before"
    xdotool type --delay 20 lirf
    xdotool key Return
    xdotool mousemove --window "$main" "${aerodrome_chart[@]}" click 1
    chart_drawn() {
        import -window "$main" -crop "$chart_area" +repage "$artefacts/$name-now.png"
        [ "$(compare -metric AE "$artefacts/$name-now.png" "$crop_before" null: 2>&1 || true)" -gt 1000 ]
    }
    expect 10 "the chart is drawn ($name)" chart_drawn
    shot "$name-chart"
    helpers=($(descendants "$app"))
    [ "${#helpers[@]}" -gt 0 ] || fail "no render helper runs ($name)"
    if [ "$how" = exit ]; then
        xdotool key alt+x
        expect 5 "Exit asks ARE YOU SURE ? ($name)" has_window EXIT
        xdotool key alt+y
    else
        wmctrl -i -c "$main"
    fi
    ended() { ! alive "$app"; }
    expect 5 "the program ends ($name)" ended
    expect 2 "every process the program started ends with it ($name: ${helpers[*]})" all_gone "${helpers[@]}"
}

memory_before="$(shared_memory)"
run exit-answered-yes exit
run main-window-closed frame
[ "$(shared_memory)" = "$memory_before" ] || fail "shared memory was left behind: $(shared_memory)"
echo "PASS: the program ended with all its helpers, after Exit and after closing its window; screenshots in $artefacts"
