// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Hand-written files in the formats of OurAirports' airports.csv and runways.csv and the FAA's ILS_BASE.csv:
// quoted fields with commas, quotes and line breaks, non-Latin names, a closed airport, closed runways,
// codes shared by two airports, an airport with more than twelve runways.
namespace fixture {

inline const QByteArray kAirportsHeader =
    "\"id\",\"ident\",\"type\",\"name\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\",\"continent\","
    "\"iso_country\",\"iso_region\",\"municipality\",\"scheduled_service\",\"icao_code\",\"iata_code\","
    "\"gps_code\",\"local_code\",\"home_link\",\"wikipedia_link\",\"keywords\"\n";

inline const QByteArray kAirports =
    kAirportsHeader +
    "1001,\"LIRF\",\"large_airport\",\"Roma Fiumicino \"\"Leonardo da "
    "Vinci\"\"\",41.800278,12.238889,13,\"EU\","
    "\"IT\",\"IT-62\",\"Rome\",\"yes\",\"LIRF\",\"FCO\",\"LIRF\",,\"https://example.org/a,b\",,\"Fiumicino, "
    "Roma\"\n"
    "1002,\"CL-0042\",\"small_airport\",\"Millbrook, Lake Strip\",-33.5,-71.0083,,\"SA\",\"CL\",\"CL-VS\","
    "\"Valle | Alto\",\"no\",,,\"SCMB\",,,,\n"
    "1003,\"RJTT\",\"large_airport\","
    "\"\xe6\x9d\xb1\xe4\xba\xac\xe5\x9b\xbd\xe9\x9a\x9b\xe7\xa9\xba\xe6\xb8\xaf\","
    "35.552299,139.779999,35,\"AS\",\"JP\",\"JP-13\",\"Tokyo\r\n\xc5\x8cta\",\"yes\",\"RJTT\",\"HND\","
    "\"RJTT\",,,,\n"
    "1004,\"KXYZ\",\"small_airport\",\"Small "
    "Field\",40,-100,1200,\"NA\",\"US\",\"US-NE\",\"Nowhere\",\"no\",,,"
    "\"KXYZ\",\"XYZ\",,,\n"
    "1005,\"US-9999\",\"medium_airport\",\"Bigger "
    "Field\",40.5,-100.5,1300,\"NA\",\"US\",\"US-NE\",\"Somewhere\","
    "\"no\",,,\"KXYZ\",\"9US\",,,\n"
    "1006,\"EDDX\",\"heliport\",\"First "
    "Pad\",50,8,300,\"EU\",\"DE\",\"DE-HE\",\"Frankfurt\",\"no\",\"EDDX\",,,,,,\n"
    "1007,\"DE-0001\",\"heliport\",\"Second Pad\",50.1,8.1,310,\"EU\",\"DE\",\"DE-HE\",\"Frankfurt\",\"no\","
    "\"EDDX\",,,,,,\n"
    "1008,\"LIXX\",\"closed\",\"Old "
    "Field\",45,9,100,\"EU\",\"IT\",\"IT-25\",\"Milan\",\"no\",\"LIXX\",,,,,,\n"
    "1009,\"00AA\",\"small_airport\",\"Digit "
    "Ranch\",38.7,-101.47,3435,\"NA\",\"US\",\"US-KS\",\"Leoti\",\"no\",,,"
    "\"00AA\",\"00AA\",,,\n"
    "1010,\"KBOS\",\"large_airport\",\"General Edward Lawrence Logan International "
    "Airport\",42.3643,-71.005203,20,"
    "\"NA\",\"US\",\"US-MA\",\"Boston\",\"yes\",\"KBOS\",\"BOS\",\"KBOS\",\"BOS\",,,\n"
    "1011,\"YMAN\",\"small_airport\",\"Many "
    "Runways\",-20,135,500,\"OC\",\"AU\",\"AU-NT\",\"\",\"no\",,,,,,,\n"
    "1012,\"UUEE\",\"large_airport\","
    "\"\xd0\xa8\xd0\xb5\xd1\x80\xd0\xb5\xd0\xbc\xd0\xb5\xd1\x82\xd1\x8c\xd0\xb5"
    "\xd0\xb2\xd0\xbe\",55.972599,37.4146,622,\"EU\",\"RU\",\"RU-MOS\",\"Moscow\",\"yes\",\"UUEE\",\"SVO\","
    "\"UUEE\","
    ",,,\n"
    "1013,\"abcd\",\"small_airport\",\"Lower Case\",1,1,1,\"AF\",\"GH\",\"GH-1\",\"x\",\"no\",,,,,,,\n";

inline const QByteArray kRunwaysHeader =
    "\"id\",\"airport_ref\",\"airport_ident\",\"length_ft\",\"width_ft\",\"surface\",\"lighted\",\"closed\","
    "\"le_ident\",\"le_latitude_deg\",\"le_longitude_deg\",\"le_elevation_ft\",\"le_heading_degT\","
    "\"le_displaced_threshold_ft\",\"he_ident\",\"he_latitude_deg\",\"he_longitude_deg\",\"he_elevation_ft\","
    "\"he_heading_degT\",\"he_displaced_threshold_ft\"\n";

// One runway row of YMAN: designator n/n+18.
inline QByteArray manyRunway(int index)
{
    const QByteArray low = QByteArray::number(index + 1).rightJustified(2, '0');
    const QByteArray high = QByteArray::number(index + 19);
    return QByteArray::number(3100 + index) + ",1011,\"YMAN\"," + QByteArray::number(1000 + index) +
           ",30,\"GRE\",0,0,\"" + low + "\",,,,,,\"" + high + "\",,,,,\n";
}

inline QByteArray runways()
{
    QByteArray rows =
        kRunwaysHeader +
        "2001,1001,\"LIRF\",12795,197,\"ASP\",1,0,\"16L\",41.84,12.24,13,166,,\"34R\",41.81,12.25,13,346,\n"
        "2002,1001,\"LIRF\",10853,148,\"ASP\",1,1,\"07\",,,,,,\"25\",,,,,\n"
        "2003,1001,\"LIRF\",11837,197,\"ASP, grooved\",1,0,\"16R\",,,,,,\"34L\",,,,,\n"
        "2004,1002,\"CL-0042\",2000,,\"GRS\",0,0,\"N\",,,,,,\"\",,,,,\n"
        "2005,1003,\"RJTT\",9843,197,\"ASP\r\nCON\",1,0,\"16R\",,,,,,\"34L\",,,,,\n"
        "2006,1004,\"KXYZ\",3000,60,\"TURF\",0,0,\"18\",,,,,,\"36\",,,,,\n"
        "2007,1005,\"US-9999\",5000,75,\"ASP\",1,0,\"09\",,,,,,\"27\",,,,,\n"
        "2008,1009,\"00AA\",2500,40,\"GRVL\",0,0,\"N\",,,,,,\"S\",,,,,\n"
        "2009,1010,\"KBOS\",10083,150,\"ASP\",1,0,\"04R\",,,,,,\"22L\",,,,,\n"
        "2010,1010,\"KBOS\",7864,150,\"ASP\",1,0,\"04L\",,,,,,\"22R\",,,,,\n"
        "2011,1010,\"KBOS\",7001,150,\"ASP\",1,0,\"09\",,,,,,\"27\",,,,,\n"
        "2012,1010,\"KBOS\",10005,150,\"ASP\",1,0,\"15R\",,,,,,\"33L\",,,,,\n"
        "2013,1006,\"EDDX\",60,60,\"CON\",1,0,\"H-NORTH\",,,,,,\"H-SOUTH\",,,,,\n"
        "2014,1012,\"UUEE\",11155,197,\"CON\",1,1,\"06L\",,,,,,\"24R\",,,,,\n";
    for (int index = 0; index < 13; ++index)
        rows += manyRunway(index);
    return rows;
}

inline const QByteArray kIls =
    "\"EFF_DATE\",\"SITE_NO\",\"STATE_CODE\",\"ARPT_ID\",\"CITY\",\"RWY_END_ID\",\"ILS_LOC_ID\","
    "\"SYSTEM_TYPE_CODE\",\"LOC_FREQ\",\"APCH_BEAR\",\"COMPONENT_STATUS\"\n"
    "\"2025/01/23\",\"1\",\"MA\",\"BOS\",\"BOSTON\",\"04R\",\"BOS\",\"LS\",\"110.3\",\"35.4\",\"OPERATIONAL "
    "IFR\"\n"
    "\"2025/01/23\",\"1\",\"MA\",\"BOS\",\"BOSTON\",\"22L\",\"LQN\",\"LS\",\"111.1\",\"215\",\"OPERATIONAL "
    "IFR\"\n"
    "\"2025/01/23\",\"1\",\"MA\",\"BOS\",\"BOSTON\",\"22R\",\"MDS\",\"LC\",\"109.5\",\"215.4\",\"OPERATIONAL "
    "IFR\"\n"
    "\"2025/01/23\",\"1\",\"MA\",\"BOS\",\"BOSTON\",\"9\",\"BOQ\",\"LS\",\"108.9\",\"92\",\"\"\n"
    "\"2025/01/23\",\"1\",\"MA\",\"BOS\",\"BOSTON\",\"15R\",\"OST\",\"LS\",\"111.7\",\"149\",\"SHUTDOWN\"\n"
    "\"2025/01/23\",\"2\",\"NE\",\"XYZ\",\"NOWHERE\",\"18\",\"XYZ\",\"LC\",\"108.1\",\"180\",\"OPERATIONAL "
    "IFR\"\n"
    "\"2025/01/23\",\"3\",\"NE\",\"9US\",\"SOMEWHERE\",\"09\",\"USN\",\"LC\",\"109.1\",\"090\",\"OPERATIONAL "
    "IFR\"\n";

} // namespace fixture
