#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program, from a package unpacked into ROOT (dpkg -x), on a virtual X desktop (Xvfb, openbox,
# trayer): it reads the sample library installed with it and starts its render helper from libexec; a lookup
# fills the grid and a chart opens in the real window; "&Exit" ends it. Then the installed varnelox-import
# writes a library into the user's data folder, which the program reads next; and --library naming a folder
# that does not exist gives a message and exit status 2. The package names its licences. scripts/test runs this after building the package.
# Usage: installed.sh ROOT ARTEFACT_FOLDER
set -eEuo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop.sh"

root="$(cd "$1" && pwd)"
artefacts="$2"
program="$root/usr/bin/varnelox"
library="$root/usr/share/varnelox"
helper="$root/usr/libexec/varnelox/varnelox-render"
sound_helper="$root/usr/libexec/varnelox/varnelox-sound"

# Main window positions, from its layout in twips (15 twips a pixel at 96 dpi).
code_box=("$(px 1087)" "$(px 832)")         # txtIcao
aerodrome_chart=("$(px 8190)" "$(px 360)")  # Option1(1): the radio button of "AERODROME CHART"
exit_button=("$(px 3727)" "$(px 10027)")    # cmdExit in "MANAGEMENT"
name_cell="$(px 5055)x$(px 375)+$(px 240)+$(px 1560)"        # lblRwy(1) under "AIRPORT NAME"
chart_area="$(px 7695)x$(px 8295)+$(px 5400)+$(px 2400)"     # Picture1, which holds the viewer

# How many pixels of a region of the window differ from a capture taken earlier.
capture() { import -window "$1" "$artefacts/$2.png"; }
changed_pixels() {
    compare -metric AE -crop "$1" "$artefacts/$2.png" "$artefacts/$3.png" null: 2>&1 || true
}
region_changed() {
    capture "$main" "$3"
    [ "$(changed_pixels "$1" "$2" "$3")" -gt "$4" ]
}

trap 'fail "unexpected failure of: $BASH_COMMAND (line $LINENO)"' ERR
for file in "$program" "$helper"; do [ -x "$file" ] || fail "not installed: $file"; done
[ -x "$sound_helper" ] || fail "not installed: $sound_helper"
[ -f "$library/airports.txt" ] && [ -f "$library/Airports/LIRF/ADPRF2-1.PDF" ] || fail "no sample library in $library"
# The licence: the copyright file in Debian's machine-readable format, and the software centre's data.
copyright="$root/usr/share/doc/varnelox/copyright"
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" ||
    fail "no machine-readable copyright file: $copyright"
grep -qx 'License: GPL-3.0-or-later' "$copyright" || fail "the copyright file names no GPL-3.0-or-later"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$root"/usr/share/metainfo/*.metainfo.xml ||
    fail "the metainfo names no project licence"
start_desktop

# A user without a library of their own.
home="$runtime/home"
mkdir -p "$home"
run_installed() {
    exec env -u VARNELOX_LIBRARY HOME="$home" XDG_DATA_HOME="$home/.local/share" QT_QPA_PLATFORM=xcb \
        QT_LOGGING_RULES="varnelox.*=true" "$program" "$@"
}

run_installed >"$artefacts/program.log" 2>&1 &
app=$!
pids+=("$app")
expect 15 "the main window appears" has_window "$main_title"
main="$(window_id "$main_title")"
shot started
expect 5 "the installed sample library is read" grep -qF "library \"$library\" from" "$artefacts/program.log"
expect 5 "the render helper starts from libexec" grep -qF "starting the render helper \"$helper\"" \
    "$artefacts/program.log"
expect 5 "the sound helper is found in libexec" grep -qF "cues play through \"$sound_helper\"" \
    "$artefacts/program.log"

xdotool mousemove --window "$main" "${code_box[@]}" click 1
capture "$main" before-lookup
xdotool type --delay 20 lirf
xdotool key Return
expect 5 "the lookup writes the airport's name" region_changed "$name_cell" before-lookup after-lookup 100
shot looked-up

capture "$main" before-chart
xdotool mousemove --window "$main" "${aerodrome_chart[@]}" click 1
expect 10 "the aerodrome chart is drawn in the viewer" region_changed "$chart_area" before-chart after-chart 20000
sleep 0.5
shot chart-open
children="$(ps -o args= --ppid "$app")"
[[ "$children" == *"$helper --images"* ]] || fail "the running render helper is not $helper: $children"

xdotool mousemove --window "$main" "${exit_button[@]}" click 1
expect 5 "Exit asks ARE YOU SURE ?" has_window EXIT
xdotool key alt+y
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# One airport in the formats of OurAirports' airports.csv and runways.csv, imported into the user's data folder.
import_tool="$root/usr/bin/varnelox-import"
if [ -x "$import_tool" ]; then
    sources="$runtime/sources"
    mkdir -p "$sources"
    {
        echo '"id","ident","type","name","latitude_deg","longitude_deg","elevation_ft","continent","iso_country",'\
'"iso_region","municipality","scheduled_service","icao_code","iata_code","gps_code","local_code","home_link",'\
'"wikipedia_link","keywords"'
        echo '1,"ZZZZ","small_airport","Test Field, North",45.5,9.25,400,"EU","IT","IT-25","Nowhere","no","ZZZZ",,,,,,'
    } >"$sources/airports.csv"
    {
        echo '"id","airport_ref","airport_ident","length_ft","width_ft","surface","lighted","closed","le_ident",'\
'"le_latitude_deg","le_longitude_deg","le_elevation_ft","le_heading_degT","le_displaced_threshold_ft",'\
'"he_ident","he_latitude_deg","he_longitude_deg","he_elevation_ft","he_heading_degT","he_displaced_threshold_ft"'
        echo '1,1,"ZZZZ",3000,100,"ASP",1,0,"09",,,,,,"27",,,,,'
    } >"$sources/runways.csv"
    env -u VARNELOX_LIBRARY HOME="$home" XDG_DATA_HOME="$home/.local/share" \
        "$import_tool" ourairports "$sources/airports.csv" "$sources/runways.csv" >"$artefacts/import.log" 2>&1 ||
        fail "the installed varnelox-import failed: $(cat "$artefacts/import.log")"
    run_installed >"$artefacts/user-library.log" 2>&1 &
    app=$!
    pids+=("$app")
    expect 15 "the main window appears on the user's library" has_window "$main_title"
    main="$(window_id "$main_title")"
    expect 5 "the user's data folder is read" grep -qF "library \"$home/.local/share/varnelox\" from" \
        "$artefacts/user-library.log"
    xdotool mousemove --window "$main" "${code_box[@]}" click 1
    capture "$main" before-user-lookup
    xdotool type --delay 20 zzzz
    xdotool key Return
    expect 5 "the imported airport is found" region_changed "$name_cell" before-user-lookup after-user-lookup 100
    shot user-library
    kill "$app"
    wait "$app" 2>/dev/null || true
else
    echo "NOTE: varnelox-import is not installed: the user's data folder is not tried"
fi

missing="$runtime/no-such-library"
run_installed --library "$missing" >"$artefacts/missing-library.log" 2>&1 &
app=$!
pids+=("$app")
expect 15 "a message names the missing library" has_window VARNELOX
shot missing-library
xdotool key Return
status=0
wait "$app" || status=$?
[ "$status" -eq 2 ] || fail "a missing library ended the program with status $status, not 2"
grep -qF "named by --library does not exist:" "$artefacts/missing-library.log" &&
    grep -qF "$missing" "$artefacts/missing-library.log" ||
    fail "no message on standard error: $(cat "$artefacts/missing-library.log")"
echo "PASS: the installed program read $library, drew a chart with $helper; screenshots in $artefacts"
