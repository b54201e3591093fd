#include "DirectoryReader.h"

#include "DirectorySearch.h"

#include <QDir>
#include <QIODevice>

#include <algorithm>

namespace airportdata {

namespace {

LookupResult unreadable(const QString &directoryFile, const QString &reason)
{
    return {LookupStatus::Unreadable,
            {},
            QStringLiteral("The airport directory %1 could not be read: %2")
                .arg(QDir::toNativeSeparators(directoryFile), reason)};
}

LookupResult resultOf(const DirectorySearch &search, const QString &directoryFile, const QString &code,
                      const ReadLimits &limits)
{
    switch (search.state()) {
    case DirectorySearch::State::Found:
        return {LookupStatus::Found, search.record(), {}};
    case DirectorySearch::State::ItemTooLong:
        return unreadable(directoryFile, QStringLiteral("the line at byte %1 is longer than %2 bytes.")
                                             .arg(search.offset())
                                             .arg(limits.maxItemBytes));
    case DirectorySearch::State::RecordTooLong:
        return unreadable(directoryFile,
                          QStringLiteral("the record of %1 holds more than %2 bytes, more than the airport "
                                         "data grid shows.")
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
    QByteArray buffer(limits.maxItemBytes + limits.blockBytes, Qt::Uninitialized);
    qsizetype begin = 0;
    qsizetype end = 0;
    bool final = false;
    for (;;) {
        begin += search.feed(QByteArrayView(buffer.constData() + begin, end - begin), final);
        if (search.done()) {
            return resultOf(search, directoryFile, code, limits);
        }
        // What is left is the start of one item, no longer than the limit: move it to the front and read on.
        std::copy(buffer.constData() + begin, buffer.constData() + end, buffer.data());
        end -= begin;
        begin = 0;
        const qint64 read =
            device.read(buffer.data() + end, std::min(limits.blockBytes, buffer.size() - end));
        if (read < 0) {
            return unreadable(directoryFile, device.errorString());
        }
        final = read == 0;
        end += read;
    }
}

} // namespace airportdata
