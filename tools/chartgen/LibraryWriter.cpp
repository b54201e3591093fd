// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryWriter.h"

#include "AirportFacts.h"
#include "ChartCategory.h"
#include "ChartLibrary.h"
#include "Charts.h"
#include "DirectoryRecords.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace chartgen {

const ChartKind *chartKindOf(int chartNumber)
{
    for (const ChartKind &kind : chartKinds) {
        if (kind.chartNumber == chartNumber)
            return &kind;
    }
    return nullptr;
}

namespace {

DocumentStatus writeChart(const ChartKind &kind, const AirportFacts &facts, const QString &path)
{
    ChartDocument document(path, {facts.record.name(), facts.record.code(), QString::fromLatin1(kind.title),
                                  QString::fromLatin1(kind.number)});
    if (document.isOpen())
        kind.draw(document, facts);
    return document.finish();
}

LibraryResult writeAirport(const AirportRecord &airport, const QDir &library, const LibraryOptions &options)
{
    const bool lowerCase = options.lowerCaseCodes.contains(airport.code());
    const QString folderName = lowerCase ? airport.code().toLower() : airport.code();
    for (const QString &stale : {airport.code(), airport.code().toLower()}) {
        if (library.exists(stale) && !QDir(library.filePath(stale)).removeRecursively())
            return {false, library.filePath(stale) + QStringLiteral(": cannot be replaced"), 0, 0};
    }
    if (!library.mkpath(folderName))
        return {false, library.filePath(folderName) + QStringLiteral(": cannot be created"), 0, 0};

    const AirportFacts facts = makeAirportFacts(airport);
    const QDir folder(library.filePath(folderName));
    int files = 0;
    const auto &categories = airportdata::ChartCategories;
    for (int index = 0; index < int(categories.size()); ++index) {
        const ChartKind *kind = chartKindOf(categories[index].chartNumber);
        if (!kind || options.omittedCharts.contains(airport.code() + QLatin1Char('/') +
                                                    categories[index].fileSuffix()))
            continue;
        const QString name =
            QFileInfo(airportdata::ChartFilePath(library.path(), airport.code(), index)).fileName();
        const DocumentStatus status =
            writeChart(*kind, facts, folder.filePath(lowerCase ? name.toLower() : name));
        if (!status.ok)
            return {false, status.message, 0, files};
        ++files;
    }
    return {true, {}, 1, files};
}

} // namespace

QList<AirportRecord> airportsOf(const QByteArray &directory)
{
    static const QRegularExpression code(QStringLiteral("^[A-Z0-9]{4}$"));
    QList<AirportRecord> airports;
    for (const airportdata::StoredRecord &stored : airportdata::readAllRecords(directory)) {
        if (code.match(stored.record.code()).hasMatch())
            airports.append(stored.record);
    }
    return airports;
}

LibraryResult writeChartLibrary(const QList<AirportRecord> &airports, const QString &programFolder,
                                const LibraryOptions &options)
{
    const QDir library(QDir(programFolder).filePath(QStringLiteral("Airports")));
    if (!library.mkpath(QStringLiteral(".")))
        return {false, library.path() + QStringLiteral(": cannot be created"), 0, 0};

    LibraryResult total{true, {}, 0, 0};
    QSet<QString> written;
    for (const AirportRecord &airport : airports) {
        if (written.contains(airport.code()))
            continue;
        written.insert(airport.code());
        const LibraryResult result = writeAirport(airport, library, options);
        total.files += result.files;
        total.airports += result.airports;
        if (!result.ok)
            return {false, result.message, total.airports, total.files};
    }
    return total;
}

} // namespace chartgen
