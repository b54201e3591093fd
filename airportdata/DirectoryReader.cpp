// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryReader.h"

#include "BlockReader.h"
#include "DirectorySearch.h"

#include <QCoreApplication>
#include <QDir>

namespace airportdata {

namespace {

struct DirectoryMessages {
    Q_DECLARE_TR_FUNCTIONS(DirectoryMessages)
};

LookupResult unreadable(const QString &directoryFile, const QString &reason)
{
    return {LookupStatus::Unreadable,
            {},
            DirectoryMessages::tr("The airport directory %1 could not be read: %2")
                .arg(QDir::toNativeSeparators(directoryFile), reason)};
}

LookupResult resultOf(const DirectorySearch &search, const QString &directoryFile, const QString &code,
                      const ReadLimits &limits)
{
    switch (search.state()) {
    case DirectorySearch::State::Found:
        return {LookupStatus::Found, search.record(), {}};
    case DirectorySearch::State::ItemTooLong:
        return unreadable(directoryFile, DirectoryMessages::tr("the line at byte %1 is longer than %2 bytes.")
                                             .arg(search.offset())
                                             .arg(limits.maxItemBytes));
    case DirectorySearch::State::RecordTooLong:
        return unreadable(directoryFile,
                          DirectoryMessages::tr("the record of %1 holds more than %2 bytes, more than the "
                                                "airport data grid shows.")
                              .arg(code)
                              .arg(limits.maxRecordBytes));
    default:
        return {LookupStatus::NotFound, {}, {}};
    }
}

} // namespace

LookupResult searchDirectory(QIODevice &device, const QString &directoryFile, const QString &code,
                             ReadLimits limits)
{
    DirectorySearch search(code, limits);
    const BlockReading reading =
        readInBlocks(device,
                     {[&search](QByteArrayView data, bool final) { return search.feed(data, final); },
                      [&search] { return search.done(); }},
                     limits.blockBytes, limits.maxItemBytes);
    if (reading.status == BlockReading::Status::ReadError)
        return unreadable(directoryFile, reading.error);
    return resultOf(search, directoryFile, code, limits);
}

} // namespace airportdata
