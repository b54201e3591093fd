// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartLibrary.h"

#include "ChartCategory.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace airportdata {

namespace {

QString chartsFolder(const QString &libraryFolder)
{
    return libraryFolder + QStringLiteral("/Airports");
}

bool isInside(const QString &path, const QString &folder)
{
    return !path.isEmpty() && !folder.isEmpty() && path.startsWith(folder + QLatin1Char('/'));
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

// An airport code that can name a chart folder: letters A to Z and digits only, so that no code leads out of
// the library or into another folder of it.
bool isChartCode(const QString &code)
{
    return !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
        return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
               (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    });
}

// Looks for a chart below one library folder ignoring letter case, taking only what resolves inside the
// library's real path; remembers whether something that matched led out of it.
class CaseInsensitiveSearch {
public:
    CaseInsensitiveSearch(QStringList parts, QString realLibrary)
        : m_parts(std::move(parts))
        , m_realLibrary(std::move(realLibrary))
    {}

    // The first file below folder whose path matches the parts from index on.
    QString find(const QString &folder, qsizetype index = 0)
    {
        const bool last = index == m_parts.size() - 1;
        for (const QString &entry : entriesLike(folder, m_parts[index])) {
            const QString path = folder + QLatin1Char('/') + entry;
            const QFileInfo info(path);
            if (!isInside(info.canonicalFilePath(), m_realLibrary)) {
                m_ledOutside = m_ledOutside || info.exists();
                continue;
            }
            if (last && info.isFile())
                return path;
            if (!last && info.isDir()) {
                QString found = find(path, index + 1);
                if (!found.isEmpty())
                    return found;
            }
        }
        return {};
    }

    bool ledOutside() const { return m_ledOutside; }

private:
    QStringList m_parts;
    QString m_realLibrary;
    bool m_ledOutside = false;
};

} // namespace

QString ChartFilePath(const QString &libraryFolder, const QString &code, int categoryIndex)
{
    const auto &categories = ChartCategories;
    if (categoryIndex < 0 || categoryIndex >= int(categories.size()) || !isChartCode(code)) {
        return {};
    }
    return chartsFolder(libraryFolder) + QLatin1Char('/') + code + QStringLiteral("/ADP") + code.mid(2, 2) +
           categories[categoryIndex].fileSuffix();
}

QString OpenableChartPath(const QString &libraryFolder, const QString &chartPath)
{
    const QString library = chartsFolder(libraryFolder);
    if (!chartPath.startsWith(library + QLatin1Char('/'))) {
        return chartPath;
    }
    const QStringList parts = chartPath.sliced(library.size() + 1).split(QLatin1Char('/'));
    const bool safe = std::none_of(parts.begin(), parts.end(), [](const QString &part) {
        return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..");
    });
    if (!safe) {
        return chartPath;
    }
    const QFileInfo exact(chartPath);
    if (exact.isFile() && isInside(exact.canonicalFilePath(), QFileInfo(library).canonicalFilePath())) {
        return chartPath;
    }
    // The library folder itself may have been copied in another case too ("airports").
    bool ledOutside = false;
    for (const QString &folder : entriesLike(libraryFolder, QStringLiteral("Airports"))) {
        const QString candidate = libraryFolder + QLatin1Char('/') + folder;
        const QFileInfo info(candidate);
        if (!info.isDir() || info.canonicalFilePath().isEmpty()) {
            continue;
        }
        CaseInsensitiveSearch search(parts, info.canonicalFilePath());
        const QString found = search.find(candidate);
        if (!found.isEmpty()) {
            return found;
        }
        ledOutside = ledOutside || search.ledOutside();
    }
    return ledOutside ? QString() : chartPath;
}

} // namespace airportdata
