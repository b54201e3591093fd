// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemReader.h"

#include <QTest>

using airportdata::Item;
using airportdata::readItem;

namespace {

using Items = QList<QByteArray>;

// Reads items as a file reader does when only the first split bytes have arrived: the complete items first,
// then the rest once every byte is there.
Items readInTwoParts(const QByteArray &bytes, qsizetype split)
{
    Items items;
    qsizetype position = 0;
    const auto readFrom = [&](qsizetype end, bool final) {
        while (const std::optional<Item> item =
                   readItem(QByteArrayView(bytes).sliced(position, end - position), final)) {
            items.append(item->text.toByteArray());
            position += item->length;
        }
    };
    readFrom(split, false);
    readFrom(bytes.size(), true);
    return items;
}

} // namespace

class TestItemReader : public QObject {
    Q_OBJECT

private slots:
    void readsItems_data();
    void readsItems();
};

void TestItemReader::readsItems_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Items>("items");

    QTest::addRow("CR LF lines") << QByteArray("A|1\r\nB\r\n") << Items{"A|1", "B"};
    QTest::addRow("LF lines") << QByteArray("A\nB\n") << Items{"A", "B"};
    QTest::addRow("CR lines") << QByteArray("A\rB\r") << Items{"A", "B"};
    QTest::addRow("empty lines") << QByteArray("A\r\n\r\nB\n\nC\r\rD")
                                 << Items{"A", "", "B", "", "C", "", "D"};
    QTest::addRow("LF then CR is two line ends") << QByteArray("A\n\rB") << Items{"A", "", "B"};
    QTest::addRow("empty file") << QByteArray() << Items{};
    QTest::addRow("no line end at the end") << QByteArray("A\r\nB") << Items{"A", "B"};
    QTest::addRow("commas split items") << QByteArray("A,B,,C\r\n") << Items{"A", "B", "", "C"};
    QTest::addRow("comma before the line end") << QByteArray("A,\r\nB") << Items{"A", "", "B"};
    QTest::addRow("blanks kept") << QByteArray(" A , B \r\n") << Items{" A ", " B "};
    QTest::addRow("quoted item keeps commas") << QByteArray("\"A,B\",C\r\n") << Items{"A,B", "C"};
    QTest::addRow("text after a closing quote dropped")
        << QByteArray("\"A\" x,B\r\n\"C\"y\r\nD") << Items{"A", "B", "C", "D"};
    QTest::addRow("open quote ends at the line end") << QByteArray("\"A,B\r\nC") << Items{"A,B", "C"};
    QTest::addRow("empty quotes") << QByteArray("\"\"\r\nB") << Items{"", "B"};
    QTest::addRow("quote inside an item") << QByteArray("A\"B,C\"") << Items{"A\"B", "C\""};
    QTest::addRow("blank before a quote") << QByteArray(" \"A,B\"") << Items{" \"A", "B\""};

    // Items of every length up to three words, with every kind of end.
    QByteArray bytes;
    Items items;
    const QByteArrayList ends{",", "\n", "\r\n", "\r"};
    for (int length = 1; length <= 24; ++length) {
        items.append(QByteArray(length, char('a' + length)));
        bytes += items.last() + ends[length % ends.size()];
    }
    QTest::addRow("items of many lengths") << bytes << items;
}

void TestItemReader::readsItems()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Items, items);

    for (qsizetype split = 0; split <= bytes.size(); ++split) {
        QCOMPARE(readInTwoParts(bytes, split), items);
    }
}

QTEST_GUILESS_MAIN(TestItemReader)
#include "tst_itemreader.moc"
