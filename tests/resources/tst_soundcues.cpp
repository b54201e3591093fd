// SPDX-License-Identifier: GPL-3.0-or-later
// The sound cues the build synthesises into the program folder.

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QTest>

class SoundCuesTest : public QObject {
    Q_OBJECT

private slots:
    void cueIsShortCleanPcm_data();
    void cueIsShortCleanPcm();
};

void SoundCuesTest::cueIsShortCleanPcm_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("chime") << QStringLiteral("of1297.wav");
    QTest::newRow("click") << QStringLiteral("of1298.wav");
    QTest::newRow("ready") << QStringLiteral("of1300.wav");
}

void SoundCuesTest::cueIsShortCleanPcm()
{
    QFETCH(QString, fileName);
    QFile file(QDir(qEnvironmentVariable("VARNELOX_PROGRAM_DIR")).filePath(fileName));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() > 44);
    QCOMPARE(bytes.left(4), QByteArray("RIFF"));
    QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(bytes.mid(36, 4), QByteArray("data"));

    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 riffSize = 0, formatSize = 0, rate = 0, byteRate = 0, dataSize = 0;
    quint16 format = 0, channels = 0, blockAlign = 0, bits = 0;
    in.skipRawData(4);
    in >> riffSize;
    in.skipRawData(8);
    in >> formatSize >> format >> channels >> rate >> byteRate >> blockAlign >> bits;
    in.skipRawData(4);
    in >> dataSize;
    QCOMPARE(riffSize, quint32(bytes.size() - 8));
    QCOMPARE(formatSize, 16u);
    QCOMPARE(format, quint16(1));
    QCOMPARE(channels, quint16(1));
    QCOMPARE(rate, 22050u);
    QCOMPARE(byteRate, 44100u);
    QCOMPARE(blockAlign, quint16(2));
    QCOMPARE(bits, quint16(16));
    QCOMPARE(dataSize, quint32(bytes.size() - 44));
    QVERIFY(dataSize / 2 < 22050 * 3 / 2); // under one and a half seconds

    QList<qint16> samples(dataSize / 2);
    for (qint16 &sample : samples)
        in >> sample;
    const auto [low, high] = std::minmax_element(samples.cbegin(), samples.cend());
    QVERIFY(*high > 8000 && *low < -8000);                                    // audible
    QVERIFY(*high < 32767 && *low > -32768);                                  // not clipped
    QVERIFY(std::abs(samples.first()) < 64 && std::abs(samples.last()) < 64); // no click at either end
}

QTEST_GUILESS_MAIN(SoundCuesTest)
#include "tst_soundcues.moc"
