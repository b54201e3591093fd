# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end test and the README pictures: place_kbos_sample CHART DATA_HOME writes the store of
# placed pages into DATA_HOME/varnelox/ with the sample library's aerodrome chart of Boston (the file CHART)
# placed so that the stand-in's landing track runs along the chart's runway 04R: the threshold of 04R, drawn
# at (271.4, 649.2) points on the page, is the track's point at 60 ft, and the other end of the runway, at
# (476.2, 405.0), lies 3,050 m along the track's 020° from it. The sample chart is schematic: this puts its
# runway under the track, not the chart on the real airport.
place_kbos_sample() {
    local sha
    sha="$(sha256sum "$1" | cut -d' ' -f1)"
    mkdir -p "$2/varnelox"
    cat >"$2/varnelox/placed-charts.json" <<JSON
{"version": 1, "pages": [{"sha256": "$sha", "page": 0, "points": [
  {"x": 271.4, "y": 649.2, "latitude": 42.35106, "longitude": -71.01180},
  {"x": 476.2, "y": 405.0, "latitude": 42.37684, "longitude": -70.99914}]}]}
JSON
}
