// SPDX-License-Identifier: GPL-3.0-or-later
#include "BlockReader.h"

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

namespace airportdata {

BlockReading readInBlocks(QIODevice &device, const BlockFeed &reader, qsizetype blockBytes,
                          qsizetype maxItemBytes)
{
    QByteArray buffer(maxItemBytes + blockBytes, Qt::Uninitialized);
    qint64 offset = 0;
    qsizetype begin = 0;
    qsizetype end = 0;
    bool final = false;
    for (;;) {
        const qsizetype used = reader.feed(QByteArrayView(buffer.constData() + begin, end - begin), final);
        begin += used;
        offset += used;
        if (reader.done() || final)
            return {BlockReading::Status::Finished, offset, {}};
        if (end - begin > maxItemBytes)
            return {BlockReading::Status::ItemTooLong, offset, {}};
        // What is left is the start of one item, no longer than the limit: move it to the front and read on.
        std::copy(buffer.constData() + begin, buffer.constData() + end, buffer.data());
        end -= begin;
        begin = 0;
        const qint64 read = device.read(buffer.data() + end, std::min(blockBytes, buffer.size() - end));
        if (read < 0)
            return {BlockReading::Status::ReadError, offset, device.errorString()};
        final = read == 0;
        end += read;
    }
}

} // namespace airportdata
