#include "LocalizerTable.h"

#include "DirectoryValues.h"
#include "GzipData.h"
#include "ImportSummary.h"
#include "MagneticVariation.h"
#include "SourceFile.h"

#include <QFileInfo>

#include <algorithm>

namespace import {

namespace {

// Navigation data of the whole world holds a few tens of MiB.
constexpr qsizetype kMaxNavDataSize = qsizetype(256) << 20;

Status readNavDataFile(const QString &path, QList<NavLocalizer> &localizers)
{
    QByteArray bytes;
    if (Status read = readSourceFile(path, bytes); !read.ok)
        return read;
    if (isGzip(bytes)) {
        QByteArray inflated;
        if (Status read = inflateGzip(path, bytes, kMaxNavDataSize, inflated); !read.ok)
            return read;
        bytes = std::move(inflated);
    }
    return readNavData(path, bytes, localizers);
}

} // namespace

Status LocalizerTable::load(const NavDataSource &source, ImportSummary &summary)
{
    m_fileName = QFileInfo(source.file).fileName();
    QList<NavLocalizer> localizers;
    if (Status read = readNavDataFile(source.file, localizers); !read.ok)
        return read;
    MagneticVariation variation;
    if (Status loaded = variation.load(source.magneticFolder); !loaded.ok)
        return loaded;
    if (!variation.holds(source.date)) {
        summary.problem(QStringLiteral("magnetic courses for %1 from the %2: extrapolated, they may be off "
                                       "by a degree or more")
                            .arg(source.date.toString(Qt::ISODate), variation.description()));
    }
    for (NavLocalizer &localizer : localizers) {
        const double course =
            variation.magneticBearing(localizer.trueBearing, localizer.position, source.date);
        Localizer written{frequencyText(localizer.megahertz), courseText(course)};
        add(std::move(localizer), std::move(written), summary);
    }
    summary.count(QStringLiteral("localizers in %1").arg(m_fileName), localizers.size());
    return {};
}

void LocalizerTable::add(NavLocalizer source, Localizer localizer, ImportSummary &summary)
{
    QHash<QString, Entry> &ends = m_airports[source.airport];
    const QString key = runwayEndKey(source.runwayEnd);
    const auto found = ends.find(key);
    if (found != ends.end()) {
        summary.skip(
            QStringLiteral("localizers for a runway end that has one already (the ILS kept, else the "
                           "first)"));
        if (found->source.withGlideSlope || !source.withGlideSlope)
            return;
    }
    ends.insert(key, {std::move(source), std::move(localizer)});
}

bool LocalizerTable::hasAirport(const QString &airport) const
{
    return m_airports.contains(airport);
}

std::optional<Localizer> LocalizerTable::take(const QString &airport, const QString &runwayEnd)
{
    const auto ends = m_airports.find(airport);
    if (ends == m_airports.end() || runwayEnd.isEmpty())
        return std::nullopt;
    const auto found = ends->find(runwayEndKey(runwayEnd));
    if (found == ends->end())
        return std::nullopt;
    found->taken = true;
    return found->localizer;
}

void LocalizerTable::setAside(const QString &airport)
{
    m_setAside.insert(airport);
}

void LocalizerTable::summarise(const QSet<QString> &airportsWithRecord, const QString &notInLibrary,
                               ImportSummary &summary) const
{
    const QString endsWithIls = QStringLiteral("runway ends with a localizer from %1").arg(m_fileName);
    const QString airportsWithIls = QStringLiteral("airports with a localizer from %1").arg(m_fileName);
    summary.count(airportsWithIls, 0);
    summary.count(endsWithIls, 0);
    QStringList airports = m_airports.keys();
    std::sort(airports.begin(), airports.end());
    for (const QString &airport : airports) {
        if (m_setAside.contains(airport))
            continue;
        if (!airportsWithRecord.contains(airport)) {
            summary.skip(notInLibrary);
            continue;
        }
        const QHash<QString, Entry> &ends = m_airports[airport];
        const qsizetype taken =
            std::count_if(ends.begin(), ends.end(), [](const Entry &e) { return e.taken; });
        summary.count(endsWithIls, taken);
        summary.count(airportsWithIls, taken > 0 ? 1 : 0);
        QList<const Entry *> untaken;
        for (const Entry &entry : ends) {
            if (!entry.taken)
                untaken.append(&entry);
        }
        std::sort(untaken.begin(), untaken.end(),
                  [](const Entry *a, const Entry *b) { return a->source.line < b->source.line; });
        summary.skip(QStringLiteral("localizers for a runway end the library does not have (listed below)"),
                     untaken.size());
        for (const Entry *entry : untaken) {
            summary.problem(QStringLiteral("%1 %2: no such runway end in the library for localizer %3 %4 "
                                           "(%5, line %6)")
                                .arg(airport, entry->source.runwayEnd, entry->source.ident,
                                     entry->localizer.frequency, m_fileName)
                                .arg(entry->source.line));
        }
    }
}

} // namespace import
