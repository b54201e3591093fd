// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalizerTable.h"

#include "DirectoryValues.h"
#include "GzipData.h"
#include "ImportSummary.h"
#include "MagneticVariation.h"
#include "SourceFile.h"

#include <QFileInfo>

#include <algorithm>
#include <tuple>

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

QString LocalizerTable::key(const QString &airport, const QString &runwayEnd)
{
    return airport + QLatin1Char(' ') + runwayEndKey(runwayEnd);
}

void LocalizerTable::add(NavLocalizer source, Localizer localizer, ImportSummary &summary)
{
    const QString end = key(source.airport, source.runwayEnd);
    const auto found = m_entries.find(end);
    if (found != m_entries.end()) {
        summary.skip(
            QStringLiteral("localizers for a runway end that has one already (the ILS kept, else the "
                           "first)"));
        if (found->source.withGlideSlope || !source.withGlideSlope)
            return;
    }
    m_airports.insert(source.airport);
    m_entries.insert(end, {std::move(source), std::move(localizer)});
}

bool LocalizerTable::hasAirport(const QString &airport) const
{
    return m_airports.contains(airport);
}

std::optional<Localizer> LocalizerTable::take(const QString &airport, const QString &runwayEnd)
{
    if (runwayEnd.isEmpty())
        return std::nullopt;
    const auto found = m_entries.find(key(airport, runwayEnd));
    if (found == m_entries.end())
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
    QList<const Entry *> entries;
    entries.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        entries.append(&entry);
    std::sort(entries.begin(), entries.end(), [](const Entry *a, const Entry *b) {
        return std::tie(a->source.airport, a->source.line) < std::tie(b->source.airport, b->source.line);
    });
    QString airport;
    bool airportTaken = false;
    for (const Entry *entry : entries) {
        const bool first = entry->source.airport != airport;
        airport = entry->source.airport;
        if (m_setAside.contains(airport))
            continue;
        if (!airportsWithRecord.contains(airport)) {
            summary.skip(notInLibrary, first ? 1 : 0);
            continue;
        }
        if (first)
            airportTaken = false;
        if (entry->taken) {
            summary.count(endsWithIls);
            summary.count(airportsWithIls, airportTaken ? 0 : 1);
            airportTaken = true;
            continue;
        }
        summary.skip(QStringLiteral("localizers for a runway end the library does not have (listed below)"));
        summary.problem(
            QStringLiteral("%1 %2: no such runway end in the library for localizer %3 %4 (%5, line %6)")
                .arg(airport, entry->source.runwayEnd, entry->source.ident, entry->localizer.frequency,
                     m_fileName)
                .arg(entry->source.line));
    }
}

} // namespace import
