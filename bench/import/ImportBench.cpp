// SPDX-License-Identifier: GPL-3.0-or-later
// Importing OurAirports-sized files (80,000 airports, 47,000 runways) into a library: into an empty one, over
// a library that already holds the same airports (which replaces every record), and with the world's
// navigation data (--navdata). With VARNELOX_REAL_DATA naming a folder of OurAirports' airports.csv and
// runways.csv and the simulators' nav.dat.gz, the same with the real files, and the navdata command alone
// over the real library. peak_rss_MiB is the process's high-water mark so far.

#include "OurAirportsGenerator.h"

#include "ImportSummary.h"
#include "NavDataImport.h"
#include "OurAirportsImport.h"
#include "ProgressLine.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

constexpr int kAirports = 80000;
constexpr int kRunways = 47000;
const QString kMagneticFolder = QStringLiteral(VARNELOX_MAGNETIC_DIR);

struct Inputs {
    QString airports;
    QString runways;
    QString navData; // empty for none
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

double peakMebibytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

import::Status importInto(const Inputs &inputs, const QString &library,
                          import::ImportSummary &summary){import::ProgressLine progress(nullptr, false);
return import::importOurAirports(
    {inputs.airports, inputs.runways, {}, library, {inputs.navData, kMagneticFolder, QDate::currentDate()}},
    summary, progress);
} // namespace

void benchImport(benchmark::State &state, const Inputs &inputs, bool overExisting)
{
    QTemporaryDir folder;
    const QString library = folder.filePath(QStringLiteral("library"));
    import::ImportSummary summary;
    if (overExisting)
        importInto(inputs, library, summary);
    for (auto _ : state) {
        state.PauseTiming();
        if (!overExisting)
            QDir(library).removeRecursively();
        summary = {};
        state.ResumeTiming();
        if (const import::Status status = importInto(inputs, library, summary); !status.ok) {
            state.SkipWithError(qPrintable(status.message));
            break;
        }
    }
    state.counters["records"] = double(summary.counted(QStringLiteral("airports written")));
    state.counters["rows_with_ils"] =
        double(summary.counted(QStringLiteral("runway rows with ILS frequency and course")));
    state.counters["peak_rss_MiB"] = peakMebibytes();
}

// The navdata command alone, over a library imported from OurAirports once.
void benchNavData(benchmark::State &state, const Inputs &inputs)
{
    QTemporaryDir folder;
    const QString library = folder.filePath(QStringLiteral("library"));
    import::ImportSummary summary;
    importInto({inputs.airports, inputs.runways, {}}, library, summary);
    for (auto _ : state) {
        summary = {};
        const import::Status status = import::importNavData(
            {{inputs.navData, kMagneticFolder, QDate::currentDate()}, library}, summary);
        if (!status.ok) {
            state.SkipWithError(qPrintable(status.message));
            break;
        }
    }
    state.counters["rows_with_ils"] =
        double(summary.counted(QStringLiteral("runway rows with ILS frequency and course")));
    state.counters["peak_rss_MiB"] = peakMebibytes();
}

// The real files in VARNELOX_REAL_DATA, or nothing when one is missing.
std::optional<Inputs> realInputs()
{
    const QDir folder(qEnvironmentVariable("VARNELOX_REAL_DATA"));
    const Inputs inputs{folder.filePath(QStringLiteral("airports.csv")),
                        folder.filePath(QStringLiteral("runways.csv")),
                        folder.filePath(QStringLiteral("nav.dat.gz"))};
    for (const QString &file : {inputs.airports, inputs.runways, inputs.navData}) {
        if (qEnvironmentVariableIsEmpty("VARNELOX_REAL_DATA") || !QFileInfo(file).isFile())
            return std::nullopt;
    }
    return inputs;
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    QTemporaryDir sources;
    const GeneratedSources generated = generateSources(kAirports, kRunways);
    const Inputs inputs{sources.filePath(QStringLiteral("airports.csv")),
                        sources.filePath(QStringLiteral("runways.csv")),
                        sources.filePath(QStringLiteral("nav.dat"))};
    if (!writeFile(inputs.airports, generated.airports) || !writeFile(inputs.runways, generated.runways) ||
        !writeFile(inputs.navData, generated.navData)) {
        return 1;
    }
    const Inputs withoutNavData{inputs.airports, inputs.runways, {}};
    const auto timed = [](benchmark::internal::Benchmark *benchmark) {
        benchmark->Unit(benchmark::kMillisecond)->Iterations(5);
    };
    timed(benchmark::RegisterBenchmark("import/ourairports/empty", benchImport, withoutNavData, false));
    timed(
        benchmark::RegisterBenchmark("import/ourairports/over-existing", benchImport, withoutNavData, true));
    timed(benchmark::RegisterBenchmark("import/ourairports+navdata/generated", benchImport, inputs, false));
    if (const std::optional<Inputs> real = realInputs()) {
        timed(benchmark::RegisterBenchmark("import/ourairports+navdata/real", benchImport, *real, false));
        timed(benchmark::RegisterBenchmark("import/navdata/real", benchNavData, *real));
    } else {
        qInfo("no real files: name a folder holding airports.csv, runways.csv and nav.dat.gz in "
              "VARNELOX_REAL_DATA to time the whole world's import");
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
