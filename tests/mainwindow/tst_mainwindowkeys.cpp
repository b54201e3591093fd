// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

// The main window from the keyboard: access keys, keys held with Alt or Ctrl, Escape.
class MainWindowKeysTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void commandKeysTypeNothing_data();
    void commandKeysTypeNothing();
    void pasteStillWorks();
    void accessKeysRunTheirButtons_data();
    void accessKeysRunTheirButtons();
    void escapeClosesTheInformationPanel();

private:
    QLineEdit *box() const { return m_fixture->control<QLineEdit>(QStringLiteral("txtIcao")); }

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void MainWindowKeysTest::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_fixture->writeDirectory(sampleDirectory());
    m_fixture->load();
    QApplication::setActiveWindow(m_fixture->window.get());
}

void MainWindowKeysTest::commandKeysTypeNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Alt+C, Clean hidden") << int(Qt::Key_C) << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Alt+L, Link hidden") << int(Qt::Key_L) << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Alt+Shift+P") << int(Qt::Key_P) << (Qt::AltModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Ctrl+Alt+X") << int(Qt::Key_X) << (Qt::ControlModifier | Qt::AltModifier);
    QTest::newRow("Alt+1") << int(Qt::Key_1) << Qt::KeyboardModifiers(Qt::AltModifier);
}

void MainWindowKeysTest::commandKeysTypeNothing()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    m_fixture->lookUp(QStringLiteral("LIRF"));
    m_fixture->button("cmdClean")->click();
    QVERIFY(box()->hasFocus());
    QTest::keyClick(box(), Qt::Key(key), modifiers);
    QCOMPARE(box()->text(), QString());
    QVERIFY(!m_fixture->button("cmdElabora")->isEnabled());
    m_fixture->typeCode(QStringLiteral("liml"));
    QCOMPARE(box()->text(), QStringLiteral("LIML"));
}

void MainWindowKeysTest::pasteStillWorks()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("lirf"));
    box()->setFocus();
    QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box()->text(), QStringLiteral("lirf"));
}

void MainWindowKeysTest::accessKeysRunTheirButtons_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Alt+E: Elaborates") << int(Qt::Key_E) << "lookup";
    QTest::newRow("Alt+X: Exit") << int(Qt::Key_X) << "exit question";
    QTest::newRow("Alt+I: Info") << int(Qt::Key_I) << "information panel";
}

void MainWindowKeysTest::accessKeysRunTheirButtons()
{
    QFETCH(int, key);
    QFETCH(QString, expected);
    // The first load shows "MANAGEMENT" beside the airport entry: "&Elaborates" and "E&xit" both stand
    // there, enabled, and each answers its own key.
    m_fixture->typeCode(QStringLiteral("LIRF"));
    QVERIFY(m_fixture->button("cmdElabora")->isEnabled());
    QVERIFY(m_fixture->button("cmdExit")->isVisible());
    QTest::keyClick(box(), Qt::Key(key), Qt::AltModifier);
    // An access key presses its button as a click would, after a short animation.
    const auto pressed = [this] {
        if (!m_fixture->slot(1)->text().isEmpty())
            return QStringLiteral("lookup");
        if (m_fixture->exitQuestion.asked > 0)
            return QStringLiteral("exit question");
        if (m_fixture->control(QStringLiteral("fraUscita"))->isVisible())
            return QStringLiteral("information panel");
        return QString();
    };
    QTRY_COMPARE(pressed(), expected);
    QCOMPARE(m_fixture->exitQuestion.asked, expected == u"exit question" ? 1 : 0);
}

void MainWindowKeysTest::escapeClosesTheInformationPanel()
{
    QWidget *panel = m_fixture->control(QStringLiteral("fraUscita"));
    m_fixture->typeCode(QStringLiteral("LI"));
    m_fixture->button("cmdInfo")->click();
    QVERIFY(panel->isVisible());
    QTest::keyClick(box(), Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
    QCOMPARE(box()->text(), QStringLiteral("LI"));
    QVERIFY(m_fixture->window->isVisible());
}

QTEST_MAIN(MainWindowKeysTest)
#include "tst_mainwindowkeys.moc"
