#include "ChartLibrary.h"

#include "ChartCategory.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace airportdata {

namespace {

QString chartsFolder(const QString &libraryFolder)
{
    return libraryFolder + QStringLiteral("/Airports");
}

bool isInside(const QString &path, const QString &folder)
{
    return !path.isEmpty() && path.startsWith(folder + QLatin1Char('/'));
}

// Entries of folder named name ignoring letter case: the exact name first, then the others in code-point
// order.
QStringList entriesLike(const QString &folder, const QString &name)
{
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    QStringList matches;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(matches),
                 [&](const QString &entry) { return entry.compare(name, Qt::CaseInsensitive) == 0; });
    std::sort(matches.begin(), matches.end(), [&](const QString &a, const QString &b) {
        return (a == name) != (b == name) ? a == name : a < b;
    });
    return matches;
}

// The first file below folder whose path matches parts[index...] ignoring case, staying inside the library.
QString findIgnoringCase(const QString &folder, const QStringList &parts, qsizetype index,
                         const QString &realLibrary)
{
    const bool last = index == parts.size() - 1;
    for (const QString &entry : entriesLike(folder, parts[index])) {
        const QString path = folder + QLatin1Char('/') + entry;
        const QFileInfo info(path);
        if (!isInside(info.canonicalFilePath(), realLibrary)) {
            continue;
        }
        if (last && info.isFile()) {
            return path;
        }
        if (!last && info.isDir()) {
            QString found = findIgnoringCase(path, parts, index + 1, realLibrary);
            if (!found.isEmpty()) {
                return found;
            }
        }
    }
    return {};
}

} // namespace

QString ChartFilePath(const QString &libraryFolder, const QString &code, int categoryIndex)
{
    const auto &categories = ChartCategories;
    if (categoryIndex < 0 || categoryIndex >= int(categories.size())) {
        return {};
    }
    return chartsFolder(libraryFolder) + QLatin1Char('/') + code + QStringLiteral("/ADP") + code.mid(2, 2) +
           categories[categoryIndex].fileSuffix();
}

QString OpenableChartPath(const QString &libraryFolder, const QString &chartPath)
{
    const QString library = chartsFolder(libraryFolder);
    if (QFileInfo(chartPath).isFile() || !chartPath.startsWith(library + QLatin1Char('/'))) {
        return chartPath;
    }
    const QStringList parts = chartPath.sliced(library.size() + 1).split(QLatin1Char('/'));
    const bool safe = std::none_of(parts.begin(), parts.end(), [](const QString &part) {
        return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..");
    });
    if (!safe) {
        return chartPath;
    }
    // The library folder itself may have been copied in another case too ("airports").
    for (const QString &folder : entriesLike(libraryFolder, QStringLiteral("Airports"))) {
        const QString candidate = libraryFolder + QLatin1Char('/') + folder;
        const QFileInfo info(candidate);
        const QString realLibrary = info.canonicalFilePath();
        if (!info.isDir() || realLibrary.isEmpty()) {
            continue;
        }
        const QString found = findIgnoringCase(candidate, parts, 0, realLibrary);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return chartPath;
}

} // namespace airportdata
