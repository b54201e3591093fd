// Importing OurAirports-sized files (80,000 airports, 47,000 runways) into a library: into an empty one, and
// over a library that already holds the same airports, which replaces every record.

#include "OurAirportsGenerator.h"

#include "ImportSummary.h"
#include "OurAirportsImport.h"
#include "ProgressLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kAirports = 80000;
constexpr int kRunways = 47000;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

void benchImport(benchmark::State &state, const QTemporaryDir &sources, bool overExisting, int records)
{
    QTemporaryDir folder;
    const import::OurAirportsOptions options{sources.filePath(QStringLiteral("airports.csv")),
                                             sources.filePath(QStringLiteral("runways.csv")),
                                             {},
                                             folder.filePath(QStringLiteral("library"))};
    if (overExisting) {
        import::ImportSummary summary;
        import::ProgressLine progress(nullptr, false);
        import::importOurAirports(options, summary, progress);
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (!overExisting)
            QDir(options.libraryFolder).removeRecursively();
        import::ImportSummary summary;
        import::ProgressLine progress(nullptr, false);
        state.ResumeTiming();
        const import::Status status = import::importOurAirports(options, summary, progress);
        if (!status.ok || summary.counted(QStringLiteral("airports written")) != records) {
            state.SkipWithError(qPrintable(status.message));
            break;
        }
    }
    state.counters["airports"] = kAirports;
    state.counters["runways"] = kRunways;
    state.counters["records"] = records;
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    QTemporaryDir sources;
    const GeneratedSources generated = generateSources(kAirports, kRunways);
    if (!writeFile(sources.filePath(QStringLiteral("airports.csv")), generated.airports) ||
        !writeFile(sources.filePath(QStringLiteral("runways.csv")), generated.runways)) {
        return 1;
    }
    for (const bool overExisting : {false, true}) {
        benchmark::RegisterBenchmark(
            overExisting ? "import/ourairports/over-existing" : "import/ourairports/empty", benchImport,
            std::cref(sources), overExisting, generated.airportsWithCode)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
