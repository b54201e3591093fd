// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Platform.h"
#include "RenderProtocol.h"

#include <QByteArray>

#include <list>

namespace render {

// A page image as drawn: which version of which chart file, and the page request it answers.
struct PageKey {
    platform::FileIdentity chart;
    viewer::PageRequest page;

    friend bool operator==(const PageKey &, const PageKey &) = default;
};

// The pages the helper drew, kept compressed within a budget of bytes, the least recently used going first:
// a page asked for again (the chart picked after it was drawn ahead, the page turned back to) is written into
// the viewer's memory without being drawn again. Images are kept as the viewer shows them: opaque RGB32 rows,
// 4 bytes a pixel, colours applied.
class PageCache {
public:
    explicit PageCache(qint64 budgetBytes);

    // The image's rows compressed for storeCompressed(); empty when they could not be.
    static QByteArray compress(const uchar *rows, QSize size);

    // Keeps a page's rows; nothing for a page larger than a screen's or whose compressed form takes more than
    // a quarter of the budget.
    void store(const PageKey &key, const uchar *rows);
    void storeCompressed(const PageKey &key, QByteArray compressed);
    // Writes the kept image into target (room for its rows) and counts it as used: false when the page is
    // not kept.
    bool fetch(const PageKey &key, uchar *target);
    bool contains(const PageKey &key) const;

    qint64 bytes() const { return m_bytes; }
    qsizetype count() const { return qsizetype(m_entries.size()); }

private:
    struct Entry {
        PageKey key;
        QByteArray compressed;
    };

    std::list<Entry>::iterator find(const PageKey &key);

    qint64 m_budget;
    qint64 m_bytes = 0;
    std::list<Entry> m_entries; // the most recently used first
};

} // namespace render
