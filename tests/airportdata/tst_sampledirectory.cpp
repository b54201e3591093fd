// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportDirectory.h"

#include <QFile>
#include <QTest>

using namespace airportdata;

namespace {

struct SampleAirport {
    QString code;
    QString name;
    int runwayLines = 0;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The shipped sample directory: its layout line by line, as the chart generator and the main window expect
// it, and every airport in it found by the lookup with each value under its heading.
class TestSampleDirectory : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void variety();
    void everyAirportFound();

private:
    void readAirports(const QByteArray &bytes);

    QString m_directory;
    QList<SampleAirport> m_airports;
};

void TestSampleDirectory::initTestCase()
{
    const QByteArray shipped =
        readFile(qEnvironmentVariable("VARNELOX_SOURCE_DIR") + "/resources/sample/airports.txt");
    m_directory = qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/airports.txt");
    QVERIFY(!shipped.isEmpty());
    QCOMPARE(readFile(m_directory), shipped);
    readAirports(shipped);
}

// Each record: a header line of seven fields, runway lines of twelve, an empty line; CR LF line ends.
void TestSampleDirectory::readAirports(const QByteArray &bytes)
{
    QVERIFY(!bytes.contains(',') && !bytes.contains('"'));
    QVERIFY(bytes.endsWith("\r\n\r\n"));
    const QByteArrayList lines = bytes.chopped(1).split('\n');
    SampleAirport *airport = nullptr;
    for (const QByteArray &line : lines) {
        QVERIFY2(line.endsWith('\r') && line.count('\r') == 1, line.constData());
        const QString text = QString::fromUtf8(line.chopped(1));
        const QStringList fields = text.split(QLatin1Char('|'));
        if (text.isEmpty()) {
            QVERIFY(airport != nullptr && airport->runwayLines >= 1);
            airport = nullptr;
        } else if (airport == nullptr) {
            QCOMPARE(fields.size(), 7);
            const QString code = fields[0].mid(2);
            QVERIFY2(code.size() == 4 && code == code.toUpper(), qPrintable(text));
            m_airports.append({code, fields[2], 0});
            airport = &m_airports.last();
        } else {
            QCOMPARE(fields.size(), 12);
            QVERIFY(++airport->runwayLines <= 12);
        }
    }
    QVERIFY(airport == nullptr);
}

void TestSampleDirectory::variety()
{
    QVERIFY(m_airports.size() >= 15);
    const auto hasRunwayLines = [this](auto test) {
        return std::any_of(m_airports.begin(), m_airports.end(),
                           [&](const auto &a) { return test(a.runwayLines); });
    };
    QVERIFY(hasRunwayLines([](int n) { return n == 1; }));
    QVERIFY(hasRunwayLines([](int n) { return n == 4; }));
    QVERIFY(hasRunwayLines([](int n) { return n >= 6; }));
}

void TestSampleDirectory::everyAirportFound()
{
    for (const SampleAirport &airport : std::as_const(m_airports)) {
        const LookupResult result = LookUpAirport(m_directory, airport.code);
        QCOMPARE(result.status, LookupStatus::Found);
        QCOMPARE(result.record.fields().size(), 6 + 12 * airport.runwayLines);
        QCOMPARE(result.record.name(), airport.name);
        QVERIFY2(result.record.height().endsWith(QStringLiteral(" FT")), qPrintable(airport.code));
        for (const RunwayRecord &runway : result.record.runways())
            QVERIFY2(runway.length.endsWith(QStringLiteral(" M")), qPrintable(airport.code));
    }
    QCOMPARE(LookUpAirport(m_directory, QStringLiteral("LSZH")).record.name(),
             QStringLiteral("ZÜRICH KLOTEN"));
}

QTEST_GUILESS_MAIN(TestSampleDirectory)
#include "tst_sampledirectory.moc"
