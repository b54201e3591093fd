// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the import tool's readers of outside files with arbitrary bytes: the first byte picks the reader,
// even for CSV (as OurAirports and the FAA's NASR files are read), odd for the d-TPP metafile. The readers
// must never crash or hang, must report where they stopped within the input, and must keep their promises
// about what they return.

#include "CsvTable.h"
#include "DtppMetafile.h"
#include "ImportSummary.h"

#include <QRegularExpression>
#include <QSet>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace import;

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "import fuzzer: %s\n", what);
        std::abort();
    }
}

void readCsv(const QByteArray &bytes)
{
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
    qsizetype lastLine = 0;
    int columns = 0;
    const Status status = readTable(
        QStringLiteral("fuzz.csv"), bytes,
        [&](CsvHeader &header) {
            header.optional("id");
            for (columns = 0; !header.columnName(columns).isEmpty(); ++columns) {
            }
            return Status();
        },
        [&](const CsvRecord &record) {
            require(record.consumed() <= bytes.size(), "a row past the end of the input");
            QString text;
            std::optional<double> number;
            for (int column = 0; column < columns; ++column) {
                record.utf8(column, text);
                record.number(column, number);
            }
            require(record.line() > lastLine && record.line() <= lines,
                    "row lines out of order or past the end");
            lastLine = record.line();
            return Status();
        });
    require(status.ok || !status.message.isEmpty(), "a failure without a message");
}

void readMetafile(const QByteArray &bytes)
{
    static const QRegularExpression code(QStringLiteral("^[A-Z0-9]{4}$"));
    ImportSummary summary;
    DtppMetafile metafile;
    const Status status = metafile.read(QStringLiteral("fuzz.xml"), bytes, summary);
    if (!status.ok) {
        require(status.message.startsWith(QStringLiteral("fuzz.xml")), "a failure that names no file");
        return;
    }
    QSet<QString> codes;
    for (const DtppAirport &airport : metafile.airports()) {
        require(code.match(airport.code).hasMatch(), "an airport without an ICAO code");
        require(!codes.contains(airport.code), "an airport twice");
        codes.insert(airport.code);
        QSet<QString> charts;
        for (const DtppChart &chart : airport.charts) {
            const QString key = chart.chartCode.toUpper() + u'/' + chart.pdfName.toUpper();
            require(!charts.contains(key), "a chart PDF twice");
            charts.insert(key);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (data[0] % 2 == 0)
        readCsv(input);
    else
        readMetafile(input);
    return 0;
}
