// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using airportdata::ChartFilePath;
using airportdata::OpenableChartPath;

class TestChartLibrary : public QObject {
    Q_OBJECT

private slots:
    void chartFilePath_data();
    void chartFilePath();
    void openableChartPath_data();
    void openableChartPath();
};

void TestChartLibrary::chartFilePath_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");

    const QStringList suffixes{"1-1", "2-1", "3-1", "4-1", "5-1", "6-1", "8-1"};
    for (int index = 0; index < suffixes.size(); ++index) {
        QTest::addRow("index %d", index)
            << "ABCD" << index << QStringLiteral("/c/Airports/ABCD/ADPCD%1.PDF").arg(suffixes[index]);
    }
    QTest::addRow("QRST") << "QRST" << 3 << "/c/Airports/QRST/ADPST4-1.PDF";
    QTest::addRow("three characters") << "ABC" << 0 << "/c/Airports/ABC/ADPC1-1.PDF";
    QTest::addRow("two characters") << "AB" << 0 << "/c/Airports/AB/ADP1-1.PDF";
    QTest::addRow("index below the table") << "ABCD" << -1 << "";
    QTest::addRow("index past the table") << "ABCD" << 7 << "";
    QTest::addRow("digits") << "K2J0" << 0 << "/c/Airports/K2J0/ADPJ01-1.PDF";
    // Codes that would lead out of the library or into another folder of it name no chart.
    for (const char *code : {"../X", "..", "../", ".", "A/B", "A\\B", "/", "", "lirf", "LI F", "LIR\xC3\x89"})
        QTest::addRow("code \"%s\"", code) << QString::fromUtf8(code) << 0 << "";
}

void TestChartLibrary::chartFilePath()
{
    QFETCH(QString, code);
    QFETCH(int, index);
    QFETCH(QString, path);

    QCOMPARE(ChartFilePath(QStringLiteral("/c"), code, index), path);
}

// Fixture entries below a temporary folder that holds the program folder "program" and a folder "outside":
// "path" makes a file, "path/" a folder, "path -> target" a link to target (also below the temporary folder).
void TestChartLibrary::openableChartPath_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("chart"); // below the program folder
    // Below the program folder; empty: the chart path unchanged; "-": no chart (an empty path).
    QTest::addColumn<QString>("openable");

    const QString chart = QStringLiteral("Airports/LIRF/ADPRF1-1.PDF");
    QTest::addRow("exact file") << QStringList{"program/Airports/LIRF/ADPRF1-1.PDF"} << chart << "";
    QTest::addRow("library copied from Windows")
        << QStringList{"program/Airports/lirf/adprf1-1.pdf"} << chart << "Airports/lirf/adprf1-1.pdf";
    // The exact folder comes before the lower-case one that has the chart in its exact name.
    QTest::addRow("exact folder preferred")
        << QStringList{"program/Airports/LIRF/adprf1-1.pdf", "program/Airports/lirf/ADPRF1-1.PDF"} << chart
        << "Airports/LIRF/adprf1-1.pdf";
    QTest::addRow("other folder when the exact one lacks the chart")
        << QStringList{"program/Airports/LIRF/ADPRF2-1.PDF", "program/Airports/lirf/adprf1-1.pdf"} << chart
        << "Airports/lirf/adprf1-1.pdf";
    QTest::addRow("ambiguous names in code-point order")
        << QStringList{"program/Airports/lirf/adprf1-1.pdf", "program/Airports/lirf/Adprf1-1.pdf"} << chart
        << "Airports/lirf/Adprf1-1.pdf";
    QTest::addRow("folder named like the chart passed over")
        << QStringList{"program/Airports/Lirf/adprf1-1.pdf/", "program/Airports/lirf/adprf1-1.pdf"} << chart
        << "Airports/lirf/adprf1-1.pdf";
    QTest::addRow("nothing matches") << QStringList{"program/Airports/LIRF/ADPRF2-1.PDF"} << chart << "";
    QTest::addRow("library folder in lower case")
        << QStringList{"program/airports/lirf/adprf1-1.pdf"} << chart << "airports/lirf/adprf1-1.pdf";
    QTest::addRow("exact library folder preferred")
        << QStringList{"program/Airports/lirf/adprf1-1.pdf", "program/airports/LIRF/ADPRF1-1.PDF"} << chart
        << "Airports/lirf/adprf1-1.pdf";
    QTest::addRow("no library") << QStringList{"program/Charts/LIRF/ADPRF1-1.PDF"} << chart << "";
    // One rule for links, at the exact name and in any other case: inside the library's real path they are
    // followed, out of it there is no chart (an empty path).
    QTest::addRow("folder link inside the library")
        << QStringList{"program/Airports/store/adprf1-1.pdf",
                       "program/Airports/lirf -> program/Airports/store"}
        << chart << "Airports/lirf/adprf1-1.pdf";
    QTest::addRow("file link inside the library, exact name")
        << QStringList{"program/Airports/store/chart.pdf",
                       "program/Airports/LIRF/ADPRF1-1.PDF -> program/Airports/store/chart.pdf"}
        << chart << "Airports/LIRF/ADPRF1-1.PDF";
    QTest::addRow("library folder itself a link")
        << QStringList{"store/LIRF/ADPRF1-1.PDF", "program/Airports -> store"} << chart << "";
    QTest::addRow("file link out of the library, exact name")
        << QStringList{"outside/secret.pdf", "program/Airports/LIRF/ADPRF1-1.PDF -> outside/secret.pdf"}
        << chart << "-";
    QTest::addRow("file link out of the library, other case")
        << QStringList{"outside/secret.pdf", "program/Airports/LIRF/adprf1-1.pdf -> outside/secret.pdf"}
        << chart << "-";
    QTest::addRow("folder link out of the library, exact name")
        << QStringList{"outside/ADPRF1-1.PDF", "program/Airports/LIRF -> outside"} << chart << "-";
    QTest::addRow("folder link out of the library, other case")
        << QStringList{"outside/adprf1-1.pdf", "program/Airports/lirf -> outside"} << chart << "-";
    QTest::addRow("link out passed over for a chart inside")
        << QStringList{"outside/ADPRF1-1.PDF", "program/Airports/LIRF -> outside",
                       "program/Airports/lirf/adprf1-1.pdf"}
        << chart << "Airports/lirf/adprf1-1.pdf";
    QTest::addRow("dangling link is a missing chart")
        << QStringList{"program/Airports/LIRF/ADPRF1-1.PDF -> outside/none.pdf"} << chart << "";
    QTest::addRow("no escape through ..") << QStringList{"program/ADP1-1.pdf"} << "Airports/../ADP1-1.PDF"
                                          << "";
    QTest::addRow("no absolute component")
        << QStringList{"outside/adp1-1.pdf"} << "Airports//outside/adp1-1.PDF"
        << "";
}

void TestChartLibrary::openableChartPath()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, chart);
    QFETCH(QString, openable);

    const QTemporaryDir root;
    const QDir rootDir(root.path());
    for (const QString &entry : entries) {
        const QStringList link = entry.split(QStringLiteral(" -> "));
        const QString path = root.filePath(link[0]);
        QVERIFY(rootDir.mkpath(QFileInfo(path).path()));
        if (link.size() == 2) {
            QVERIFY(QFile::link(root.filePath(link[1]), path));
        } else if (entry.endsWith(QLatin1Char('/'))) {
            QVERIFY(rootDir.mkpath(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    const QString program = root.filePath(QStringLiteral("program"));
    const QString chartPath = program + QLatin1Char('/') + chart;
    const QString expected = openable == QLatin1String("-") ? QString()
                             : openable.isEmpty()           ? chartPath
                                                            : program + QLatin1Char('/') + openable;
    QCOMPARE(OpenableChartPath(program, chartPath), expected);
}

QTEST_GUILESS_MAIN(TestChartLibrary)
#include "tst_chartlibrary.moc"
