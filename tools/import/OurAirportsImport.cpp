// SPDX-License-Identifier: GPL-3.0-or-later
#include "OurAirportsImport.h"

#include "DirectoryMerge.h"
#include "IlsTable.h"
#include "ImportSummary.h"
#include "LibraryWriter.h"
#include "OurAirportsReader.h"
#include "ProgressLine.h"
#include "RecordBuilder.h"
#include "SourceFile.h"

#include <QFileInfo>

#include <optional>

namespace import {

namespace {

// Reads the input files into memory.
struct Sources {
    QByteArray airports;
    QByteArray runways;
    QByteArray ils;

    Status read(const OurAirportsOptions &options)
    {
        for (const Status &status :
             {readSourceFile(options.airportsFile, airports), readSourceFile(options.runwaysFile, runways),
              options.ilsFile.isEmpty() ? Status() : readSourceFile(options.ilsFile, ils)}) {
            if (!status.ok)
                return status;
        }
        return {};
    }
};

const QString kAirportsWritten = QStringLiteral("airports written");
const QString kReplaced = QStringLiteral("old records replaced (same code)");
const QString kKept = QStringLiteral("old records kept (other codes)");

// The counts the summary shows first, in this order, zero or not.
void registerCounts(ImportSummary &summary, bool withIls)
{
    for (const QString &what : {kAirportsWritten, kReplaced, kKept, kRunwaysWritten})
        summary.count(what, 0);
    if (withIls)
        summary.count(kLocalizersFilled, 0);
    summary.count(kTextsChanged, 0);
}

} // namespace

Status importOurAirports(const OurAirportsOptions &options, ImportSummary &summary, ProgressLine &progress)
{
    Sources sources;
    if (Status read = sources.read(options); !read.ok)
        return read;
    const bool withNavData = !options.navData.file.isEmpty();
    registerCounts(summary, !options.ilsFile.isEmpty() || withNavData);
    const qint64 total = sources.airports.size() + sources.runways.size();

    std::optional<IlsTable> ils;
    if (!options.ilsFile.isEmpty()) {
        ils.emplace();
        if (Status read = ils->read(options.ilsFile, sources.ils); !read.ok)
            return read;
    }
    std::optional<LocalizerTable> navData;
    if (withNavData) {
        navData.emplace();
        if (Status read = navData->load(options.navData, summary); !read.ok)
            return read;
    }
    QString label = QFileInfo(options.airportsFile).fileName() + QStringLiteral(" rows");
    qint64 before = 0;
    OurAirportsReader reader(summary, [&](qsizetype rows, qsizetype bytes) {
        progress.update(label, rows, before + bytes, total);
    });
    if (Status read = reader.readAirports(options.airportsFile, sources.airports); !read.ok)
        return read;
    label = QFileInfo(options.runwaysFile).fileName() + QStringLiteral(" rows");
    before = sources.airports.size();
    if (Status read = reader.readRunways(options.runwaysFile, sources.runways); !read.ok)
        return read;
    progress.finish();

    RecordBuilder builder({ils ? &*ils : nullptr, navData ? &*navData : nullptr}, summary);
    QList<airportdata::AirportRecord> records;
    QSet<QString> codes;
    for (const AirportSource &airport : reader.airports()) {
        records.append(builder.build(airport));
        codes.insert(airport.code);
    }
    if (navData)
        navData->summarise(codes, QStringLiteral("airports of the navigation data not imported"), summary);

    LibraryWriter library(options.libraryFolder);
    if (Status opened = library.open(); !opened.ok)
        return opened;
    const MergedDirectory merged = mergeDirectory(library.oldDirectory(), records, summary);
    if (Status written = library.replaceDirectory(merged.bytes); !written.ok)
        return written;
    summary.count(kAirportsWritten, merged.written);
    summary.count(kReplaced, merged.replaced);
    summary.count(kKept, merged.kept);
    return {};
}

} // namespace import
