#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates what the package gives the desktop: validate.sh DESKTOP_ENTRY METAINFO MANUAL_PAGE_FOLDER
# The desktop entry with desktop-file-validate, the metainfo with appstreamcli (offline: the screenshot is not
# fetched), every manual page with groff's warnings on. Any error or warning fails.
set -euo pipefail
desktop_entry="$1"
metainfo="$2"
pages="$3"
status=0

report="$(desktop-file-validate "$desktop_entry" 2>&1)" || status=1
if [ -n "$report" ]; then
    echo "$report"
    status=1
fi
appstreamcli validate --no-net "$metainfo" || status=1
for page in "$pages"/*.1; do
    report="$(groff -man -ww -z -Tutf8 "$page" 2>&1)" || status=1
    if [ -n "$report" ]; then
        echo "$page: $report"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "desktop entry, metainfo and manual pages are valid"
exit "$status"
