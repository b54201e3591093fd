// SPDX-License-Identifier: GPL-3.0-or-later
#include "DtppImport.h"

#include "ChartCategory.h"
#include "ChartCodes.h"
#include "ChartJoiner.h"
#include "ChartOrder.h"
#include "DirectoryMerge.h"
#include "DirectoryRecords.h"
#include "DirectoryText.h"
#include "DtppMetafile.h"
#include "ImportSummary.h"
#include "LibraryWriter.h"
#include "ProgressLine.h"
#include "SourceFile.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace import {

namespace {

const QString kChartFiles = QStringLiteral("chart files written");
const QString kCharts = QStringLiteral("charts joined into them");
const QString kPages = QStringLiteral("pages");
const QString kRecords = QStringLiteral("directory records added (name and city only)");

Status readMetafile(const DtppOptions &options, DtppMetafile &metafile, ImportSummary &summary)
{
    QByteArray bytes;
    if (Status read = readSourceFile(options.metafile, bytes); !read.ok)
        return read;
    return metafile.read(options.metafile, bytes, summary);
}

// The airports asked for: every one when no code is named, else the named ones, each of which must be in the
// metafile.
Status chooseAirports(const QList<DtppAirport> &all, const QStringList &codes, QList<DtppAirport> &chosen)
{
    if (codes.isEmpty()) {
        chosen = all;
        return {};
    }
    static const QRegularExpression code(QStringLiteral("^[A-Z0-9]{4}$"));
    QSet<QString> wanted;
    for (const QString &named : codes) {
        if (!code.match(named.toUpper()).hasMatch())
            return Status::failure(QStringLiteral("--airport %1: not a four-character ICAO code").arg(named));
        wanted.insert(named.toUpper());
    }
    for (const DtppAirport &airport : all) {
        if (wanted.remove(airport.code))
            chosen.append(airport);
    }
    if (!wanted.isEmpty()) {
        QStringList missing(wanted.begin(), wanted.end());
        missing.sort();
        return Status::failure(QStringLiteral("--airport %1: not in the metafile").arg(missing.join(u", ")));
    }
    return {};
}

// One airport's chart files to write: per category, the charts in the order of the joined file with the
// paths of their PDF files.
struct AirportCharts {
    const DtppAirport *airport = nullptr;
    std::map<int, QList<ChartPages>> categories;
};

class ChartLibraryImport {
public:
    ChartLibraryImport(const DtppOptions &options, ImportSummary &summary, LibraryWriter &library)
        : m_options(options)
        , m_summary(summary)
        , m_library(library)
    {
        // Pipes and devices too, so that one named by the metafile is reported for what it is.
        const QDir folder(options.pdfFolder);
        for (const QString &name : folder.entryList(QDir::Files | QDir::System | QDir::Hidden))
            m_pdfFiles.insert(name.toUpper(), folder.filePath(name));
    }

    // What the airport has to write: the categories with at least one chart file there, less those the
    // library leaves alone; nothing when none is left. Charts of other codes and missing files are reported.
    std::optional<AirportCharts> plan(const DtppAirport &airport)
    {
        std::map<int, QList<DtppChart>> byCategory;
        for (const DtppChart &chart : airport.charts) {
            const int category = categoryOfChartCode(chart.chartCode);
            if (category < 0)
                m_summary.skip(QStringLiteral("charts of other kinds (chart code %1)").arg(chart.chartCode));
            else
                byCategory[category].append(chart);
        }
        if (const QString obstacle = m_library.charts().obstacle(airport.code); !obstacle.isEmpty()) {
            m_summary.problem(obstacle);
            return std::nullopt;
        }
        AirportCharts planned{&airport, {}};
        for (const auto &[category, charts] : byCategory) {
            const QList<ChartPages> pages = chartPages(airport.code, charts);
            const bool anyFile = std::any_of(pages.begin(), pages.end(),
                                             [](const ChartPages &chart) { return !chart.files.isEmpty(); });
            const QString obstacle = m_library.charts().obstacle(airport.code, category);
            if (!obstacle.isEmpty())
                m_summary.problem(obstacle);
            else if (anyFile)
                planned.categories.emplace(category, pages);
        }
        if (planned.categories.empty())
            return std::nullopt;
        return planned;
    }

    // Joins the airport's charts and stages them in the library; every ChartFolderWriter::CommitEvery
    // airports, and at commit(), the staged ones are put in place.
    Status write(const AirportCharts &planned)
    {
        const QString &code = planned.airport->code;
        QList<ChartFile> files;
        Written written{code, 0, 0, 0};
        for (const auto &[category, chartPages] : planned.categories) {
            const JoinedFile joined = joinCharts(chartPages);
            for (const QString &problem : joined.problems)
                m_summary.problem(code + QStringLiteral(": ") + problem);
            if (!joined.ok) {
                m_summary.problem(
                    QStringLiteral("%1: %2 not written: %3")
                        .arg(code, airportdata::ChartCategories[category].captionText(), joined.message));
                continue;
            }
            files.append({category, joined.pdf});
            written.charts += joined.charts;
            written.pages += joined.pages;
        }
        if (files.isEmpty())
            return {};
        written.files = files.size();
        if (Status status = m_library.charts().stage(code, files); !status.ok)
            return status;
        m_staged.append(written);
        return m_staged.size() >= ChartFolderWriter::CommitEvery ? commit() : Status();
    }

    Status commit()
    {
        if (Status status = m_library.charts().commit(); !status.ok)
            return status;
        for (const Written &written : std::exchange(m_staged, {})) {
            m_written.insert(written.code);
            m_summary.count(kChartFiles, written.files);
            m_summary.count(kCharts, written.charts);
            m_summary.count(kPages, written.pages);
        }
        return {};
    }

    // The airports whose charts are in place.
    const QSet<QString> &written() const { return m_written; }

private:
    // The charts in the order of the joined file, with the paths of their PDF files; missing ones reported.
    QList<ChartPages> chartPages(const QString &code, const QList<DtppChart> &charts)
    {
        QList<ChartPages> pages;
        for (const JoinedChart &chart : orderCharts(charts)) {
            ChartPages chartPages{chart.title, {}};
            for (const QString &pdfName : chart.pdfNames) {
                const QString path = m_pdfFiles.value(pdfName.toUpper());
                if (path.isEmpty())
                    m_summary.problem(
                        QStringLiteral("%1: %2: not in %3").arg(code, pdfName, m_options.pdfFolder));
                else
                    chartPages.files.append(path);
            }
            pages.append(chartPages);
        }
        return pages;
    }

    // What one airport's staged folder holds, counted once it is in place.
    struct Written {
        QString code;
        qsizetype files, charts, pages;
    };

    const DtppOptions &m_options;
    ImportSummary &m_summary;
    LibraryWriter &m_library;
    QHash<QString, QString> m_pdfFiles; // upper-case name to path
    QList<Written> m_staged;
    QSet<QString> m_written;
};

// Records for the airports that have none in the directory yet.
QList<airportdata::AirportRecord> missingRecords(const QByteArray &directory,
                                                 const QList<AirportCharts> &airports, ImportSummary &summary)
{
    QSet<QString> present;
    for (const airportdata::StoredRecord &stored : airportdata::readAllRecords(directory))
        present.insert(stored.record.code());
    QList<airportdata::AirportRecord> records;
    for (const AirportCharts &planned : airports) {
        const DtppAirport &airport = *planned.airport;
        if (present.contains(airport.code))
            continue;
        present.insert(airport.code);
        airportdata::AirportRecord::Header header;
        header.country = QStringLiteral("US");
        header.name = airport.name;
        header.municipality = airport.city;
        summary.count(kTextsChanged, airportdata::makeDirectorySafe(header.name) +
                                         airportdata::makeDirectorySafe(header.municipality));
        records.append(airportdata::AirportRecord::compose(airport.code, header, {}));
    }
    return records;
}

// The records the import adds to the directory: those of the airports that get charts and have none yet.
// They go in before any chart is written, so that the program never meets a chart folder without its
// airport's record; those of airports that got no chart in the end (none of their files could be read) are
// taken out again once the charts are written.
class AddedRecords {
public:
    AddedRecords(LibraryWriter &library, ImportSummary &summary)
        : m_library(library)
        , m_summary(summary)
    {}

    Status add(const QList<AirportCharts> &planned)
    {
        m_records = missingRecords(m_library.oldDirectory(), planned, m_summary);
        return write();
    }

    Status keepOnly(const QSet<QString> &codes)
    {
        const qsizetype before = m_records.size();
        m_records.removeIf(
            [&](const airportdata::AirportRecord &record) { return !codes.contains(record.code()); });
        return m_records.size() == before ? Status() : write();
    }

    qsizetype count() const { return m_records.size(); }

private:
    Status write()
    {
        if (m_records.isEmpty() && !m_written)
            return {};
        m_written = true;
        return m_library.replaceDirectory(
            mergeDirectory(m_library.oldDirectory(), m_records, m_summary).bytes);
    }

    LibraryWriter &m_library;
    ImportSummary &m_summary;
    QList<airportdata::AirportRecord> m_records;
    bool m_written = false;
};

} // namespace

Status importDtpp(const DtppOptions &options, ImportSummary &summary, ProgressLine &progress)
{
    if (Status folder = checkFolder(options.pdfFolder); !folder.ok)
        return folder;
    DtppMetafile metafile;
    if (Status read = readMetafile(options, metafile, summary); !read.ok)
        return read;
    QList<DtppAirport> airports;
    if (Status chosen = chooseAirports(metafile.airports(), options.airports, airports); !chosen.ok)
        return chosen;
    for (const QString &what : {kChartFiles, kCharts, kPages, kRecords, kTextsChanged})
        summary.count(what, 0);

    LibraryWriter library(options.libraryFolder);
    if (Status opened = library.open(); !opened.ok)
        return opened;
    if (Status prepared = library.charts().prepare(); !prepared.ok)
        return prepared;
    ChartLibraryImport charts(options, summary, library);
    QList<AirportCharts> planned;
    for (const DtppAirport &airport : airports) {
        if (std::optional<AirportCharts> airportCharts = charts.plan(airport))
            planned.append(*airportCharts);
    }
    AddedRecords records(library, summary);
    if (Status added = records.add(planned); !added.ok)
        return added;
    Status status;
    for (qsizetype done = 0; status.ok && done < planned.size(); ++done) {
        progress.update(QStringLiteral("airports"), done, done, planned.size());
        status = charts.write(planned[done]);
    }
    if (status.ok)
        status = charts.commit();
    progress.finish();
    if (!status.ok) {
        return Status::failure(status.message +
                               QStringLiteral("\nEvery airport has either all its old charts or all "
                                              "its new ones: run the same import again to "
                                              "complete it."));
    }
    if (Status kept = records.keepOnly(charts.written()); !kept.ok)
        return kept;
    summary.count(kRecords, records.count());
    return {};
}

} // namespace import
