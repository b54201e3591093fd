// SPDX-License-Identifier: GPL-3.0-or-later
#include "OurAirportsGenerator.h"

#include <array>
#include <random>

namespace {

constexpr std::array kTypes{"large_airport", "medium_airport", "small_airport", "heliport", "seaplane_base"};
constexpr std::array kNames{"Valley Field",
                            "Lake Strip, North",
                            "Aero \"\"Club\"\" Meadow",
                            "\xd0\x9b\xd0\xb5\xd1\x81\xd0\xbd\xd0\xbe\xd0\xb9",
                            "\xe5\xb1\xb1\xe7\x94\xb0",
                            "Saint-\xc3\x89tienne Aerodrome"};
constexpr std::array kSurfaces{"ASP", "TURF", "CON", "GRS", "ASPH-G"};

QByteArray quoted(const QByteArray &text)
{
    return '"' + text + '"';
}

// Four capital letters from a number; 26^4 codes, more than any generated file has.
QByteArray codeOf(int index)
{
    QByteArray code(4, 'A');
    for (int i = 3; i >= 0; --i, index /= 26)
        code[i] = char('A' + index % 26);
    return code;
}

} // namespace

GeneratedSources generateSources(int airports, int runways)
{
    std::mt19937 random(20250123);
    const auto pick = [&](std::size_t count) { return std::size_t(random() % count); };
    GeneratedSources sources;
    sources.airports =
        "\"id\",\"ident\",\"type\",\"name\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\","
        "\"continent\",\"iso_country\",\"iso_region\",\"municipality\",\"scheduled_service\","
        "\"icao_code\",\"iata_code\",\"gps_code\",\"local_code\",\"home_link\",\"wikipedia_link\","
        "\"keywords\"\n";
    for (int id = 1; id <= airports; ++id) {
        // Half have a four-letter ident, a quarter a four-letter gps_code only, a quarter no code.
        const int kind = id % 4;
        const QByteArray code = codeOf(id);
        const QByteArray ident = kind < 2 ? code : "US-" + QByteArray::number(id);
        const QByteArray gps = kind == 3 ? QByteArray::number(id % 100) + "X" : code;
        sources.airportsWithCode += kind < 3 ? 1 : 0;
        sources.airports += QByteArray::number(id) + ',' + quoted(ident) + ',' +
                            quoted(kTypes[pick(kTypes.size())]) + ',' + quoted(kNames[pick(kNames.size())]) +
                            ',' + QByteArray::number(double(pick(179000)) / 1000 - 89.5, 'f', 6) + ',' +
                            QByteArray::number(double(pick(359000)) / 1000 - 179.5, 'f', 6) + ',' +
                            QByteArray::number(int(pick(9000))) +
                            ",\"EU\",\"IT\",\"IT-62\",\"Town, Province\","
                            "\"no\",,," +
                            quoted(gps) + ",,\"https://example.org/" + code + "\",,\"a, b\"\n";
    }
    sources.runways = "\"id\",\"airport_ref\",\"airport_ident\",\"length_ft\",\"width_ft\",\"surface\","
                      "\"lighted\",\"closed\",\"le_ident\",\"le_latitude_deg\",\"le_longitude_deg\","
                      "\"le_elevation_ft\",\"le_heading_degT\",\"le_displaced_threshold_ft\",\"he_ident\","
                      "\"he_latitude_deg\",\"he_longitude_deg\",\"he_elevation_ft\",\"he_heading_degT\","
                      "\"he_displaced_threshold_ft\"\n";
    sources.navData = "I\n810 Version - generated\n\n";
    for (int id = 1; id <= runways; ++id) {
        const int airport = 1 + int(pick(std::size_t(airports)));
        const int heading = 1 + int(pick(18));
        for (const int end : {heading, heading + 18}) {
            if (id % 13 == 0 && (end == heading || id % 26 == 0)) {
                sources.navData +=
                    "4  45.10000000 009.20000000    300 " + QByteArray::number(10810 + id % 390) + "  18  " +
                    QByteArray::number(end * 10 - 2.5, 'f', 3) + " I" + codeOf(id) + ' ' + codeOf(airport) +
                    ' ' + QByteArray::number(end).rightJustified(2, '0') + " ILS-cat-I\n";
            }
        }
        sources.runways += QByteArray::number(100000 + id) + ',' + QByteArray::number(airport) + ',' +
                           quoted(codeOf(airport)) + ',' + QByteArray::number(1000 + int(pick(12000))) + ',' +
                           QByteArray::number(40 + int(pick(160))) + ',' +
                           quoted(kSurfaces[pick(kSurfaces.size())]) + ",1," + (id % 40 == 0 ? "1" : "0") +
                           ',' + quoted(QByteArray::number(heading).rightJustified(2, '0')) +
                           ",45.1,9.2,300,90,," + quoted(QByteArray::number(heading + 18)) +
                           ",45.2,9.3,310,270,\n";
    }
    sources.navData += "99\n";
    return sources;
}
