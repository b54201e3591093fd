// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "TextFitting.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

using mainwindow::GridCell;

namespace {

// A record of the widest values a directory can hold: designators of parallel runways, a long name, long
// positions and a height with words.
const QString LongName = QStringLiteral("SAN FRANCISCO OAKLAND BAY INTERNATIONAL AND REGIONAL AIRPORT X");
const QString WideHeight = QStringLiteral("12345 FT ABOVE MSL");

QByteArray worstCaseDirectory()
{
    return "  WRST|XX|" + LongName.toLatin1() + "|E 012 14 20.125|N 41 48 01.125|" + WideHeight.toLatin1() +
           "|X\r\n"
           "09R/27L|ASPH|12345 M|60 M|110.30/109.90|163/343||||||\r\n"
           "04R/22L|ASPH|4000 M|60 M|108.95|043||||||\r\n"
           "09L/27R|ASPH|WWWWWWWW|60 M|WWWWWWWWWW|WWWWWWWW||||||\r\n"
           "18C/36C|ASPH|3000 M|45 M|111.95|180||||||\r\n"
           "\r\n";
}

bool isShown(const GridCell *cell)
{
    return cell->parentWidget()->objectName() != QLatin1String("Frame2");
}

bool isCut(const mainwindow::FittedText &shown)
{
    return !shown.lines.isEmpty() && shown.lines.last().endsWith(u'…');
}

// The text a rich tool tip shows on screen.
QString shownToolTip(const QWidget *widget)
{
    QTextDocument document;
    document.setHtml(widget->toolTip());
    return document.toPlainText();
}

// Fails the test when the value is drawn below the smallest size, outside its text area, touching the
// cell's border, or changed without being cut.
void verifyPaintedInside(GridCell *cell, const QString &where)
{
    const mainwindow::FittedText &shown = cell->shownText();
    const QString context = where + QStringLiteral(" \"%1\"").arg(cell->text());
    QVERIFY2(shown.font.pointSizeF() >= cell->font().pointSizeF() * mainwindow::SmallestFontScale - 0.01,
             qPrintable(context));
    const QFontMetricsF metrics(shown.font);
    const QRectF area = cell->textArea();
    QVERIFY2(shown.lines.size() * metrics.height() <= area.height(), qPrintable(context));
    for (const QString &line : shown.lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= area.width(), qPrintable(context + u' ' + line));
    if (!isCut(shown))
        QCOMPARE(shown.lines.join(u' ').simplified(), cell->text().simplified());

    // What is painted leaves the line just inside the border empty on every side.
    const QImage image = cell->grab().toImage();
    const QRgb paper = cell->palette().color(QPalette::Base).rgb();
    const int right = image.width() - 2;
    const int bottom = image.height() - 2;
    for (int y = 1; y <= bottom; ++y) {
        QVERIFY2(image.pixel(1, y) == paper && image.pixel(right, y) == paper, qPrintable(context));
    }
    for (int x = 1; x <= right; ++x) {
        QVERIFY2(image.pixel(x, 1) == paper && image.pixel(x, bottom) == paper, qPrintable(context));
    }
}

} // namespace

// The values of the airport data grid: every value stands whole in its cell, in a smaller size or on two
// lines where that makes room, else is cut with "…" and whole in its tool tip.
class GridCellTest : public QObject {
    Q_OBJECT

private slots:
    void everyValuePaintsInsideItsCell_data();
    void everyValuePaintsInsideItsCell();
    void runwayDesignatorsStandWhole_data();
    void runwayDesignatorsStandWhole();
    void tooWideValueIsCutAndWholeInItsToolTip();
    void valueWrapsOnlyWhereTheCellHasTheHeight();
};

void GridCellTest::everyValuePaintsInsideItsCell_data()
{
    QTest::addColumn<QByteArray>("directory");
    QFile sample(qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/airports.txt"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QTest::newRow("sample directory") << sample.readAll();
    QTest::newRow("worst cases") << worstCaseDirectory();
}

void GridCellTest::everyValuePaintsInsideItsCell()
{
    QFETCH(QByteArray, directory);
    MainWindowFixture fixture;
    fixture.writeDirectory(directory);
    fixture.load();
    const QRegularExpression header(QStringLiteral("^..([A-Z]{4})\\|"), QRegularExpression::MultilineOption);
    int airports = 0;
    for (const QRegularExpressionMatch &match : header.globalMatch(QString::fromLatin1(directory))) {
        fixture.button("cmdClean")->click();
        fixture.lookUp(match.captured(1));
        QVERIFY(!fixture.slot(1)->text().isEmpty());
        for (int slot = 1; slot < 150; ++slot) {
            if (isShown(fixture.slot(slot)))
                verifyPaintedInside(fixture.slot(slot), match.captured(1));
        }
        ++airports;
    }
    QVERIFY(airports >= 1);
}

void GridCellTest::runwayDesignatorsStandWhole_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("value");
    QTest::newRow("09R/27L") << 6 << "09R/27L";
    QTest::newRow("04R/22L") << 18 << "04R/22L";
    QTest::newRow("09L/27R") << 30 << "09L/27R";
    QTest::newRow("18C/36C") << 42 << "18C/36C";
}

void GridCellTest::runwayDesignatorsStandWhole()
{
    QFETCH(int, slot);
    QFETCH(QString, value);
    MainWindowFixture fixture;
    fixture.writeDirectory(worstCaseDirectory());
    fixture.load();
    fixture.lookUp(QStringLiteral("WRST"));
    QCOMPARE(fixture.slot(slot)->text(), value);
    QCOMPARE(fixture.slot(slot)->shownText().lines, QStringList{value});
}

void GridCellTest::tooWideValueIsCutAndWholeInItsToolTip()
{
    QCOMPARE(LongName.size(), 62);
    MainWindowFixture fixture;
    fixture.writeDirectory(worstCaseDirectory());
    fixture.load();
    fixture.lookUp(QStringLiteral("WRST"));
    GridCell *name = fixture.slot(1);
    QCOMPARE(name->text(), LongName);
    QCOMPARE(name->shownText().lines.size(), 1);
    const QString line = name->shownText().lines.front();
    QVERIFY2(line.endsWith(u'…'), qPrintable(line));
    QVERIFY(LongName.startsWith(line.chopped(1).trimmed()));
    QCOMPARE(shownToolTip(name), LongName);

    fixture.button("cmdClean")->click();
    QVERIFY(name->toolTip().isEmpty());
    QVERIFY(name->shownText().lines.isEmpty());
}

void GridCellTest::valueWrapsOnlyWhereTheCellHasTheHeight()
{
    MainWindowFixture fixture;
    fixture.writeDirectory("  WRAP|XX|NAME|" + LongName.toLatin1() + "|E 1|" + WideHeight.toLatin1() +
                           "|X\r\n\r\n");
    fixture.load();
    fixture.lookUp(QStringLiteral("WRAP"));
    // The height cell is tall enough for two lines, the cell under "LONG" is not.
    QCOMPARE(fixture.slot(4)->shownText().lines, QStringList({"12345 FT", "ABOVE MSL"}));
    QCOMPARE(fixture.slot(2)->text(), LongName);
    QCOMPARE(fixture.slot(2)->shownText().lines.size(), 1);
    QVERIFY(isCut(fixture.slot(2)->shownText()));
    verifyPaintedInside(fixture.slot(4), QStringLiteral("height"));
    verifyPaintedInside(fixture.slot(2), QStringLiteral("long"));
}

QTEST_MAIN(GridCellTest)
#include "tst_gridcell.moc"
