// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineMemory.h"

#include <QTest>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

// The render helper keeps the memory its PDF engine gives back: ranges the engine returns are zeroed in
// place, everything else still goes to the system. Either way the range must read as zeros afterwards, as
// the engine's allocator relies on.
class EngineMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void returnedMemoryReadsAsZeros_data();
    void returnedMemoryReadsAsZeros();
    void addressOutsideAnyLibraryIsRefused();
};

namespace {

enum class Caller { Engine, OtherLibrary };

// A private anonymous mapping, filled with a pattern; unmapped at the end.
struct Mapping {
    explicit Mapping(size_t length)
        : length(length)
        , data(static_cast<unsigned char *>(
              mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)))
    {
        if (data != MAP_FAILED)
            std::memset(data, 0xA5, length);
    }
    ~Mapping()
    {
        if (data != MAP_FAILED)
            munmap(data, length);
    }
    Q_DISABLE_COPY_MOVE(Mapping)

    bool allZero() const
    {
        return std::all_of(data, data + length, [](unsigned char byte) { return byte == 0; });
    }
    bool resident() const
    {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        std::vector<unsigned char> pages((length + page - 1) / page);
        return mincore(data, length, pages.data()) == 0 &&
               std::all_of(pages.begin(), pages.end(), [](unsigned char state) { return (state & 1) != 0; });
    }

    size_t length;
    unsigned char *data;
};

} // namespace

void EngineMemoryTest::returnedMemoryReadsAsZeros_data()
{
    QTest::addColumn<Caller>("caller");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("keptResident"); // zeroed in place rather than given to the system

    const int page = int(sysconf(_SC_PAGESIZE));
    const int mebibytePages = (1 << 20) / page;
    QTest::newRow("engine, one page") << Caller::Engine << 1 << false << true;
    QTest::newRow("engine, 1 MiB") << Caller::Engine << mebibytePages << false << true;
    QTest::newRow("engine, more than 1 MiB") << Caller::Engine << mebibytePages + 1 << false << false;
    QTest::newRow("engine, read-only range") << Caller::Engine << 4 << true << false;
    QTest::newRow("another library") << Caller::OtherLibrary << 4 << false << false;
}

void EngineMemoryTest::returnedMemoryReadsAsZeros()
{
    QFETCH(Caller, caller);
    QFETCH(int, pages);
    QFETCH(bool, readOnly);
    QFETCH(bool, keptResident);

    // This test's own code stands for the engine; Qt Core is a library the helper treats as any other.
    const void *engine = caller == Caller::Engine
                             ? reinterpret_cast<const void *>(&EngineMemoryTest::staticMetaObject)
                             : reinterpret_cast<const void *>(&QObject::staticMetaObject);
    QVERIFY(platform::keepEngineMemory(engine));

    Mapping mapping(size_t(pages) * size_t(sysconf(_SC_PAGESIZE)));
    QVERIFY(mapping.data != MAP_FAILED);
    if (readOnly)
        QCOMPARE(mprotect(mapping.data, mapping.length, PROT_READ), 0);
    QCOMPARE(madvise(mapping.data, mapping.length, MADV_DONTNEED), 0);
    QVERIFY(mapping.allZero());
    if (keptResident)
        QVERIFY(mapping.resident());
}

void EngineMemoryTest::addressOutsideAnyLibraryIsRefused()
{
    int onTheStack = 0;
    QVERIFY(!platform::keepEngineMemory(&onTheStack));
    QVERIFY(!platform::keepEngineMemory(nullptr));
}

QTEST_MAIN(EngineMemoryTest)
#include "tst_enginememory.moc"
