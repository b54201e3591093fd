// SPDX-License-Identifier: GPL-3.0-or-later
// wmmgen: writes the World Magnetic Model in the form GeographicLib reads it (a metadata file NAME.wmm and
// its coefficients NAME.wmm.cof) from the coefficient file NOAA publishes (WMM.COF).
//
//   wmmgen WMM.COF OUTPUT_FOLDER

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kDegree = 12;
// The model's reference radius in metres, the years each release holds for and the heights above the
// ellipsoid it is made for, in metres, as NOAA documents them.
constexpr long kRadius = 6371200;
constexpr int kYearsValid = 5;
constexpr long kMinHeight = -1000;
constexpr long kMaxHeight = 850000;

// Gauss coefficients in nT, and their yearly change, by degree n and order m.
struct Coefficients {
    double epoch = 0;
    std::string release; // "WMM-2025"
    std::string date;    // "11/13/2024"
    double g[kDegree + 1][kDegree + 1] = {};
    double h[kDegree + 1][kDegree + 1] = {};
    double gDot[kDegree + 1][kDegree + 1] = {};
    double hDot[kDegree + 1][kDegree + 1] = {};
};

bool fail(const std::string &message)
{
    std::cerr << "wmmgen: " << message << "\n";
    return false;
}

bool readCoefficients(const std::string &path, Coefficients &c)
{
    std::ifstream in(path);
    std::string line;
    if (!std::getline(in, line))
        return fail(path + ": cannot be read");
    if (!(std::istringstream(line) >> c.epoch >> c.release >> c.date) || c.release.rfind("WMM-", 0) != 0)
        return fail(path + ", line 1: no epoch, model and date");
    int count = 0;
    for (int number = 2; std::getline(in, line); ++number) {
        if (line.rfind("9999", 0) == 0)
            break;
        int n = 0, m = 0;
        double g = 0, h = 0, gDot = 0, hDot = 0;
        if (!(std::istringstream(line) >> n >> m >> g >> h >> gDot >> hDot) || n < 1 || n > kDegree ||
            m < 0 || m > n)
            return fail(path + ", line " + std::to_string(number) + ": not a coefficient line");
        c.g[n][m] = g;
        c.h[n][m] = h;
        c.gDot[n][m] = gDot;
        c.hDot[n][m] = hDot;
        ++count;
    }
    const int expected = (kDegree + 1) * (kDegree + 2) / 2 - 1;
    if (count != expected)
        return fail(path + ": " + std::to_string(count) + " coefficient lines, not " +
                    std::to_string(expected));
    return true;
}

template <typename T> void writeLittleEndian(std::ofstream &out, T value)
{
    auto bits = std::bit_cast<std::conditional_t<sizeof(T) == 8, std::uint64_t, std::uint32_t>>(value);
    for (std::size_t byte = 0; byte < sizeof(T); ++byte, bits >>= 8)
        out.put(char(bits & 0xff));
}

// One spherical harmonic sum as GeographicLib stores it: degree and order, then the cosine terms and the
// sine terms (those of order 0 left out), each in column-major order: order by order, degree by degree.
void writeSum(std::ofstream &out, const double (&cosine)[kDegree + 1][kDegree + 1],
              const double (&sine)[kDegree + 1][kDegree + 1])
{
    writeLittleEndian<std::int32_t>(out, kDegree);
    writeLittleEndian<std::int32_t>(out, kDegree);
    for (int m = 0; m <= kDegree; ++m) {
        for (int n = m; n <= kDegree; ++n)
            writeLittleEndian(out, cosine[n][m]);
    }
    for (int m = 1; m <= kDegree; ++m) {
        for (int n = m; n <= kDegree; ++n)
            writeLittleEndian(out, sine[n][m]);
    }
}

// "11/13/2024" as "2024-11-13".
std::string isoDate(const std::string &date)
{
    int month = 0, day = 0, year = 0;
    if (std::sscanf(date.c_str(), "%d/%d/%d", &month, &day, &year) != 3)
        return date;
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

bool writeModel(const Coefficients &c, const std::filesystem::path &folder)
{
    const std::string year = c.release.substr(4);
    const std::string name = "wmm" + year;
    const std::string id = "WMM" + year + "A";
    if (id.size() != 8)
        return fail("model " + c.release + ": no eight-letter identifier");
    std::filesystem::create_directories(folder);

    std::ofstream metadata(folder / (name + ".wmm"));
    metadata << "WMMF-1\n"
             << "# World Magnetic Model " << year << " (NOAA, public domain),\n"
             << "# converted from " << c.release << " WMM.COF of " << c.date << ".\n"
             << "Name            " << name << "\n"
             << "Description     World Magnetic Model " << year << "\n"
             << "URL             https://www.ncei.noaa.gov/products/world-magnetic-model\n"
             << "Publisher       National Oceanic and Atmospheric Administration\n"
             << "ReleaseDate     " << isoDate(c.date) << "\n"
             << "Radius          " << kRadius << "\n"
             << "NumModels       1\n"
             << "Epoch           " << c.epoch << "\n"
             << "DeltaEpoch      " << kYearsValid << "\n"
             << "MinTime         " << c.epoch << "\n"
             << "MaxTime         " << c.epoch + kYearsValid << "\n"
             << "MinHeight       " << kMinHeight << "\n"
             << "MaxHeight       " << kMaxHeight << "\n"
             << "ID              " << id << "\n";

    // The field at the epoch, then its yearly change.
    std::ofstream coefficients(folder / (name + ".wmm.cof"), std::ios::binary);
    coefficients.write(id.data(), std::streamsize(id.size()));
    writeSum(coefficients, c.g, c.h);
    writeSum(coefficients, c.gDot, c.hDot);
    if (!metadata.flush() || !coefficients.flush())
        return fail(folder.string() + ": cannot be written");
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::cerr << "usage: wmmgen WMM.COF OUTPUT_FOLDER\n";
        return 2;
    }
    Coefficients coefficients;
    return readCoefficients(argv[1], coefficients) && writeModel(coefficients, argv[2]) ? 0 : 1;
}
