// SPDX-License-Identifier: GPL-3.0-or-later
#include "GzipData.h"

#include <zlib.h>

#include <limits>

namespace import {

namespace {

constexpr int kGzipWindow = 16 + MAX_WBITS;
constexpr qsizetype kChunk = 1 << 20;

// One zlib inflate stream, ended however the reading ends.
class Inflater {
public:
    Inflater() { m_ready = inflateInit2(&m_stream, kGzipWindow) == Z_OK; }
    ~Inflater()
    {
        if (m_ready)
            inflateEnd(&m_stream);
    }
    Q_DISABLE_COPY_MOVE(Inflater)

    bool ready() const { return m_ready; }
    z_stream &stream() { return m_stream; }

private:
    z_stream m_stream{};
    bool m_ready = false;
};

} // namespace

bool isGzip(QByteArrayView bytes)
{
    return bytes.size() >= 2 && uchar(bytes[0]) == 0x1f && uchar(bytes[1]) == 0x8b;
}

Status inflateGzip(const QString &fileName, QByteArrayView compressed, qsizetype maxSize, QByteArray &data)
{
    Inflater inflater;
    if (compressed.size() > qsizetype(std::numeric_limits<uInt>::max()))
        return Status::failure(fileName + QStringLiteral(": too large to decompress"));
    if (!inflater.ready())
        return Status::failure(fileName + QStringLiteral(": cannot be decompressed (zlib cannot start)"));
    z_stream &stream = inflater.stream();
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = uInt(compressed.size());
    data.clear();
    int result = Z_OK;
    while (true) {
        if (data.size() >= maxSize) {
            return Status::failure(
                QStringLiteral("%1: more than %2 MiB once decompressed, too large for its kind")
                    .arg(fileName)
                    .arg(maxSize >> 20));
        }
        const qsizetype done = data.size();
        data.resize(std::min(done + kChunk, maxSize));
        stream.next_out = reinterpret_cast<Bytef *>(data.data() + done);
        stream.avail_out = uInt(data.size() - done);
        result = inflate(&stream, Z_NO_FLUSH);
        data.resize(data.size() - stream.avail_out);
        if (result == Z_STREAM_END) {
            // Another member may follow, as when gzip files are joined.
            if (stream.avail_in == 0 ||
                !isGzip(QByteArrayView(reinterpret_cast<const char *>(stream.next_in), stream.avail_in)))
                break;
            inflateReset(&stream);
        } else if (result != Z_OK && result != Z_BUF_ERROR) {
            return Status::failure(fileName + QStringLiteral(": damaged gzip data: ") +
                                   QString::fromLatin1(stream.msg ? stream.msg : "unreadable"));
        } else if (stream.avail_in == 0 && stream.avail_out != 0) {
            return Status::failure(fileName +
                                   QStringLiteral(": cut short: the gzip data ends before its end"));
        }
    }
    return {};
}

} // namespace import
