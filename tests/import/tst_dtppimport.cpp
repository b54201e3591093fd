// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartJoiner.h"
#include "ChartOrder.h"
#include "DtppFixture.h"
#include "DtppImport.h"
#include "FixtureFiles.h"
#include "ImportSummary.h"
#include "ProgressLine.h"

#include "AirportDirectory.h"
#include "ChartLibrary.h"

#include <QDir>
#include <QFile>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTest>

using namespace import;
using fixture::kMetafile;

namespace {

struct Bookmark {
    QString title;
    int page;
    friend bool operator==(const Bookmark &, const Bookmark &) = default;
};

QList<Bookmark> bookmarksOf(QPdfDocument &document)
{
    QPdfBookmarkModel model;
    model.setDocument(&document);
    QList<Bookmark> bookmarks;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        bookmarks.append({index.data(int(QPdfBookmarkModel::Role::Title)).toString(),
                          index.data(int(QPdfBookmarkModel::Role::Page)).toInt()});
    }
    return bookmarks;
}

} // namespace

Q_DECLARE_METATYPE(QList<Bookmark>)

QDebug operator<<(QDebug debug, const Bookmark &bookmark)
{
    return debug << bookmark.title << bookmark.page;
}

class TestDtppImport : public DtppLibraryTest {
    Q_OBJECT

private slots:
    void ordersCharts_data();
    void ordersCharts();
    void joinsEachCategory_data();
    void joinsEachCategory();
    void reportsMissingAndUnreadableCharts();
    void addsMissingRecordsOnly();
    void importsOnlyTheAirportsAskedFor();
    void airportListedTwiceGetsItsChartsOnce();
    void badInputWritesNothing_data();
    void badInputWritesNothing();
};

void TestDtppImport::ordersCharts_data()
{
    QTest::addColumn<QList<DtppChart>>("charts");
    QTest::addColumn<QStringList>("order"); // title: files

    QTest::addRow("by chartseq, ties in file order") << QList<DtppChart>{{300, "IAP", "C", "c.pdf"},
                                                                         {100, "IAP", "A", "a.pdf"},
                                                                         {300, "IAP", "B", "b.pdf"}}
                                                     << QStringList{"A: a.pdf", "C: c.pdf", "B: b.pdf"};
    QTest::addRow("continuations after their chart, in their order")
        << QList<DtppChart>{{200, "DP", "X, CONT.2", "x2.pdf"},
                            {100, "DP", "Y", "y.pdf"},
                            {200, "DP", "X", "x.pdf"},
                            {200, "DP", "X, CONT.1", "x1.pdf"}}
        << QStringList{"Y: y.pdf", "X: x.pdf x1.pdf x2.pdf"};
    QTest::addRow("continuation without its chart stands alone")
        << QList<DtppChart>{{100, "DP", "Y", "y.pdf"}, {50, "DP", "Z,CONT.1", "z1.pdf"}}
        << QStringList{"Y: y.pdf", "Z, CONT.1: z1.pdf"};
}

void TestDtppImport::ordersCharts()
{
    QFETCH(QList<DtppChart>, charts);
    QFETCH(QStringList, order);

    QStringList ordered;
    for (const JoinedChart &chart : orderCharts(charts))
        ordered.append(chart.title + QStringLiteral(": ") + chart.pdfNames.join(u' '));
    QCOMPARE(ordered, order);
}

void TestDtppImport::joinsEachCategory_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QList<Bookmark>>("bookmarks");

    QTest::addRow("aerodrome data") << 0 << 2 << QList<Bookmark>{{"TAKEOFF MINIMUMS", 0}};
    QTest::addRow("aerodrome chart") << 1 << 1 << QList<Bookmark>{{"AIRPORT DIAGRAM", 0}};
    QTest::addRow("approaches: chartseq order, continuation, deleted and missing left out")
        << 4 << 3 << QList<Bookmark>{{"RNAV (GPS) RWY 22L", 0}, {"ILS OR LOC RWY 04R", 1}};
    QTest::addRow("departure with its continuation page") << 5 << 3 << QList<Bookmark>{{"BOSTON FIVE", 0}};
    QTest::addRow("hot spots, file name in another case") << 6 << 1 << QList<Bookmark>{{"HOT SPOT", 0}};
}

void TestDtppImport::joinsEachCategory()
{
    QFETCH(int, category);
    QFETCH(int, pages);
    QFETCH(QList<Bookmark>, bookmarks);

    const Status status = runImport();
    QVERIFY2(status.ok, qPrintable(status.message));
    QPdfDocument document;
    QCOMPARE(document.load(airportdata::ChartFilePath(library(), QStringLiteral("KBOS"), category)),
             QPdfDocument::Error::None);
    QCOMPARE(document.pageCount(), pages);
    QCOMPARE(bookmarksOf(document), bookmarks);
}

void TestDtppImport::reportsMissingAndUnreadableCharts()
{
    const Status status = runImport();
    QVERIFY2(status.ok, qPrintable(status.message));
    QCOMPARE(QDir(library() + QStringLiteral("/Airports/KBOS")).entryList(QDir::Files),
             (QStringList{"ADPOS1-1.PDF", "ADPOS2-1.PDF", "ADPOS5-1.PDF", "ADPOS6-1.PDF", "ADPOS8-1.PDF"}));
    QVERIFY(!QFileInfo::exists(library() + QStringLiteral("/Airports/KOWD")));
    const QStringList problems = m_summary.problems();
    QCOMPARE(problems.size(), 3);
    QCOMPARE(problems[0], QStringLiteral("KBOS: 00058L15R.PDF: not in ") + charts());
    QVERIFY2(problems[1].startsWith(QStringLiteral("KOWD: ") + charts() +
                                    QStringLiteral("/00732R35.PDF: not a readable PDF")),
             qPrintable(problems[1]));
    QCOMPARE(problems[2],
             QStringLiteral("KOWD: VISUAL AND I.A.C. not written: none of its charts could be read"));
    QCOMPARE(m_summary.counted(QStringLiteral("chart files written")), 5);
    QCOMPARE(m_summary.counted(QStringLiteral("charts joined into them")), 6);
    QCOMPARE(m_summary.counted(QStringLiteral("pages")), 10);
    QCOMPARE(m_summary.skipped(QStringLiteral("deleted charts (useraction D)")), 1);
    QCOMPARE(m_summary.skipped(QStringLiteral("charts of other kinds (chart code DVA)")), 1);
    QCOMPARE(m_summary.skipped(QStringLiteral("charts of airports without an ICAO code")), 1);
}

void TestDtppImport::addsMissingRecordsOnly()
{
    QVERIFY(QDir().mkpath(library()));
    const QByteArray old("01KJFK|US|KENNEDY|W 073 46 44|N 40 38 23|13 FT|NEW YORK\r\n\r\n");
    fixture::writeFile(library() + QStringLiteral("/airports.txt"), old);

    const Status status = runImport();
    QVERIFY2(status.ok, qPrintable(status.message));
    const QString directory = library() + QStringLiteral("/airports.txt");
    const airportdata::LookupResult added = airportdata::LookUpAirport(directory, QStringLiteral("KBOS"));
    QCOMPARE(added.status, airportdata::LookupStatus::Found);
    QCOMPARE(added.record.headerFields(),
             (QStringList{"01KBOS", "US", "GENERAL EDWARD LAWRENCE LOGAN INTL", "", "", "", "BOSTON"}));
    QCOMPARE(airportdata::LookUpAirport(directory, QStringLiteral("KOWD")).status,
             airportdata::LookupStatus::NotFound);
    QFile backup(directory + QStringLiteral(".bak"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), old);

    // Run again: KBOS has its record now, and the directory is left as it is.
    backup.close();
    QFile written(directory);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray afterFirstRun = written.readAll();
    written.close();
    m_summary = {};
    QVERIFY(runImport().ok);
    QCOMPARE(m_summary.counted(QStringLiteral("directory records added (name and city only)")), 0);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), afterFirstRun);
}

void TestDtppImport::importsOnlyTheAirportsAskedFor()
{
    const Status status = runImport({QStringLiteral("kbos")});
    QVERIFY2(status.ok, qPrintable(status.message));
    QCOMPARE(QDir(library() + QStringLiteral("/Airports")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("KBOS")});
    QCOMPARE(m_summary.problems().size(), 1);
}

void TestDtppImport::airportListedTwiceGetsItsChartsOnce()
{
    fixture::writeFile(m_options.metafile, R"(<digital_tpp><state_code><city_name ID="BOSTON">
<airport_name ID="LOGAN" icao_ident="KBOS">
  <record><chartseq>70000</chartseq><chart_code>APD</chart_code><chart_name>AIRPORT DIAGRAM</chart_name><pdf_name>00058AD.PDF</pdf_name></record>
  <record><chartseq>70000</chartseq><chart_code>APD</chart_code><chart_name>AIRPORT DIAGRAM</chart_name><pdf_name>00058AD.PDF</pdf_name></record>
</airport_name>
<airport_name ID="LOGAN INTL" icao_ident="KBOS">
  <record><chartseq>70000</chartseq><chart_code>APD</chart_code><chart_name>AIRPORT DIAGRAM</chart_name><pdf_name>00058AD.PDF</pdf_name></record>
  <record><chartseq>10100</chartseq><chart_code>MIN</chart_code><chart_name>TAKEOFF MINIMUMS</chart_name><pdf_name>NE2TO.PDF</pdf_name></record>
</airport_name></city_name></state_code></digital_tpp>)");
    const Status status = runImport();
    QVERIFY2(status.ok, qPrintable(status.message));
    QPdfDocument document;
    QCOMPARE(document.load(airportdata::ChartFilePath(library(), QStringLiteral("KBOS"), 1)),
             QPdfDocument::Error::None);
    QCOMPARE(document.pageCount(), 1);
    QCOMPARE(bookmarksOf(document), (QList<Bookmark>{{"AIRPORT DIAGRAM", 0}}));
    QVERIFY(QFileInfo::exists(airportdata::ChartFilePath(library(), QStringLiteral("KBOS"), 0)));
    QCOMPARE(m_summary.counted(QStringLiteral("chart files written")), 2);
    QCOMPARE(m_summary.counted(QStringLiteral("charts joined into them")), 2);
    QCOMPARE(m_summary.skipped(
                 QStringLiteral("chart records that repeat a PDF of the same chart code (joined once)")),
             2);
    QCOMPARE(m_summary.problems(),
             QStringList{"KBOS: listed again in the metafile (as \"LOGAN INTL\"): its charts are merged with "
                         "those of \"LOGAN\""});
}

void TestDtppImport::badInputWritesNothing_data()
{
    QTest::addColumn<QByteArray>("metafile");
    QTest::addColumn<QString>("pdfFolder"); // below the test folder
    QTest::addColumn<QStringList>("airports");
    QTest::addColumn<QString>("message"); // %1 the metafile, %2 the test folder

    QTest::addRow("unreadable XML")
        << QByteArray("<digital_tpp>\n  <state_code ID=\"MA\">\n    <city_name>\n  </state_code>\n")
        << "charts" << QStringList()
        << "%1, line 4, column 15: unreadable XML: Opening and ending tag mismatch.";
    QTest::addRow("not a metafile")
        << QByteArray("<?xml version=\"1.0\"?>\n<html><body/></html>\n") << "charts" << QStringList()
        << "%1, line 2, column 6: not a d-TPP metafile: the root element is <html>, not "
           "<digital_tpp>";
    QTest::addRow("empty metafile") << QByteArray() << "charts" << QStringList()
                                    << "%1, line 1, column 0: unreadable XML: Premature end of document.";
    QTest::addRow("chartseq not a number")
        << QByteArray("<digital_tpp><state_code><city_name><airport_name icao_ident=\"KBOS\">\n"
                      "<record><chartseq>later</chartseq></record></airport_name></city_name></state_code>"
                      "</digital_tpp>")
        << "charts" << QStringList() << "%1, line 2, column 8: chartseq \"later\" is not a number";
    QTest::addRow("no such folder") << kMetafile << "nowhere" << QStringList()
                                    << "%2/nowhere: no such folder";
    QTest::addRow("airport not in the metafile")
        << kMetafile << "charts" << QStringList{"KBOS", "KLAX", "KJFK"}
        << "--airport KJFK, KLAX: not in the metafile";
    QTest::addRow("airport code of the wrong form")
        << kMetafile << "charts" << QStringList{"BOS"} << "--airport BOS: not a four-character ICAO code";
    QTest::addRow("nested 100,000 deep")
        << QByteArray(
               "<digital_tpp><state_code><city_name><airport_name icao_ident=\"KBOS\">\n<record><chartseq>" +
               QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000) +
               "</chartseq></record></airport_name></city_name></state_code></digital_tpp>")
        << "charts" << QStringList()
        << "%1, line 2, column 99: not a d-TPP metafile: elements nested more than 32 deep";
    QTest::addRow("not UTF-8, far into the file")
        << QByteArray(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<digital_tpp>\n" +
               QByteArray("<state_code ID=\"MA\"><city_name ID=\"BOSTON\"/></state_code>\n").repeated(20000) +
               "<state_code ID=\"\xc3\xa9\xe9\"/>\n</digital_tpp>\n")
        << "charts" << QStringList() << "%1, line 20003, column 18: not UTF-8 text";
    QTest::addRow("PDF folder a file") << kMetafile << "d-TPP_Metafile.xml" << QStringList()
                                       << "%2/d-TPP_Metafile.xml: is a file, not a folder";
}

void TestDtppImport::badInputWritesNothing()
{
    QFETCH(QByteArray, metafile);
    QFETCH(QString, pdfFolder);
    QFETCH(QStringList, airports);
    QFETCH(QString, message);

    fixture::writeFile(m_options.metafile, metafile);
    m_options.pdfFolder = m_folder.filePath(pdfFolder);
    const Status status = runImport(airports);
    QVERIFY(!status.ok);
    QCOMPARE(status.message, message.replace(QStringLiteral("%1"), m_options.metafile)
                                 .replace(QStringLiteral("%2"), m_folder.path()));
    QVERIFY(!QFileInfo::exists(library()));
}

QTEST_MAIN(TestDtppImport)
#include "tst_dtppimport.moc"
