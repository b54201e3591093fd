// SPDX-License-Identifier: GPL-3.0-or-later
#include "Artwork.h"

#include <QImage>
#include <QSet>
#include <QTest>

using resources::Picture;

class ArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void rendersAtNaturalSize_data();
    void rendersAtNaturalSize();
    void rendersAtAskedSize();
    void emptySizeGivesNoPicture();
    void sizesTheWindowsShowAreRenderedAtBuildTime_data();
    void sizesTheWindowsShowAreRenderedAtBuildTime();
};

void ArtworkTest::rendersAtNaturalSize_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparentCorners");

    QTest::newRow("tower icon") << Picture::TowerIcon << QSize(156, 145) << false;
    QTest::newRow("banner") << Picture::Banner << QSize(205, 207) << false;
    QTest::newRow("box cover") << Picture::BoxCover << QSize(400, 573) << false;
    QTest::newRow("approach chart") << Picture::ApproachChart << QSize(376, 648) << false;
    QTest::newRow("calculator") << Picture::Calculator << QSize(32, 32) << true;
    QTest::newRow("printer") << Picture::Printer << QSize(32, 32) << true;
    QTest::newRow("bucket and mop") << Picture::BucketAndMop << QSize(32, 32) << true;
    QTest::newRow("airliner FS9") << Picture::AirlinerFs9 << QSize(32, 32) << false;
    QTest::newRow("exit door") << Picture::ExitDoor << QSize(57, 57) << true;
    QTest::newRow("question badge") << Picture::QuestionBadge << QSize(32, 32) << true;
}

// Every picture is drawn, not a blank or a single fill: many colours and most of the area covered.
void ArtworkTest::rendersAtNaturalSize()
{
    QFETCH(Picture, picture);
    QFETCH(QSize, size);
    QFETCH(bool, transparentCorners);

    QCOMPARE(resources::naturalSize(picture), size);
    const QImage image = resources::render(picture).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), size);

    QSet<QRgb> colours;
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            colours.insert(pixel);
            covered += qAlpha(pixel) > 0 ? 1 : 0;
        }
    }
    QVERIFY2(colours.size() >= 16, qPrintable(QString::number(colours.size())));
    QVERIFY(covered * 3 >= image.width() * image.height());
    QCOMPARE(qAlpha(image.pixel(0, 0)) == 0, transparentCorners);
}

void ArtworkTest::rendersAtAskedSize()
{
    const QPixmap large = resources::render(Picture::AirlinerFs9, QSize(96, 64));
    QCOMPARE(large.size(), QSize(96, 64));
    const QImage image = large.toImage();
    QVERIFY(image.pixel(48, 60) != image.pixel(48, 4)); // sea below, sky above
}

void ArtworkTest::emptySizeGivesNoPicture()
{
    QVERIFY(resources::render(Picture::Banner, QSize(0, 10)).isNull());
    QVERIFY(resources::render(Picture::Banner, QSize(-5, -5)).isNull());
}

void ArtworkTest::sizesTheWindowsShowAreRenderedAtBuildTime_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<QSize>("size");

    // Window icons at their natural size; buttons at twice their 32-pixel icon size; the stretched pictures
    // of the chart area and the picture beneath the data frames at their box sizes, at ratios 1 and 2.
    QTest::newRow("main window icon") << Picture::TowerIcon << QSize(156, 145);
    QTest::newRow("companion window icon") << Picture::AirlinerFs9 << QSize(32, 32);
    for (Picture button : {Picture::Calculator, Picture::Printer, Picture::BucketAndMop, Picture::AirlinerFs9,
                           Picture::ExitDoor, Picture::QuestionBadge})
        QTest::addRow("button %d", int(button)) << button << QSize(64, 64);
    QTest::newRow("banner") << Picture::Banner << QSize(510, 225);
    QTest::newRow("banner, ratio 2") << Picture::Banner << QSize(1020, 450);
    QTest::newRow("box cover") << Picture::BoxCover << QSize(510, 465);
    QTest::newRow("box cover, ratio 2") << Picture::BoxCover << QSize(1020, 930);
    QTest::newRow("approach chart") << Picture::ApproachChart << QSize(376, 648);
    QTest::newRow("approach chart, ratio 2") << Picture::ApproachChart << QSize(752, 1296);
}

// A size the windows show is read from its own file, never scaled from another.
void ArtworkTest::sizesTheWindowsShowAreRenderedAtBuildTime()
{
    QFETCH(Picture, picture);
    QFETCH(QSize, size);
    QVERIFY2(resources::renderedSizes(picture).contains(size), qPrintable(QString::number(int(picture))));
    QCOMPARE(resources::render(picture, size).size(), size);
}

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"
