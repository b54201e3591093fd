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

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <map>

namespace import {

namespace {

const QString kChartFiles = QStringLiteral("chart files written");
const QString kCharts = QStringLiteral("charts joined into them");
const QString kPages = QStringLiteral("pages");
const QString kRecords = QStringLiteral("directory records added (name and city only)");

Status readMetafile(const DtppOptions &options, DtppMetafile &metafile, ImportSummary &summary)
{
    QFile file(options.metafile);
    if (!QFileInfo(options.metafile).isFile())
        return Status::failure(options.metafile + QStringLiteral(": no such file"));
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(options.metafile + QStringLiteral(": cannot be read: ") + file.errorString());
    return metafile.read(options.metafile, file, summary);
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

class ChartLibraryImport {
public:
    ChartLibraryImport(const DtppOptions &options, ImportSummary &summary, LibraryWriter &library)
        : m_options(options)
        , m_summary(summary)
        , m_library(library)
    {
        const QDir folder(options.pdfFolder);
        for (const QString &name : folder.entryList(QDir::Files))
            m_pdfFiles.insert(name.toUpper(), folder.filePath(name));
    }

    // Writes the chart files of one airport; written tells whether at least one was.
    Status writeAirport(const DtppAirport &airport, bool &written)
    {
        std::map<int, QList<DtppChart>> byCategory;
        for (const DtppChart &chart : airport.charts) {
            const int category = categoryOfChartCode(chart.chartCode);
            if (category < 0)
                m_summary.skip(QStringLiteral("charts of other kinds (chart code %1)").arg(chart.chartCode));
            else
                byCategory[category].append(chart);
        }
        written = false;
        for (const auto &[category, charts] : byCategory) {
            bool categoryWritten = false;
            if (Status status = writeCategory(airport.code, category, charts, categoryWritten); !status.ok)
                return status;
            written = written || categoryWritten;
        }
        return {};
    }

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

    Status writeCategory(const QString &code, int category, const QList<DtppChart> &charts, bool &written)
    {
        const JoinedFile joined = joinCharts(chartPages(code, charts));
        for (const QString &problem : joined.problems)
            m_summary.problem(code + QStringLiteral(": ") + problem);
        written = joined.ok;
        if (!joined.ok) {
            m_summary.problem(
                QStringLiteral("%1: %2 not written: %3")
                    .arg(code, airportdata::ChartCategories[category].captionText(), joined.message));
            return {};
        }
        if (Status status = m_library.writeChart(code, category, joined.pdf); !status.ok)
            return status;
        m_summary.count(kChartFiles);
        m_summary.count(kCharts, joined.charts);
        m_summary.count(kPages, joined.pages);
        return {};
    }

    const DtppOptions &m_options;
    ImportSummary &m_summary;
    LibraryWriter &m_library;
    QHash<QString, QString> m_pdfFiles; // upper-case name to path
};

// Records for the airports that have none in the directory yet.
QList<airportdata::AirportRecord> missingRecords(const QByteArray &directory,
                                                 const QList<DtppAirport> &airports, ImportSummary &summary)
{
    QSet<QString> present;
    for (const airportdata::StoredRecord &stored : airportdata::readAllRecords(directory))
        present.insert(stored.record.code());
    QList<airportdata::AirportRecord> records;
    for (const DtppAirport &airport : airports) {
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

} // namespace

Status importDtpp(const DtppOptions &options, ImportSummary &summary, ProgressLine &progress)
{
    if (!QFileInfo(options.pdfFolder).isDir())
        return Status::failure(options.pdfFolder + QStringLiteral(": no such folder"));
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
    ChartLibraryImport charts(options, summary, library);
    QList<DtppAirport> withCharts;
    for (qsizetype done = 0; done < airports.size(); ++done) {
        progress.update(QStringLiteral("airports"), done, done, airports.size());
        bool written = false;
        if (Status status = charts.writeAirport(airports[done], written); !status.ok)
            return status;
        if (written)
            withCharts.append(airports[done]);
    }
    progress.finish();

    const QList<airportdata::AirportRecord> records =
        missingRecords(library.oldDirectory(), withCharts, summary);
    if (records.isEmpty())
        return {};
    if (Status written = library.replaceDirectory(mergeDirectory(library.oldDirectory(), records).bytes);
        !written.ok)
        return written;
    summary.count(kRecords, records.size());
    return {};
}

} // namespace import
