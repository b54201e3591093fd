// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

void MainWindowFixture::writeDirectory(const QByteArray &contents) const
{
    QFile file(folder.filePath(QStringLiteral("airports.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

void MainWindowFixture::writeChart(const QString &relativePath) const
{
    const QString path = folder.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
}

mainwindow::FrmMain &MainWindowFixture::load()
{
    window = std::make_unique<mainwindow::FrmMain>(
        values, mainwindow::MainWindowServices{sound, exitQuestion, printer, mail, notice, settings,
                                               simulator.link, charts, places});
    window->Form_Load();
    window->show();
    return *window;
}

void MainWindowFixture::typeCode(const QString &keys) const
{
    QTest::keyClicks(control<QLineEdit>(QStringLiteral("txtIcao")), keys);
}

void MainWindowFixture::lookUp(const QString &code) const
{
    typeCode(code);
    button("cmdElabora")->click();
}

void MainWindowFixture::activate() const
{
    // As on the way back from the companion window: hidden, then shown again.
    window->hide();
    window->show();
}

QByteArray sampleDirectory()
{
    return "  LIRF|FCO|ROMA FIUMICINO|E 012 14 20|N 41 48 01|15 FT|X\r\n"
           "16R|a|3900 M|b|110.30|163|c|d|e|f|g|h\r\n"
           "34L|a|3900 M|b|108.10|343|c|d|e|f|g|h\r\n"
           "\r\n"
           "  LIML|LIN|MILANO LINATE|E 009 16 40|N 45 26 43|353 FT|X\r\n"
           "36|a|2442 M|b|110.50|358|c|d|e|f|g|h\r\n"
           "\r\n";
}
