// SPDX-License-Identifier: GPL-3.0-or-later
// The airports nearest a place in a generated directory of 80,000 airports: the first search, which reads
// the codes and positions of the whole file, and the searches after it. Goals: 50 ms for the first, 5 ms
// for each after.

#include "DirectoryGenerator.h"

#include "NearestAirports.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int Airports = 80000;
constexpr int ListLength = 10;

// Places spread over the generated directory's quarter of the earth (north and east).
airportdata::GeoPosition place(std::int64_t iteration)
{
    return *airportdata::GeoPosition::fromDegrees(double(iteration * 7 % 89), double(iteration * 13 % 179));
}

void checkAnswer(benchmark::State &state, const airportdata::NearestAirports::Answer &answer)
{
    if (answer.airports.size() != ListLength || !answer.error.isEmpty() || answer.airports[0].name.isEmpty())
        state.SkipWithError("the nearest airports were not found");
}

void benchFirstSearch(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
        airportdata::NearestAirports nearest(path);
        const airportdata::NearestAirports::Answer answer =
            nearest.nearest(place(state.iterations()), ListLength);
        checkAnswer(state, answer);
        benchmark::DoNotOptimize(answer);
    }
}

void benchLaterSearch(benchmark::State &state, const QString &path)
{
    airportdata::NearestAirports nearest(path);
    nearest.nearest(place(0), ListLength);
    for (auto _ : state) {
        const airportdata::NearestAirports::Answer answer =
            nearest.nearest(place(state.iterations()), ListLength);
        checkAnswer(state, answer);
        benchmark::DoNotOptimize(answer);
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("airports.txt"));
    QFile file(path);
    const QByteArray bytes = generateDirectory(Airports).bytes;
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.flush()) {
        std::fprintf(stderr, "could not write the generated directory\n");
        return 1;
    }
    file.close();
    std::printf("directory of %d airports, %lld bytes\n", Airports, static_cast<long long>(bytes.size()));
    benchmark::RegisterBenchmark("nearest/first/80000", benchFirstSearch, path)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("nearest/after/80000", benchLaterSearch, path)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
