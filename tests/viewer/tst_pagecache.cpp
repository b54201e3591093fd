// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageCache.h"

#include <QRandomGenerator>
#include <QTest>

using render::PageCache;
using render::PageKey;

namespace {

constexpr qint64 Budget = 100000;

// A page that hardly compresses: every entry then takes about its own size.
QByteArray noise(QSize size, quint32 seed)
{
    QByteArray rows(qsizetype(size.width()) * size.height() * 4, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    generator.fillRange(reinterpret_cast<quint32 *>(rows.data()), rows.size() / 4);
    return rows;
}

PageKey keyOf(int page, QSize size)
{
    return {platform::FileIdentity{1, 2, 3, 4, 5}, viewer::PageRequest{page, size, 0, false}};
}

} // namespace

// What the render helper keeps of the pages it drew: what comes back is what went in, within the budget, the
// least recently used going first, a page too large for its share never.
class PageCacheTest : public QObject {
    Q_OBJECT

private slots:
    void keptPageComesBackWhole();
    void leastRecentlyUsedGoesFirst();
    void pageTooLargeForItsShareIsNotKept();
};

void PageCacheTest::keptPageComesBackWhole()
{
    PageCache cache(Budget);
    const QSize size(64, 64);
    const QByteArray rows = noise(size, 1);
    cache.store(keyOf(0, size), reinterpret_cast<const uchar *>(rows.constData()));
    QByteArray back(rows.size(), '\0');
    QVERIFY(cache.fetch(keyOf(0, size), reinterpret_cast<uchar *>(back.data())));
    QCOMPARE(back, rows);
    QVERIFY(!cache.fetch(keyOf(1, size), reinterpret_cast<uchar *>(back.data())));
}

void PageCacheTest::leastRecentlyUsedGoesFirst()
{
    PageCache cache(Budget);
    const QSize size(64, 64);
    QByteArray target(qsizetype(size.width()) * size.height() * 4, '\0');
    // Six pages of about 16 kB fit; the first is used again, so the second goes for the seventh.
    for (int page = 0; page < 6; ++page)
        cache.store(keyOf(page, size),
                    reinterpret_cast<const uchar *>(noise(size, quint32(page)).constData()));
    QCOMPARE(cache.count(), 6);
    QVERIFY(cache.fetch(keyOf(0, size), reinterpret_cast<uchar *>(target.data())));
    cache.store(keyOf(6, size), reinterpret_cast<const uchar *>(noise(size, 6).constData()));
    QVERIFY(cache.bytes() <= Budget);
    QVERIFY(cache.contains(keyOf(0, size)));
    QVERIFY(!cache.contains(keyOf(1, size)));
    for (int page = 2; page <= 6; ++page)
        QVERIFY(cache.contains(keyOf(page, size)));
}

void PageCacheTest::pageTooLargeForItsShareIsNotKept()
{
    PageCache cache(Budget);
    const QSize size(128, 128);
    cache.store(keyOf(0, size), reinterpret_cast<const uchar *>(noise(size, 7).constData()));
    QCOMPARE(cache.count(), 0);
    QCOMPARE(cache.bytes(), 0);
}

QTEST_MAIN(PageCacheTest)
#include "tst_pagecache.moc"
