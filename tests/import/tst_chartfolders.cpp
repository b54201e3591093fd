// SPDX-License-Identifier: GPL-3.0-or-later
// The chart folders an import writes: each airport's replaced whole, what the import does not write kept,
// links left alone, the same bytes for the same charts, and inputs that are no files refused for what they
// are.

#include "DtppFixture.h"

#include "ChartLibrary.h"

#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

using namespace import;

class TestChartFolders : public DtppLibraryTest {
    Q_OBJECT

private slots:
    void sameChartsGiveTheSameBytes();
    void replacesTheAirportFolderKeepingWhatItDoesNotWrite();
    void leavesLinksInTheLibraryAlone();
    void chartThatIsAPipeIsReported();
    void inputsThatAreNoFilesAreRefused_data();
    void inputsThatAreNoFilesAreRefused();
};

// Backups and sync tools see no change when the same charts are imported again.
void TestChartFolders::sameChartsGiveTheSameBytes()
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

// The airport's folder is replaced whole, and what the import does not write in it stays.
void TestChartFolders::replacesTheAirportFolderKeepingWhatItDoesNotWrite()
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
void TestChartFolders::leavesLinksInTheLibraryAlone()
{
    // Two airports whose charts can be read, so that a link would receive them.
    QByteArray metafile("<digital_tpp><state_code><city_name ID=\"BOSTON\">\n");
    for (const char *code : {"KBOS", "KOWD"}) {
        metafile +=
            QByteArray("<airport_name ID=\"FIELD\" icao_ident=\"") + code +
            "\">"
            "<record><chartseq>1</chartseq><chart_code>MIN</chart_code><chart_name>MINIMUMS</chart_name>"
            "<pdf_name>NE2TO.PDF</pdf_name></record>"
            "<record><chartseq>2</chartseq><chart_code>APD</chart_code><chart_name>DIAGRAM</chart_name>"
            "<pdf_name>00058AD.PDF</pdf_name></record></airport_name>\n";
    }
    fixture::writeFile(m_options.metafile, metafile + "</city_name></state_code></digital_tpp>\n");
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
void TestChartFolders::chartThatIsAPipeIsReported()
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

void TestChartFolders::inputsThatAreNoFilesAreRefused_data()
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

void TestChartFolders::inputsThatAreNoFilesAreRefused()
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

QTEST_MAIN(TestChartFolders)
#include "tst_chartfolders.moc"
