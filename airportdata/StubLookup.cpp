#include "airportdata/AirportDirectory.h"
#include "airportdata/ChartLibrary.h"

namespace airportdata {

LookupResult LookUpAirport(const QString &, const QString &)
{
    return {};
}

QString ChartFilePath(const QString &programFolder, const QString &code, int)
{
    return programFolder + QStringLiteral("/Airports/") + code;
}

} // namespace airportdata

namespace airportdata {

QString OpenableChartPath(const QString &, const QString &chartPath)
{
    return chartPath;
}

} // namespace airportdata
