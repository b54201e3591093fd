// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

// "&Exit", "&Print", the information panel and the support mail.
class ManagementTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void exitAnsweredNoChangesNothing();
    void exitAnsweredYesEndsTheProgram();
    void printFailureIsReported();
    void informationPanelShowsAndHides();
    void informationPanelNamesTheLibraryFolder();
    void supportAddressOpensThePrefilledMail();
    void latHeadingOpensNoMail();
    void missingMailHandlerGivesTheAddress();

private:
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void ManagementTest::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_fixture->writeDirectory(sampleDirectory());
    m_fixture->load();
}

void ManagementTest::exitAnsweredNoChangesNothing()
{
    m_fixture->lookUp(QStringLiteral("LIRF"));
    QSignalSpy ended(m_fixture->window.get(), &mainwindow::FrmMain::programEndRequested);
    m_fixture->exitQuestion.answer = false;
    m_fixture->button("cmdExit")->click();
    QCOMPARE(m_fixture->exitQuestion.asked, 1);
    QCOMPARE(ended.count(), 0);
    QVERIFY(m_fixture->window->isVisible());
    QCOMPARE(m_fixture->values.sIcaoCode, QStringLiteral("LIRF"));
    QCOMPARE(m_fixture->values.bLoadToggle, 1);
    QCOMPARE(m_fixture->slot(1)->text(), QStringLiteral("ROMA FIUMICINO"));
}

void ManagementTest::exitAnsweredYesEndsTheProgram()
{
    QSignalSpy ended(m_fixture->window.get(), &mainwindow::FrmMain::programEndRequested);
    m_fixture->exitQuestion.answer = true;
    m_fixture->button("cmdExit")->click();
    QCOMPARE(ended.count(), 1);
}

void ManagementTest::printFailureIsReported()
{
    m_fixture->button("cmdStampa")->click();
    QCOMPARE(m_fixture->printer.printed, 1);
    QVERIFY(m_fixture->notice.warnings.isEmpty());
    m_fixture->printer.outcome = {false, QStringLiteral("No printer is available.")};
    m_fixture->button("cmdStampa")->click();
    QCOMPARE(m_fixture->notice.warnings, QStringList{QStringLiteral("No printer is available.")});
    QVERIFY(m_fixture->button("cmdStampa")->isEnabled());
}

void ManagementTest::informationPanelShowsAndHides()
{
    QWidget *panel = m_fixture->control(QStringLiteral("fraUscita"));
    m_fixture->button("cmdInfo")->click();
    m_fixture->button("cmdInfo")->click();
    QVERIFY(panel->isVisible());
    m_fixture->button("Command2")->click();
    QVERIFY(!panel->isVisible());
    QVERIFY(m_fixture->window->isVisible());
}

void ManagementTest::informationPanelNamesTheLibraryFolder()
{
    m_fixture->button("cmdInfo")->click();
    for (const char *name : {"Label3_1", "Label6_0"}) {
        QWidget *hovered = m_fixture->control(QLatin1String(name));
        const QPoint centre = hovered->rect().center();
        QHelpEvent help(QEvent::ToolTip, centre, hovered->mapToGlobal(centre));
        QApplication::sendEvent(hovered, &help);
        QTRY_VERIFY2(QToolTip::isVisible(), name);
        QVERIFY2(QToolTip::text().contains(QDir::toNativeSeparators(m_fixture->values.libraryFolder)),
                 qPrintable(QToolTip::text()));
        QToolTip::hideText();
    }
}

void ManagementTest::supportAddressOpensThePrefilledMail()
{
    m_fixture->button("cmdInfo")->click();
    QTest::mouseClick(m_fixture->control(QStringLiteral("Label4_1")), Qt::LeftButton);
    QCOMPARE(m_fixture->mail.opened.size(), 1);
    QCOMPARE(m_fixture->mail.opened.front().toString(QUrl::FullyEncoded),
             QStringLiteral("mailto:support@varnelox.example?subject=PUT%20HERE%20YOUR%20QUESTION"
                            "&body=PUT%20HERE%20YOUR%20MESSAGE"));
}

void ManagementTest::latHeadingOpensNoMail()
{
    QTest::mouseClick(m_fixture->control(QStringLiteral("Label4_0")), Qt::LeftButton);
    QVERIFY(m_fixture->mail.opened.isEmpty());
}

void ManagementTest::missingMailHandlerGivesTheAddress()
{
    m_fixture->mail.handlerStarts = false;
    m_fixture->button("cmdInfo")->click();
    QTest::mouseClick(m_fixture->control(QStringLiteral("Label4_1")), Qt::LeftButton);
    QCOMPARE(m_fixture->notice.warnings.size(), 1);
    QVERIFY(m_fixture->notice.warnings.front().contains(QStringLiteral("support@varnelox.example")));
}

QTEST_MAIN(ManagementTest)
#include "tst_management.moc"
