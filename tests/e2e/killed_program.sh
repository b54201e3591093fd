#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The helpers end with the program however it ends: the real program on a virtual X desktop, killed with
# SIGKILL while its render helper waits for a chart and its sound helper plays the start-up cues, leaves no
# process of its own behind.
# Usage: killed_program.sh PROGRAM ARTEFACT_FOLDER
set -eEuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

program="$1"
artefacts="$2"

trap 'fail "unexpected failure of: $BASH_COMMAND (line $LINENO)"' ERR

[ -x "$program" ] || fail "no program at $program"
start_desktop

QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="varnelox.*=true" "$program" >"$artefacts/program.log" 2>&1 &
app=$!
pids+=("$app")
expect 15 "the main window appears" has_window "$main_title"
# Both start once the window is on screen; the sound helper runs for some seconds, while the cues play.
helpers() { ps -o pid=,args= --ppid "$app" | grep -E 'varnelox-(render|sound)' || true; }
both_running() { [ "$(helpers | wc -l)" -ge 2 ]; }
expect 10 "the render and sound helpers run" both_running
shot helpers-running
children="$(helpers | awk '{print $1}')"

kill -KILL "$app"
gone() {
    local pid
    for pid in $children; do
        [ ! -e "/proc/$pid" ] || grep -q '^[0-9]* ([^)]*) Z' "/proc/$pid/stat" || return 1
    done
}
expect 3 "the helpers end with the killed program" gone
echo "PASS: no helper outlived the killed program ($(echo $children | wc -w) helpers)"
