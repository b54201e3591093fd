// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

namespace airportdata {

// Hands the bytes of a device to a reader of items in blocks, each after what the reader left over of the
// block before (the start of an item that continues past it).
struct BlockFeed {
    // Reads what lies complete in data and returns how many bytes it used; final says that no bytes follow.
    std::function<qsizetype(QByteArrayView data, bool final)> feed;
    // True once the reader wants no more bytes.
    std::function<bool()> done;
};

struct BlockReading {
    enum class Status { Finished, ItemTooLong, ReadError };
    Status status = Status::Finished;
    qint64 offset = 0; // bytes used: where the item that was too long begins
    QString error;     // the device's reason for a read error
};

// Reads from where the device stands until the reader is done or the device ends, in blocks of blockBytes,
// keeping at most blockBytes plus maxItemBytes in memory. A reader that leaves more than maxItemBytes
// unused ends the reading with ItemTooLong.
BlockReading readInBlocks(QIODevice &device, const BlockFeed &reader, qsizetype blockBytes,
                          qsizetype maxItemBytes);

} // namespace airportdata
