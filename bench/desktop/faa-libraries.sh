#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds two chart libraries of real size for desktop_bench from single FAA chart PDFs (d-TPP charts, fetched
# for the benchmark and never committed), one folder of them per airport, each file named as the FAA names its
# charts: STATE-AIRPORT-CHART-NAME.pdf (MA-BOS-AIRPORT-DIAGRAM.pdf, MA-BOS-LOGAN-SEVEN,-CONT.1.pdf).
#   OUTPUT/joined  what `varnelox-import faa-dtpp` makes of them: one PDF per category, the category's charts
#                  joined, with an index; from a d-TPP metafile this script writes for the files found
#   OUTPUT/single  the same airports with one single chart file per category, as the FAA publishes it
# The chart code of each file is told from its name: the airport diagram, hot spots, LAHSO, approaches (ILS,
# LOC, RNAV, VOR, LDA, GPS, visual and PRM procedures); of the other procedures, those named RNAV count as
# departures and the rest as arrivals. Airports are named K + the folder name.
# Usage: faa-libraries.sh VARNELOX_IMPORT CHART_FOLDER OUTPUT
set -euo pipefail

import="$1"
charts="$(cd "$2" && pwd)"
output="$3"

code_of() {
    local name="$1"
    case "$name" in
    AIRPORT-DIAGRAM*) echo APD ;;
    HOT-SPOT*) echo HOT ;;
    LAHSO*) echo LAH ;;
    TAKEOFF-MINIMUMS* | ALTERNATE-MINIMUMS*) echo MIN ;;
    ILS-* | LOC-* | RNAV-* | VOR-* | LDA-* | GPS-* | NDB-* | CONVERGING-* | *VISUAL* | *PRM*) echo IAP ;;
    *RNAV*) echo DP ;;
    *) echo STAR ;;
    esac
}

rm -rf "$output"
mkdir -p "$output/pdfs" "$output/joined" "$output/single"
metafile="$output/d-TPP_Metafile.xml"
{
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<digital_tpp cycle="bench">'
    for folder in "$charts"/*/; do
        airport="$(basename "$folder")"
        echo "<city_name ID=\"$airport\"><airport_name ID=\"$airport\" icao_ident=\"K$airport\">"
        sequence=0
        for pdf in "$folder"*.pdf; do
            file="$(basename "$pdf")"
            case "$file" in marked-* | outlines-*) continue ;; esac
            name="${file#*-*-}"
            name="${name%.pdf}"
            base="${name%%,-CONT.*}"
            title="$(echo "$name" | tr '-' ' ' | sed 's/ CONT\./ CONT./; s/,  */, /')"
            ln -sf "$pdf" "$output/pdfs/$file"
            sequence=$((sequence + 1))
            echo "<record><chartseq>$sequence</chartseq><chart_code>$(code_of "$base")</chart_code>"
            echo "<chart_name>$title</chart_name><useraction></useraction><pdf_name>$file</pdf_name></record>"
        done
        echo '</airport_name></city_name>'
    done
    echo '</digital_tpp>'
} >"$metafile"

"$import" faa-dtpp "$metafile" "$output/pdfs" --library "$output/joined"

# The single library: the first chart of each category (not a continuation page), as published, under the names the library uses.
cp "$output/joined/airports.txt" "$output/single/"
for airport_folder in "$output/joined/Airports"/*/; do
    airport="$(basename "$airport_folder")"
    mkdir -p "$output/single/Airports/$airport"
    for joined in "$airport_folder"*.PDF; do
        category="$(basename "$joined")"
        suffix="${category:5:1}"
        wanted=""
        case "$suffix" in 1) wanted=MIN ;; 2) wanted=APD ;; 3) wanted=ODP ;; 4) wanted=STAR ;; 5) wanted=IAP ;;
        6) wanted=DP ;; 8) wanted=HOT ;; esac
        for pdf in "$charts/${airport#K}"/*.pdf; do
            file="$(basename "$pdf")"
            case "$file" in marked-* | outlines-* | *,-CONT.*) continue ;; esac
            name="${file#*-*-}"
            if [ "$(code_of "${name%.pdf}")" = "$wanted" ]; then
                cp "$pdf" "$output/single/Airports/$airport/$category"
                break
            fi
        done
    done
done
echo "libraries of real size in $output/joined and $output/single"
