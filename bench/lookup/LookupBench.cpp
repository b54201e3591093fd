// SPDX-License-Identifier: GPL-3.0-or-later
// Lookups in generated directories of 1,000, 10,000 and 100,000 records: the first record, the last record
// and a code that is not there. Throughput counts the bytes up to the end of the record found, or the whole
// file for a miss. `lookup_bench --write-directories=DIR` writes the three directories into DIR and stops, to
// compare the figures with other tools reading the same files.

#include "DirectoryGenerator.h"

#include "AirportDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::array kRecordCounts{1000, 10000, 100000};

QString directoryName(int records)
{
    return QStringLiteral("airports-%1.txt").arg(records);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

void benchLookup(benchmark::State &state, const QString &path, const QString &code, qsizetype bytesScanned)
{
    const airportdata::LookupStatus expected =
        code == missingCode() ? airportdata::LookupStatus::NotFound : airportdata::LookupStatus::Found;
    for (auto _ : state) {
        const airportdata::LookupResult result = airportdata::LookUpAirport(path, code);
        if (result.status != expected) {
            state.SkipWithError("unexpected lookup result");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * bytesScanned);
}

bool registerBenchmarks(const QTemporaryDir &folder)
{
    for (int records : kRecordCounts) {
        const GeneratedDirectory directory = generateDirectory(records);
        const QString path = folder.filePath(directoryName(records));
        if (!writeFile(path, directory.bytes)) {
            return false;
        }
        const qsizetype size = directory.bytes.size();
        const std::string suffix = "/" + std::to_string(records);
        benchmark::RegisterBenchmark(("lookup/first" + suffix).c_str(), benchLookup, path,
                                     directory.firstCode, directory.firstRecordEnd);
        benchmark::RegisterBenchmark(("lookup/last" + suffix).c_str(), benchLookup, path, directory.lastCode,
                                     size);
        benchmark::RegisterBenchmark(("lookup/miss" + suffix).c_str(), benchLookup, path, missingCode(),
                                     size);
    }
    return true;
}

int writeDirectories(const QString &folder)
{
    for (int records : kRecordCounts) {
        if (!QDir().mkpath(folder) ||
            !writeFile(QDir(folder).filePath(directoryName(records)), generateDirectory(records).bytes)) {
            std::fprintf(stderr, "could not write the directories into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    constexpr const char *kWriteOption = "--write-directories=";
    if (argc == 2 && std::strncmp(argv[1], kWriteOption, std::strlen(kWriteOption)) == 0) {
        return writeDirectories(QString::fromLocal8Bit(argv[1] + std::strlen(kWriteOption)));
    }
    benchmark::Initialize(&argc, argv);
    const QTemporaryDir folder;
    if (!folder.isValid() || !registerBenchmarks(folder)) {
        std::fprintf(stderr, "could not write the generated directories\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
