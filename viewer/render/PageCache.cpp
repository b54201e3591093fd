// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageCache.h"

#include <zlib.h>

#include <algorithm>

namespace render {

namespace {

qsizetype imageBytes(QSize size)
{
    return qsizetype(size.width()) * size.height() * 4;
}

// Larger images (print pages) are drawn once and not kept: compressing them would take longer than a screen
// page takes to draw.
constexpr qsizetype MaxKeptImageBytes = viewer::protocol::MaxImageBytes / 4;

// Charts are mostly paper with thin lines: the fastest level already keeps a page in a few per cent of its
// size, and unpacks it in about a millisecond.
constexpr int CompressionLevel = 1;

} // namespace

PageCache::PageCache(qint64 budgetBytes)
    : m_budget(budgetBytes)
{}

QByteArray PageCache::compress(const uchar *rows, QSize size)
{
    const qsizetype length = imageBytes(size);
    if (length <= 0 || length > std::numeric_limits<uInt>::max())
        return {};
    QByteArray compressed(qsizetype(compressBound(uLong(length))), Qt::Uninitialized);
    uLongf written = uLongf(compressed.size());
    if (compress2(reinterpret_cast<Bytef *>(compressed.data()), &written, rows, uLong(length),
                  CompressionLevel) != Z_OK)
        return {};
    compressed.truncate(qsizetype(written));
    compressed.squeeze();
    return compressed;
}

void PageCache::store(const PageKey &key, const uchar *rows)
{
    if (imageBytes(key.page.pixelSize) <= MaxKeptImageBytes)
        storeCompressed(key, compress(rows, key.page.pixelSize));
}

void PageCache::storeCompressed(const PageKey &key, QByteArray compressed)
{
    if (compressed.isEmpty() || compressed.size() > m_budget / 4)
        return;
    if (const auto kept = find(key); kept != m_entries.end()) {
        m_bytes -= kept->compressed.size();
        m_entries.erase(kept);
    }
    m_bytes += compressed.size();
    m_entries.push_front({key, std::move(compressed)});
    while (m_bytes > m_budget) {
        m_bytes -= m_entries.back().compressed.size();
        m_entries.pop_back();
    }
}

bool PageCache::fetch(const PageKey &key, uchar *target)
{
    const auto kept = find(key);
    if (kept == m_entries.end())
        return false;
    const QByteArray &compressed = kept->compressed;
    uLongf length = uLongf(imageBytes(key.page.pixelSize));
    const uLongf expected = length;
    if (uncompress(target, &length, reinterpret_cast<const Bytef *>(compressed.constData()),
                   uLong(compressed.size())) != Z_OK ||
        length != expected) {
        m_bytes -= compressed.size();
        m_entries.erase(kept);
        return false;
    }
    m_entries.splice(m_entries.begin(), m_entries, kept);
    return true;
}

bool PageCache::contains(const PageKey &key) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&key](const Entry &entry) { return entry.key == key; });
}

std::list<PageCache::Entry>::iterator PageCache::find(const PageKey &key)
{
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&key](const Entry &entry) { return entry.key == key; });
}

} // namespace render
