#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the aircraft on the chart costs: the program's processor time on a virtual X desktop while the
# stand-in sends ten positions a second and the companion window shows the sample aerodrome chart of Boston,
# zoomed in twice and following the aircraft; once with the chart placed on the map (the aircraft drawn and
# followed), once without (the status line only). Target: the aircraft adds well under 5 % of a core.
# Usage: aircraft-cpu.sh PROGRAM STAND-IN [SECONDS]
set -eEuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/desktop.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/standin/place-kbos-sample.sh"

program="$1"
standin="$2"
seconds="${3:-10}"
artefacts="$(mktemp -d)/aircraft-cpu"
trap 'fail "unexpected failure of: $BASH_COMMAND (line $LINENO)"' ERR

# The process's user and system time so far, in clock ticks.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# measure PLACED: one run of the program; prints the share of a core it used while the aircraft flew.
measure() {
    local port companion before after
    rm -rf "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
    [ "$1" = placed ] && place_kbos_sample "$(dirname "$program")/Airports/KBOS/ADPOS2-1.PDF" "$XDG_DATA_HOME"
    port=$((20000 + RANDOM % 20000))
    mkdir -p "$XDG_CONFIG_HOME/varnelox"
    printf '[simulator]\nloopbackOnly=true\nnetworkGpsPort=%s\nnmeaPort=%s\n' "$port" "$((port + 1))" \
        >"$XDG_CONFIG_HOME/varnelox/varnelox.ini"
    start_program "$artefacts/program-$1.log"
    "$standin" --xgps-port "$port" --nmea-port "$((port + 1))" --format xgps --rate 10 "$track" &
    pids+=($!)
    local flight=$!
    sleep 2
    xdotool key alt+n
    sleep 1
    xdotool mousemove --window "$main" "$(px 8190)" "$(px 360)" click 1
    sleep 1
    xdotool key alt+l
    expect 10 "the companion window shows KBOS" has_window "KBOS AERODROME CHART — $main_title "
    companion="$(window_id "KBOS AERODROME CHART — $main_title ")"
    xdotool windowactivate --sync "$companion"
    xdotool mousemove --window "$companion" 300 300 click 1
    xdotool key plus plus
    sleep 1
    xdotool mousemove --window "$companion" 300 300 click 3
    sleep 0.5
    xdotool key a
    xdotool mousemove 1270 1000
    sleep 2
    before="$(ticks "$app")"
    sleep "$seconds"
    after="$(ticks "$app")"
    import -window "$companion" "$artefacts/companion-$1.png"
    kill "$flight" "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }'
}

start_desktop
# A take-off roll on the chart's runway 04R, at 30 kt over the ground for a minute.
track="$runtime/roll.track"
printf '0 42.35106 -71.01180 20 20 30\n60 42.35889 -71.00795 20 20 30\n' >"$track"
without="$(measure unplaced)"
with="$(measure placed)"
echo "ten positions a second for $seconds s: $without % of a core without the aircraft on the chart, $with % with it"
echo "(screenshots in $artefacts)"
