// SPDX-License-Identifier: GPL-3.0-or-later
#include "MailLauncher.h"
#include "Notice.h"
#include "Platform.h"
#include "ProgramSettings.h"
#include "Twips.h"
#include "WindowPlacement.h"
#include "WindowPrinter.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

namespace {

// A settings file as another hand wrote it, in folder; empty when it cannot be written.
QString writtenByHand(const QTemporaryDir &folder, const QByteArray &contents)
{
    const QString file = folder.filePath(QStringLiteral("varnelox.ini"));
    QFile written(file);
    if (!written.open(QIODevice::WriteOnly) || written.write(contents) != contents.size())
        return {};
    return file;
}

} // namespace

// The desktop services behind the windows: twips, printing, the mail link, placement and the settings kept
// for the next run.
class DesktopServicesTest : public QObject {
    Q_OBJECT

private slots:
    void twipsBecomePixelsAtFifteenPerPixel_data();
    void twipsBecomePixelsAtFifteenPerPixel();
    void windowImagePrintsOnOnePageWithItsProportions();
    void mailLinkIsPercentEncoded();
    void centringMayGiveANegativePosition();
    void warningShowsItsTextAsItStands();
    void settingsRoundTrip();
    void settingsFromAnotherHand_data();
    void settingsFromAnotherHand();
    void settingsThatCannotBeWrittenAreReported();
    void settingsThatAreNoFileAreLeftAlone_data();
    void settingsThatAreNoFileAreLeftAlone();
    void placeFitsOnAScreen_data();
    void placeFitsOnAScreen();
    void simulatorSettingsFromAnotherHand_data();
    void simulatorSettingsFromAnotherHand();
};

void DesktopServicesTest::twipsBecomePixelsAtFifteenPerPixel_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("main window width") << 13020 << 868;
    QTest::newRow("negative offset") << -120 << -8;
    QTest::newRow("height cell") << 495 << 33;
}

void DesktopServicesTest::twipsBecomePixelsAtFifteenPerPixel()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(desktop::twipsToPixels(twips), pixels);
}

void DesktopServicesTest::windowImagePrintsOnOnePageWithItsProportions()
{
    QTemporaryDir folder;
    QLabel window(QStringLiteral("VARNELOX"));
    window.setStyleSheet(QStringLiteral("background: rgb(128, 128, 255)"));
    window.resize(868, 697);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("print.pdf")));
    const desktop::PrintOutcome outcome = desktop::printWindowImage(&window, printer);
    QVERIFY2(outcome.printed, qPrintable(outcome.error));

    QPdfDocument printed;
    printed.load(folder.filePath(QStringLiteral("print.pdf")));
    QCOMPARE(printed.status(), QPdfDocument::Status::Ready);
    QCOMPARE(printed.pageCount(), 1);
    QImage page(420, 594, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter(&page).drawImage(0, 0, printed.render(0, page.size()));
    // Find the printed image's extent: everything that is not white paper.
    QRect extent;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y).lightness() < 250)
                extent |= QRect(x, y, 1, 1);
    QVERIFY(extent.width() > page.width() * 0.8);
    QVERIFY(qAbs(double(extent.width()) / extent.height() - 868.0 / 697.0) < 0.05);
    QVERIFY(qAbs(extent.center().y() - page.height() / 2) < page.height() / 10);
}

void DesktopServicesTest::mailLinkIsPercentEncoded()
{
    const QUrl link = desktop::supportMailLink(QStringLiteral("help@varnelox.example"),
                                               QStringLiteral("A+B & C"), QStringLiteral("x=1?"));
    QCOMPARE(link.toString(QUrl::FullyEncoded),
             QStringLiteral("mailto:help@varnelox.example?subject=A%2BB%20%26%20C&body=x%3D1%3F"));
}

void DesktopServicesTest::centringMayGiveANegativePosition()
{
    QWidget window;
    window.resize(10000, 10000);
    desktop::centreOnScreen(&window);
    QVERIFY(window.pos().x() < 0);
    QVERIFY(window.pos().y() < 0);
}

void DesktopServicesTest::warningShowsItsTextAsItStands()
{
    // A folder name that a rich-text label would obey, reading /dev/zero without end.
    const QString text = QStringLiteral("<img src='/dev/zero'>/airports.txt cannot be read.");
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        shown = label->text();
        format = label->textFormat();
        box->accept();
    });
    answer.start(10);
    desktop::MessageBoxNotice().warn(nullptr, text);
    QCOMPARE(shown, text);
    QCOMPARE(format, Qt::PlainText);
}

// The settings are written to the file given, never to the user's.
void DesktopServicesTest::settingsRoundTrip()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("config/varnelox.ini"));
    desktop::ProgramSettings settings(file);
    QVERIFY(!settings.companionPlace());
    QVERIFY(!settings.night());

    const desktop::WindowPlace place{QPoint(40, 60), QSize(700, 500), true};
    QVERIFY(settings.setCompanionPlace(place));
    QVERIFY(settings.setNight(true));
    const desktop::ProgramSettings later(file);
    QCOMPARE(later.companionPlace(), place);
    QVERIFY(later.night());
    QVERIFY(settings.setNight(false));
    QVERIFY(!later.night());
    QCOMPARE(later.companionPlace(), place);
    QVERIFY(QFileInfo(file).isFile());
    QVERIFY(desktop::ProgramSettings::userFileName().endsWith(QStringLiteral("/varnelox/varnelox.ini")));
}

void DesktopServicesTest::settingsFromAnotherHand_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("hasPlace");
    QTest::addColumn<bool>("night");
    QTest::newRow("empty file") << QByteArray() << false << false;
    QTest::newRow("not settings at all") << QByteArray("\x00\xff\xfe garbage [[[") << false << false;
    QTest::newRow("size missing") << QByteArray("[companion]\nx=1\ny=2\nwidth=300\n") << false << false;
    QTest::newRow("size not a number")
        << QByteArray("[companion]\nx=1\ny=2\nwidth=wide\nheight=300\n") << false << false;
    QTest::newRow("size of nothing") << QByteArray("[companion]\nx=1\ny=2\nwidth=0\nheight=300\n") << false
                                     << false;
    QTest::newRow("night neither true nor false")
        << QByteArray("[viewer]\nnight=sometimes\n") << false << false;
    QTest::newRow("written by hand") << QByteArray("[companion]\nx=-5\ny=7\nwidth=300\nheight=200\n"
                                                   "[viewer]\nnight=true\n")
                                     << true << true;
}

void DesktopServicesTest::settingsFromAnotherHand()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, hasPlace);
    QFETCH(bool, night);
    QTemporaryDir folder;
    const QString file = writtenByHand(folder, contents);
    QVERIFY(!file.isEmpty());
    const desktop::ProgramSettings settings(file);
    QCOMPARE(settings.companionPlace().has_value(), hasPlace);
    QCOMPARE(settings.night(), night);
}

void DesktopServicesTest::settingsThatCannotBeWrittenAreReported()
{
    QTemporaryDir folder;
    const QString blocked = folder.filePath(QStringLiteral("file-not-folder"));
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    desktop::ProgramSettings settings(blocked + QStringLiteral("/varnelox.ini"));
    QVERIFY(!settings.setNight(true));
    QVERIFY(!settings.setCompanionPlace({QPoint(0, 0), QSize(300, 200), false}));
    QVERIFY(!settings.night());
}

void DesktopServicesTest::settingsThatAreNoFileAreLeftAlone_data()
{
    QTest::addColumn<bool>("pipe"); // else a folder
    QTest::newRow("a pipe") << true;
    QTest::newRow("a folder") << false;
}

// Opening a pipe would wait for ever: something there that is not a file is neither read nor replaced.
void DesktopServicesTest::settingsThatAreNoFileAreLeftAlone()
{
    QFETCH(bool, pipe);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("varnelox.ini"));
    QVERIFY(pipe ? mkfifo(QFile::encodeName(file).constData(), 0600) == 0 : QDir().mkdir(file));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("is not a regular file")));

    desktop::ProgramSettings settings(file);
    QVERIFY(!settings.companionPlace());
    QVERIFY(!settings.night());
    QVERIFY(!settings.setNight(true));
    QVERIFY(!settings.setCompanionPlace({QPoint(0, 0), QSize(300, 200), false}));
    QCOMPARE(platform::fileKind(file, false), pipe ? platform::FileKind::Pipe : platform::FileKind::Folder);
}

void DesktopServicesTest::placeFitsOnAScreen_data()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("fits");
    QTest::newRow("inside") << QRect(screen.topLeft() + QPoint(10, 10), QSize(200, 150)) << true;
    QTest::newRow("the whole screen") << screen << true;
    QTest::newRow("one pixel past the right edge")
        << QRect(screen.topLeft() + QPoint(1, 0), screen.size()) << false;
    QTest::newRow("left of the screen") << QRect(screen.left() - 300, screen.top(), 200, 150) << false;
    QTest::newRow("taller than the screen")
        << QRect(screen.left(), screen.top(), 200, screen.height() + 1) << false;
}

void DesktopServicesTest::placeFitsOnAScreen()
{
    QFETCH(QRect, geometry);
    QFETCH(bool, fits);
    QCOMPARE(desktop::fitsOnAScreen(geometry), fits);
}

void DesktopServicesTest::simulatorSettingsFromAnotherHand_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("loopbackOnly");
    QTest::addColumn<int>("networkGpsPort");
    QTest::addColumn<int>("nmeaPort");
    QTest::addColumn<bool>("nearestOnGround");
    QTest::newRow("nothing kept: listening on all networks")
        << QByteArray() << true << false << 49002 << 10110 << false;
    QTest::newRow("written by hand")
        << QByteArray("[simulator]\nlisten=false\nloopbackOnly=true\nnetworkGpsPort=49102\nnmeaPort=10210\n"
                      "nearestOnGround=true\n")
        << false << true << 49102 << 10210 << true;
    QTest::newRow("ports that are none") << QByteArray("[simulator]\nnetworkGpsPort=0\nnmeaPort=65536\n")
                                         << true << false << 49002 << 10110 << false;
    QTest::newRow("not numbers, not true or false")
        << QByteArray("[simulator]\nlisten=maybe\nloopbackOnly=yes\nnetworkGpsPort=high\nnmeaPort=-1\n")
        << true << false << 49002 << 10110 << false;
}

void DesktopServicesTest::simulatorSettingsFromAnotherHand()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, listening);
    QFETCH(bool, loopbackOnly);
    QFETCH(int, networkGpsPort);
    QFETCH(int, nmeaPort);
    QFETCH(bool, nearestOnGround);
    QTemporaryDir folder;
    const QString file = writtenByHand(folder, contents);
    QVERIFY(!file.isEmpty());
    const desktop::ProgramSettings settings(file);
    const simlink::LinkSettings link = settings.simulatorLink();
    QCOMPARE(link.listening, listening);
    QCOMPARE(link.loopbackOnly, loopbackOnly);
    QCOMPARE(int(link.networkGpsPort), networkGpsPort);
    QCOMPARE(int(link.nmeaPort), nmeaPort);
    QCOMPARE(settings.nearestOnGround(), nearestOnGround);
}

QTEST_MAIN(DesktopServicesTest)
#include "tst_desktopservices.moc"
