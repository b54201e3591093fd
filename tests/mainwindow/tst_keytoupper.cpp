// SPDX-License-Identifier: GPL-3.0-or-later
#include "Module1.h"

#include <QTest>

// Typed key codes: only a to z become capitals.
class KeyToUpperTest : public QObject {
    Q_OBJECT

private slots:
    void onlyLowerCaseLettersChange_data();
    void onlyLowerCaseLettersChange();
};

void KeyToUpperTest::onlyLowerCaseLettersChange_data()
{
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("result");
    QTest::newRow("a") << int(u'a') << int(u'A');
    QTest::newRow("z") << int(u'z') << int(u'Z');
    QTest::newRow("backquote before a") << 96 << 96;
    QTest::newRow("brace after z") << 123 << 123;
    QTest::newRow("capital") << int(u'Q') << int(u'Q');
    QTest::newRow("digit") << int(u'7') << int(u'7');
    QTest::newRow("backspace") << 8 << 8;
    QTest::newRow("accented") << 0xe9 << 0xe9;
}

void KeyToUpperTest::onlyLowerCaseLettersChange()
{
    QFETCH(int, typed);
    QFETCH(int, result);
    char16_t key = static_cast<char16_t>(typed);
    QCOMPARE(int(session::Module1::KeyToUpper(key)), result);
    QCOMPARE(int(key), result);
}

QTEST_MAIN(KeyToUpperTest)
#include "tst_keytoupper.moc"
