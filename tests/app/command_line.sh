#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's command line, as a user meets it in a terminal: help and version without any display, a
# mistake reported on standard error with exit status 1.
# The manual page tells the same about what the program writes.
# Usage: command_line.sh PROGRAM VERSION MANUAL_PAGE
set -uo pipefail
program="$1"
version="$2"
manual_page="$3"
failures=0
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1" >&2; failures=$((failures + 1)); fi
}

without_display() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@" 2>&1; }

output="$(without_display --version)"; status=$?
check "--version needs no display" '[ "$status" -eq 0 ] && [ "$output" = "varnelox $version" ]'
output="$(without_display --help)"; status=$?
check "--help needs no display and names --library and VARNELOX_LIBRARY" \
    '[ "$status" -eq 0 ] && [[ "$output" == *"--library <DIR>"* ]] && [[ "$output" == *VARNELOX_LIBRARY* ]]'
output="$(XDG_CONFIG_HOME=/nowhere/config XDG_DATA_HOME=/nowhere/data without_display --help)"; status=$?
check "--help names the files it writes and the user's data folder" \
    '[ "$status" -eq 0 ] && [[ "$output" == *"writes two files: its settings (/nowhere/config/varnelox/varnelox.ini)"* ]] &&
     [[ "$output" == *"pages placed on the map (/nowhere/data/varnelox/placed-charts.json)"* ]] &&
     [[ "$output" == *"data folder (/nowhere/data/varnelox)"* ]] && [[ "$output" != *"never writes a file"* ]]'
output="$(QT_QPA_PLATFORM=offscreen "$program" --no-such-option 2>&1)"; status=$?
check "an unknown option is named, status 1" '[ "$status" -eq 1 ] && [[ "$output" == *"no-such-option"* ]]'
output="$(QT_QPA_PLATFORM=offscreen "$program" --library 2>&1)"; status=$?
check "--library without a folder is reported, status 1" '[ "$status" -eq 1 ] && [[ "$output" == *library* ]]'
page="$(groff -man -Tutf8 -rLL=2000n -rHY=0 -P-cbou "$manual_page" 2>/dev/null | tr -s " \t" " ")"
check "the manual page names the files the program writes" \
    '[[ "$page" == *"writes two files, its settings"* ]] && [[ "$page" == *"placed-charts.json"* ]] && [[ "$page" == *"~/.config/varnelox/varnelox.ini"* ]] &&
     [[ "$page" != *"never writes a file"* ]]'
exit $((failures > 0))
