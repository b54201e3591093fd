// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartViewer.h"
#include "MainWindowFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTextDocument>

namespace {

// Markup that a rich-text label would obey: reading a device without end, nesting tables until the layout
// overflows its stack, thousands of bold runs.
const QString ReadsForever = QStringLiteral("<img src='/dev/zero'>");
const QString ReadsRandom = QStringLiteral("<img src=\"/dev/urandom\" width=9999>");
const QString NestedTables = QStringLiteral("<table><tr><td>").repeated(64);
const QString BoldRuns = QStringLiteral("<b>").repeated(200) + QStringLiteral("x");

QString shownToolTip(const QWidget *widget)
{
    QTextDocument document;
    document.setHtml(widget->toolTip());
    return document.toPlainText();
}

} // namespace

// Text from the directory, the user or the library folder is shown as it stands, never obeyed as markup.
class HostileTextTest : public QObject {
    Q_OBJECT

private slots:
    void directoryValuesAreShownLiterally_data();
    void directoryValuesAreShownLiterally();
    void codeBoxAndChartMessageAreLiteral();
    void noLabelReadsMarkup();
};

void HostileTextTest::directoryValuesAreShownLiterally_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("value");
    QTest::newRow("name reads /dev/zero") << 1 << ReadsForever;
    QTest::newRow("name nests tables") << 1 << NestedTables;
    QTest::newRow("name in bold runs") << 1 << BoldRuns;
    QTest::newRow("lat reads /dev/urandom") << 3 << ReadsRandom;
    QTest::newRow("height nests tables") << 4 << NestedTables;
    QTest::newRow("runway reads /dev/zero") << 6 << ReadsForever;
    QTest::newRow("frequency in bold runs") << 10 << BoldRuns;
}

void HostileTextTest::directoryValuesAreShownLiterally()
{
    QFETCH(int, slot);
    QFETCH(QString, value);
    QStringList header{QStringLiteral("  HTML"), QStringLiteral("XX"),  QStringLiteral("NAME"),
                       QStringLiteral("E 1"),    QStringLiteral("N 1"), QStringLiteral("1 FT"),
                       QStringLiteral("X")};
    QStringList runway{QStringLiteral("16L"),  QStringLiteral("ASPH"),   QStringLiteral("3900 M"),
                       QStringLiteral("60 M"), QStringLiteral("110.30"), QStringLiteral("163")};
    if (slot < 6)
        header[slot + 1] = value;
    else
        runway[slot - 6] = value;
    MainWindowFixture fixture;
    fixture.writeDirectory((header.join(u'|') + "\r\n" + runway.join(u'|') + "\r\n\r\n").toUtf8());
    fixture.load();
    fixture.lookUp(QStringLiteral("HTML"));

    mainwindow::GridCell *cell = fixture.slot(slot);
    QCOMPARE(cell->text(), value);
    // What the cell draws is the value's own characters, cut with "…" where it does not fit.
    const QString drawn = cell->shownText().lines.join(u' ');
    QVERIFY2(drawn == value || (drawn.endsWith(u'…') && value.startsWith(drawn.chopped(1).trimmed())),
             qPrintable(drawn));
    QCOMPARE(shownToolTip(cell), value);
    QVERIFY(!fixture.window->grab().isNull());
    QCOMPARE(fixture.window->windowTitle(),
             QStringLiteral("VARNELOX VERS. 4.0 - THE AERONAUTICAL CHARTS ALWAYS WITH YOU"));
}

void HostileTextTest::codeBoxAndChartMessageAreLiteral()
{
    MainWindowFixture fixture;
    // A library folder whose name is markup: the chart message names it as it stands.
    const QString folder = fixture.folder.filePath(QStringLiteral("<b>charts"));
    QVERIFY(QDir().mkpath(folder));
    fixture.values.libraryFolder = folder;
    QFile directory(folder + QStringLiteral("/airports.txt"));
    QVERIFY(directory.open(QIODevice::WriteOnly));
    directory.write(sampleDirectory());
    directory.close();
    fixture.load();

    auto *box = fixture.control<QLineEdit>(QStringLiteral("txtIcao"));
    box->insert(QStringLiteral("<i>"));
    QCOMPARE(box->displayText(), QStringLiteral("<i>"));
    fixture.button("cmdClean")->click();
    fixture.lookUp(QStringLiteral("LIRF"));
    QTest::mouseClick(fixture.category(0), Qt::LeftButton);
    auto *viewer = fixture.control<viewer::ChartViewer>(QStringLiteral("openPDF"));
    QTRY_COMPARE(viewer->state(), viewer::ChartViewer::State::Failed);
    auto *message = viewer->findChild<QLabel *>(QStringLiteral("chartMessage"));
    QCOMPARE(message->textFormat(), Qt::PlainText);
    QVERIFY2(message->text().contains(QStringLiteral("<b>charts")), qPrintable(message->text()));
    QCOMPARE(message->text(), viewer->message());
}

void HostileTextTest::noLabelReadsMarkup()
{
    MainWindowFixture fixture;
    fixture.writeDirectory(sampleDirectory());
    fixture.load();
    fixture.lookUp(QStringLiteral("LIRF"));
    int labels = 0;
    for (const QLabel *label : fixture.window->findChildren<QLabel *>()) {
        if (!label->pixmap().isNull())
            continue;
        QVERIFY2(label->textFormat() == Qt::PlainText,
                 qPrintable(label->objectName() + u' ' + label->text()));
        ++labels;
    }
    QVERIFY(labels > 10);
}

QTEST_MAIN(HostileTextTest)
#include "tst_hostiletext.moc"
