// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geodesy.h"
#include "PlacedCharts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace georef;

namespace {

const airportdata::GeoPosition Corner = *airportdata::GeoPosition::fromDegrees(42.35, -71.01);

ChartGeoreference placed(double north)
{
    return *ChartGeoreference::fromPoints({{100, 500}, Corner},
                                          {{100, north},
                                           airportdata::travel(Corner, airportdata::Bearing::degreesTrue(0),
                                                               airportdata::Length::metres(2000))});
}

QString writeFile(const QTemporaryDir &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The store of placed pages: kept by the chart's content and page, forgotten, and never lost.
class TestPlacedCharts : public QObject {
    Q_OBJECT

private slots:
    void pagesAreKnownByTheirContent();
    void placesAreKeptForgottenAndWrittenAsDocumented();
    void entriesItCannotReadStay();
    void aFileThatIsNoStoreIsNeverWrittenOver_data();
    void aFileThatIsNoStoreIsNeverWrittenOver();
};

void TestPlacedCharts::pagesAreKnownByTheirContent()
{
    QTemporaryDir folder;
    const auto here = ChartPage::ofFile(writeFile(folder, "ADPOS2-1.PDF", "%PDF-1.4 Boston"), 0);
    const auto copy = ChartPage::ofFile(writeFile(folder, "copy.pdf", "%PDF-1.4 Boston"), 0);
    const auto other = ChartPage::ofFile(writeFile(folder, "other.pdf", "%PDF-1.4 Boston, 2nd edition"), 0);
    QVERIFY(here && copy && other);
    QCOMPARE(*here, *copy);
    QVERIFY(here->sha256 != other->sha256);
    // SHA-256 of the bytes, as sha256sum writes it.
    QCOMPARE(ChartPage::ofFile(writeFile(folder, "empty.pdf", ""), 3)->sha256,
             QByteArray("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));

    QString error;
    QVERIFY(!ChartPage::ofFile(folder.filePath(QStringLiteral("missing.pdf")), 0, &error));
    QVERIFY2(error.contains(QLatin1String("missing.pdf")), qPrintable(error));
    QVERIFY(!ChartPage::ofFile(folder.path(), 0, &error));
}

void TestPlacedCharts::placesAreKeptForgottenAndWrittenAsDocumented()
{
    QTemporaryDir folder;
    PlacedCharts store(folder.filePath(QStringLiteral("data/varnelox/placed-charts.json")));
    const ChartPage diagram{"ab12", 0};
    const ChartPage secondPage{"ab12", 1};
    QVERIFY(!store.placeOf(diagram));
    QVERIFY(store.place(diagram, placed(400)).kept);
    QVERIFY(store.place(secondPage, placed(300)).kept);
    QVERIFY(store.place(diagram, placed(450)).kept); // placed again: the new place replaces the old one

    QCOMPARE(store.placeOf(diagram)->second().page, QPointF(100, 450));
    QCOMPARE(store.placeOf(diagram)->first(), (ReferencePoint{{100, 500}, Corner}));
    QCOMPARE(PlacedCharts(store.fileName()).placeOf(secondPage)->second().page, QPointF(100, 300));

    const QJsonObject root = QJsonDocument::fromJson(contentsOf(store.fileName())).object();
    QCOMPARE(root.value("version").toInt(), 1);
    const QJsonArray pages = root.value("pages").toArray();
    QCOMPARE(pages.size(), 2);
    const QJsonObject entry = pages.last().toObject();
    QCOMPARE(entry.value("sha256").toString(), QStringLiteral("ab12"));
    QCOMPARE(entry.value("page").toInt(), 0);
    const QJsonObject point = entry.value("points").toArray().first().toObject();
    QCOMPARE(point.value("x").toDouble(), 100.0);
    QCOMPARE(point.value("latitude").toDouble(), 42.35);
    QCOMPARE(point.value("longitude").toDouble(), -71.01);

    QVERIFY(store.forget(diagram).kept);
    QVERIFY(!store.placeOf(diagram));
    QVERIFY(store.placeOf(secondPage));
    QVERIFY(store.forget(diagram).kept); // nothing to forget is no failure
}

void TestPlacedCharts::entriesItCannotReadStay()
{
    QTemporaryDir folder;
    const QByteArray odd = R"({"version": 1, "pages": [
        {"sha256": "cd34", "page": 0, "points": [{"x": 1, "y": 2, "latitude": 95, "longitude": 0}, {}]},
        "not an entry"]})";
    PlacedCharts store(writeFile(folder, "placed-charts.json", odd));
    QVERIFY(!store.placeOf({"cd34", 0}));
    QVERIFY(store.place({"ab12", 0}, placed(400)).kept);
    const QJsonArray pages =
        QJsonDocument::fromJson(contentsOf(store.fileName())).object().value("pages").toArray();
    QCOMPARE(pages.size(), 3);
    QCOMPARE(pages[1].toString(), QStringLiteral("not an entry"));
}

void TestPlacedCharts::aFileThatIsNoStoreIsNeverWrittenOver_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("not JSON") << QByteArray("my notes about KBOS");
    QTest::newRow("a JSON list") << QByteArray("[1, 2, 3]");
}

void TestPlacedCharts::aFileThatIsNoStoreIsNeverWrittenOver()
{
    QFETCH(QByteArray, contents);
    QTemporaryDir folder;
    PlacedCharts store(writeFile(folder, "placed-charts.json", contents));
    QVERIFY(!store.placeOf({"ab12", 0}));
    const StoreOutcome outcome = store.place({"ab12", 0}, placed(400));
    QVERIFY(!outcome.kept);
    QVERIFY2(outcome.error.contains(QLatin1String("placed-charts.json")), qPrintable(outcome.error));
    QVERIFY(!store.forget({"ab12", 0}).kept);
    QCOMPARE(contentsOf(store.fileName()), contents);
}

QTEST_APPLESS_MAIN(TestPlacedCharts)
#include "tst_placedcharts.moc"
