#include "MailLauncher.h"
#include "Notice.h"
#include "Twips.h"
#include "WindowPlacement.h"
#include "WindowPrinter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The desktop services behind the windows: twips, printing, the mail link and placement.
class DesktopServicesTest : public QObject {
    Q_OBJECT

private slots:
    void twipsBecomePixelsAtFifteenPerPixel_data();
    void twipsBecomePixelsAtFifteenPerPixel();
    void windowImagePrintsOnOnePageWithItsProportions();
    void mailLinkIsPercentEncoded();
    void centringMayGiveANegativePosition();
    void warningShowsItsTextAsItStands();
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

QTEST_MAIN(DesktopServicesTest)
#include "tst_desktopservices.moc"
