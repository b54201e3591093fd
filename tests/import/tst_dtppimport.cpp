#include "ChartJoiner.h"
#include "ChartOrder.h"
#include "DtppImport.h"
#include "FixtureFiles.h"
#include "ImportSummary.h"
#include "ProgressLine.h"

#include "AirportDirectory.h"
#include "ChartLibrary.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace import;

namespace {

// A metafile in the FAA's format: continuation pages, a deleted record, a missing PDF, an unreadable PDF,
// a chart code of no category, an airport without an ICAO code, records given out of chartseq order.
const QByteArray kMetafile = R"(<?xml version="1.0" encoding="UTF-8"?>
<digital_tpp cycle="2501" from_edate="0901Z  01/23/25" to_edate="0901Z  02/20/25">
  <state_code ID="MA" state_fullname="Massachusetts">
    <city_name ID="BOSTON" volume="NE-2">
      <airport_name ID="GENERAL EDWARD LAWRENCE LOGAN INTL" military="N" apt_ident="BOS" icao_ident="KBOS" alnum="58">
        <record><chartseq>10100</chartseq><chart_code>MIN</chart_code><chart_name>TAKEOFF MINIMUMS</chart_name>
          <useraction></useraction><pdf_name>NE2TO.PDF</pdf_name></record>
        <record><chartseq>50750</chartseq><chart_code>IAP</chart_code><chart_name>ILS OR LOC RWY 04R</chart_name>
          <useraction></useraction><pdf_name>00058IL4R.PDF</pdf_name></record>
        <record><chartseq>50750</chartseq><chart_code>IAP</chart_code><chart_name>ILS OR LOC RWY 04R, CONT.1</chart_name>
          <useraction>A</useraction><pdf_name>00058IL4R_C.PDF</pdf_name></record>
        <record><chartseq>50500</chartseq><chart_code>IAP</chart_code><chart_name>RNAV (GPS) RWY 22L</chart_name>
          <useraction>C</useraction><pdf_name>00058R22L.PDF</pdf_name></record>
        <record><chartseq>53000</chartseq><chart_code>IAP</chart_code><chart_name>VOR RWY 04L</chart_name>
          <useraction>D</useraction><pdf_name>DELETED_JOB.PDF</pdf_name></record>
        <record><chartseq>54000</chartseq><chart_code>IAP</chart_code><chart_name>LOC RWY 15R</chart_name>
          <useraction></useraction><pdf_name>00058L15R.PDF</pdf_name></record>
        <record><chartseq>70000</chartseq><chart_code>APD</chart_code><chart_name>AIRPORT DIAGRAM</chart_name>
          <useraction></useraction><pdf_name>00058AD.PDF</pdf_name></record>
        <record><chartseq>90100</chartseq><chart_code>DP</chart_code><chart_name>BOSTON FIVE, CONT.1</chart_name>
          <useraction></useraction><pdf_name>00058BOSTON_C.PDF</pdf_name></record>
        <record><chartseq>90100</chartseq><chart_code>DP</chart_code><chart_name>BOSTON FIVE</chart_name>
          <useraction></useraction><pdf_name>00058BOSTON.PDF</pdf_name></record>
        <record><chartseq>10700</chartseq><chart_code>HOT</chart_code><chart_name>HOT SPOT</chart_name>
          <useraction></useraction><pdf_name>NE2HOT.PDF</pdf_name></record>
        <record><chartseq>99999</chartseq><chart_code>DVA</chart_code><chart_name>DIVERSE VECTOR AREA</chart_name>
          <useraction></useraction><pdf_name>00058DVA.PDF</pdf_name></record>
      </airport_name>
      <airport_name ID="NORWOOD MEMORIAL" military="N" apt_ident="OWD" icao_ident="KOWD" alnum="732">
        <record><chartseq>53525</chartseq><chart_code>IAP</chart_code><chart_name>RNAV (GPS) RWY 35</chart_name>
          <useraction></useraction><pdf_name>00732R35.PDF</pdf_name></record>
      </airport_name>
      <airport_name ID="TINY STRIP" military="N" apt_ident="1B9" icao_ident="" alnum="999">
        <record><chartseq>10100</chartseq><chart_code>MIN</chart_code><chart_name>TAKEOFF MINIMUMS</chart_name>
          <useraction></useraction><pdf_name>NE2TO.PDF</pdf_name></record>
      </airport_name>
    </city_name>
  </state_code>
</digital_tpp>
)";

// A chart PDF of the given number of pages, each naming the file and the page.
void writeChart(const QString &path, int pages)
{
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(QPointF(200, 400),
                         QStringLiteral("%1 page %2").arg(QFileInfo(path).fileName()).arg(page));
    }
}

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

class TestDtppImport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void ordersCharts_data();
    void ordersCharts();
    void joinsEachCategory_data();
    void joinsEachCategory();
    void reportsMissingAndUnreadableCharts();
    void addsMissingRecordsOnly();
    void importsOnlyTheAirportsAskedFor();
    void sameChartsGiveTheSameBytes();
    void airportListedTwiceGetsItsChartsOnce();
    void replacesTheAirportFolderKeepingWhatItDoesNotWrite();
    void leavesLinksInTheLibraryAlone();
    void chartThatIsAPipeIsReported();
    void badInputWritesNothing_data();
    void badInputWritesNothing();
    void inputsThatAreNoFilesAreRefused_data();
    void inputsThatAreNoFilesAreRefused();

private:
    Status runImport(const QStringList &airports = {});
    QString library() const { return m_folder.filePath(QStringLiteral("library")); }
    QString charts() const { return m_folder.filePath(QStringLiteral("charts")); }

    QTemporaryDir m_folder;
    DtppOptions m_options;
    ImportSummary m_summary;
};

void TestDtppImport::initTestCase()
{
    QVERIFY(QDir().mkpath(charts()));
    const QList<std::pair<const char *, int>> files{
        {"NE2TO.PDF", 2},   {"00058IL4R.PDF", 1},   {"00058IL4R_C.PDF", 1},   {"00058R22L.PDF", 1},
        {"00058AD.PDF", 1}, {"00058BOSTON.PDF", 2}, {"00058BOSTON_C.PDF", 1}, {"NE2HOT.PDF", 1}};
    for (const auto &[name, pages] : files)
        writeChart(QDir(charts()).filePath(QString::fromLatin1(name)), pages);
    fixture::writeFile(QDir(charts()).filePath(QStringLiteral("00732R35.PDF")),
                       "%PDF-1.4\nthis is no chart\n");
    // Lower case on disk: found all the same.
    QVERIFY(QFile::rename(QDir(charts()).filePath(QStringLiteral("NE2HOT.PDF")),
                          QDir(charts()).filePath(QStringLiteral("ne2hot.pdf"))));
}

void TestDtppImport::init()
{
    QVERIFY(QDir(library()).removeRecursively());
    m_options = {m_folder.filePath(QStringLiteral("d-TPP_Metafile.xml")), charts(), {}, library()};
    fixture::writeFile(m_options.metafile, kMetafile);
    m_summary = {};
}

Status TestDtppImport::runImport(const QStringList &airports)
{
    m_options.airports = airports;
    ProgressLine progress(nullptr, false);
    return importDtpp(m_options, m_summary, progress);
}

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

// Backups and sync tools see no change when the same charts are imported again.
void TestDtppImport::sameChartsGiveTheSameBytes()
{
    QVERIFY(runImport().ok);
    const QString chart = airportdata::ChartFilePath(library(), QStringLiteral("KBOS"), 4);
    const QByteArray first = fixture::readFile(chart);
    QVERIFY(!first.isEmpty());
    QVERIFY(QDir(library()).removeRecursively());
    QTest::qWait(1100); // a time stamp in the file would differ now
    QVERIFY(runImport().ok);
    QCOMPARE(fixture::readFile(chart), first);
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

// The airport's folder is replaced whole, and what the import does not write in it stays.
void TestDtppImport::replacesTheAirportFolderKeepingWhatItDoesNotWrite()
{
    const QString folder = library() + QStringLiteral("/Airports/KBOS");
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/notes")));
    fixture::writeFile(folder + QStringLiteral("/ADPOS2-1.PDF"), "old aerodrome chart");
    fixture::writeFile(folder + QStringLiteral("/ADPOS3-1.PDF"), "own obstacle chart");
    fixture::writeFile(folder + QStringLiteral("/notes/taxi.txt"), "notes");
    QVERIFY(QFile::link(QStringLiteral("ADPOS3-1.PDF"), folder + QStringLiteral("/obstacles.pdf")));
    // Left by an import that was killed: removed.
    QVERIFY(QDir().mkpath(library() + QStringLiteral("/Airports/.import-KOWD")));

    const Status status = runImport();
    QVERIFY2(status.ok, qPrintable(status.message));
    QVERIFY(fixture::readFile(folder + QStringLiteral("/ADPOS2-1.PDF")).startsWith("%PDF"));
    QCOMPARE(fixture::readFile(folder + QStringLiteral("/ADPOS3-1.PDF")), "own obstacle chart");
    QCOMPARE(fixture::readFile(folder + QStringLiteral("/notes/taxi.txt")), "notes");
    QCOMPARE(QFileInfo(folder + QStringLiteral("/obstacles.pdf")).symLinkTarget(),
             folder + QStringLiteral("/ADPOS3-1.PDF"));
    QCOMPARE(QDir(library() + QStringLiteral("/Airports"))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("KBOS")});
}

// The import writes nothing through a link: the library's own files are replaced, and a link inside the
// library is reported and left as it is.
void TestDtppImport::leavesLinksInTheLibraryAlone()
{
    const QString elsewhere = m_folder.filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir(elsewhere).removeRecursively());
    QVERIFY(QDir().mkpath(elsewhere + QStringLiteral("/KOWD")));
    QVERIFY(QDir().mkpath(library() + QStringLiteral("/Airports/KBOS")));
    fixture::writeFile(elsewhere + QStringLiteral("/chart.pdf"), "someone else's chart");
    QVERIFY(QFile::link(elsewhere + QStringLiteral("/KOWD"), library() + QStringLiteral("/Airports/KOWD")));
    const QString linkedChart = library() + QStringLiteral("/Airports/KBOS/ADPOS2-1.PDF");
    QVERIFY(QFile::link(elsewhere + QStringLiteral("/chart.pdf"), linkedChart));

    QVERIFY(runImport().ok);
    QCOMPARE(QDir(elsewhere + QStringLiteral("/KOWD")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
    QCOMPARE(fixture::readFile(elsewhere + QStringLiteral("/chart.pdf")), "someone else's chart");
    QCOMPARE(QFileInfo(linkedChart).symLinkTarget(), elsewhere + QStringLiteral("/chart.pdf"));
    QVERIFY(fixture::readFile(library() + QStringLiteral("/Airports/KBOS/ADPOS1-1.PDF")).startsWith("%PDF"));
    QVERIFY(
        m_summary.problems().contains(library() + QStringLiteral("/Airports/KOWD: a link, left alone: the "
                                                                 "airport's charts are not written")));
    QVERIFY(
        m_summary.problems().contains(linkedChart + QStringLiteral(": a link, left alone: the chart is not "
                                                                   "written")));

    // airports.txt a link: the import stops before it writes anything.
    fixture::writeFile(elsewhere + QStringLiteral("/airports.txt"), "01KJFK|US|KENNEDY|||||\r\n\r\n");
    QVERIFY(QFile::remove(library() + QStringLiteral("/airports.txt")));
    QVERIFY(QFile::link(elsewhere + QStringLiteral("/airports.txt"),
                        library() + QStringLiteral("/airports.txt")));
    const QString chart = library() + QStringLiteral("/Airports/KBOS/ADPOS1-1.PDF");
    QVERIFY(QFile::remove(chart));
    const Status stopped = runImport();
    QVERIFY(!stopped.ok);
    QVERIFY2(stopped.message.startsWith(library() + QStringLiteral("/airports.txt: is a link")),
             qPrintable(stopped.message));
    QCOMPARE(fixture::readFile(elsewhere + QStringLiteral("/airports.txt")),
             "01KJFK|US|KENNEDY|||||\r\n\r\n");
    QVERIFY(!QFileInfo::exists(chart));
}

// A chart file that is a pipe would hold the import up for ever: it is reported for what it is.
void TestDtppImport::chartThatIsAPipeIsReported()
{
    const QString pipe = QDir(charts()).filePath(QStringLiteral("00058AD.PDF"));
    const QString kept = pipe + QStringLiteral(".kept");
    QVERIFY(QFile::rename(pipe, kept));
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    const Status status = runImport();
    QFile::remove(pipe);
    QVERIFY(QFile::rename(kept, pipe));
    QVERIFY2(status.ok, qPrintable(status.message));
    QVERIFY(m_summary.problems().contains(QStringLiteral("KBOS: %1: is a pipe, not a file").arg(pipe)));
    QVERIFY(!QFileInfo::exists(airportdata::ChartFilePath(library(), QStringLiteral("KBOS"), 1)));
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

void TestDtppImport::inputsThatAreNoFilesAreRefused_data()
{
    QTest::addColumn<QString>("metafile"); // %1: a pipe in the test folder
    QTest::addColumn<QString>("library");  // %2: the test folder
    QTest::addColumn<QString>("message");

    QTest::addRow("metafile a pipe") << "%1"
                                     << "%2/library"
                                     << "%1: is a pipe, not a file";
    QTest::addRow("metafile a device") << "/dev/zero"
                                       << "%2/library"
                                       << "/dev/zero: is a device, not a file";
    QTest::addRow("metafile a folder") << "%2"
                                       << "%2/library"
                                       << "%2: is a folder, not a file";
    QTest::addRow("library a file") << "%2/d-TPP_Metafile.xml"
                                    << "%2/d-TPP_Metafile.xml"
                                    << "%2/d-TPP_Metafile.xml: is a file, not a folder";
    QTest::addRow("library below a file") << "%2/d-TPP_Metafile.xml"
                                          << "%2/d-TPP_Metafile.xml/library"
                                          << "%2/d-TPP_Metafile.xml/library: cannot be made: "
                                             "%2/d-TPP_Metafile.xml: is a file, not a folder";
    QTest::addRow("airports.txt a pipe") << "%2/d-TPP_Metafile.xml"
                                         << "%2/library"
                                         << "%2/library/airports.txt: is a pipe, not a file";
}

void TestDtppImport::inputsThatAreNoFilesAreRefused()
{
    QFETCH(QString, metafile);
    QFETCH(QString, library);
    QFETCH(QString, message);

    const QString pipe = m_folder.filePath(QStringLiteral("pipe"));
    QFile::remove(pipe);
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    if (QTest::currentDataTag() == QByteArrayView("airports.txt a pipe")) {
        QVERIFY(QDir().mkpath(this->library()));
        QVERIFY(mkfifo(QFile::encodeName(this->library() + QStringLiteral("/airports.txt")).constData(),
                       0600) == 0);
    }
    const auto expand = [&](QString text) {
        return text.replace(QStringLiteral("%1"), pipe).replace(QStringLiteral("%2"), m_folder.path());
    };
    m_options.metafile = expand(metafile);
    m_options.libraryFolder = expand(library);
    const Status status = runImport();
    QVERIFY(!status.ok);
    QCOMPARE(status.message, expand(message));
}

QTEST_MAIN(TestDtppImport)
#include "tst_dtppimport.moc"
