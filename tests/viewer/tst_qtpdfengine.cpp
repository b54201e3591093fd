// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixtures.h"
#include "QtPdfEngine.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <list>
#include <memory>

// The engine draws parts of a page so that the render helper can draw two halves of a page at once in two
// processes: parts of one height meet exactly, and halves show the page where a whole page shows it.
class QtPdfEngineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void partsOfOneHeightMeetExactly_data();
    void partsOfOneHeightMeetExactly();
    void halvesShowThePageWhereTheWholeShowsIt();
    void partItCannotDrawIsRefused_data();
    void partItCannotDrawIsRefused();

private:
    std::unique_ptr<render::QtPdfEngine> engineFor(const QString &name);

    QTemporaryDir m_dir;
    std::list<QFile> m_files; // read by the engines as long as they live
};

namespace {

bool near(QRgb pixel, const QColor &colour)
{
    return qAbs(qRed(pixel) - colour.red()) < 60 && qAbs(qGreen(pixel) - colour.green()) < 60 &&
           qAbs(qBlue(pixel) - colour.blue()) < 60 && qAlpha(pixel) > 200;
}

// The middle of the pixels of a colour.
QPointF centreOf(const QImage &image, const QColor &colour)
{
    QPointF sum;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (near(image.pixel(x, y), colour)) {
                sum += QPointF(x, y);
                ++count;
            }
        }
    }
    return count > 0 ? sum / count : QPointF(-1, -1);
}

} // namespace

void QtPdfEngineTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::writeChart(m_dir.filePath(QStringLiteral("chart.pdf")), 1));
    QVERIFY(fixtures::writeCornerChart(m_dir.filePath(QStringLiteral("corners.pdf")), QSizeF(396, 612)));
}

std::unique_ptr<render::QtPdfEngine> QtPdfEngineTest::engineFor(const QString &name)
{
    QFile &file = m_files.emplace_back(m_dir.filePath(name));
    auto engine = std::make_unique<render::QtPdfEngine>();
    if (!file.open(QIODevice::ReadOnly) || engine->open(&file) != viewer::ChartFailure::None)
        return nullptr;
    return engine;
}

void QtPdfEngineTest::partsOfOneHeightMeetExactly_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("screen page, odd height") << QSize(491, 753);
    QTest::newRow("even height") << QSize(505, 714);
}

// Two parts of one height that share 20 rows draw those rows alike.
void QtPdfEngineTest::partsOfOneHeightMeetExactly()
{
    QFETCH(QSize, size);
    const auto engine = engineFor(QStringLiteral("chart.pdf"));
    QVERIFY(engine);
    const int height = size.height() / 2 + 10;
    const QImage upper = engine->draw(0, size, 0, QRect(0, 0, size.width(), height));
    const QImage lower = engine->draw(0, size, 0, QRect(0, size.height() - height, size.width(), height));
    QCOMPARE(upper.height(), height);
    QCOMPARE(lower.height(), height);
    const int shared = 2 * height - size.height();
    int differing = 0;
    for (int row = 0; row < shared; ++row)
        for (int x = 0; x < size.width(); ++x)
            differing += upper.pixel(x, height - shared + row) != lower.pixel(x, row) ? 1 : 0;
    QVERIFY2(differing <= size.width() * shared / 50, qPrintable(QString::number(differing)));
}

// The corners of the page, drawn in halves as the helper draws them, lie where the whole page has them: the
// engine draws a part a shade smaller, its far edge a pixel or two short, at any size.
void QtPdfEngineTest::halvesShowThePageWhereTheWholeShowsIt()
{
    const auto engine = engineFor(QStringLiteral("corners.pdf"));
    QVERIFY(engine);
    const QSize size(330, 511);
    const QImage whole = engine->draw(0, size, 0, {});
    const int half = (size.height() + 1) / 2;
    QImage joined(size, QImage::Format_ARGB32);
    QPainter painter(&joined);
    painter.drawImage(0, 0, engine->draw(0, size, 0, QRect(0, 0, size.width(), half)));
    painter.drawImage(0, size.height() - half,
                      engine->draw(0, size, 0, QRect(0, size.height() - half, size.width(), half)));
    painter.end();
    for (const QColor &corner : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue), QColor(Qt::magenta)}) {
        const QPointF inWhole = centreOf(whole, corner);
        const QPointF inHalves = centreOf(joined, corner);
        QVERIFY(inWhole.x() >= 0);
        QVERIFY2((inWhole - inHalves).manhattanLength() <= 3,
                 qPrintable(QStringLiteral("%1: %2,%3 against %4,%5")
                                .arg(corner.name())
                                .arg(inHalves.x())
                                .arg(inHalves.y())
                                .arg(inWhole.x())
                                .arg(inWhole.y())));
    }
}

void QtPdfEngineTest::partItCannotDrawIsRefused_data()
{
    QTest::addColumn<QRect>("part");
    QTest::addColumn<int>("quarterTurns");
    QTest::newRow("beyond the page") << QRect(0, 200, 300, 300) << 0;
    QTest::newRow("of a turned page") << QRect(0, 0, 300, 200) << 1;
}

void QtPdfEngineTest::partItCannotDrawIsRefused()
{
    QFETCH(QRect, part);
    QFETCH(int, quarterTurns);
    const auto engine = engineFor(QStringLiteral("chart.pdf"));
    QVERIFY(engine);
    QVERIFY(engine->draw(0, QSize(300, 424), quarterTurns, part).isNull());
}

QTEST_MAIN(QtPdfEngineTest)
#include "tst_qtpdfengine.moc"
