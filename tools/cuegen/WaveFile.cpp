// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaveFile.h"

#include <QDataStream>
#include <QSaveFile>

namespace cuegen {

namespace {

constexpr quint16 pcmFormat = 1;
constexpr quint16 channels = 1;
constexpr quint16 bitsPerSample = 16;
constexpr quint16 bytesPerFrame = channels * bitsPerSample / 8;

void writeTag(QDataStream &out, const char (&tag)[5])
{
    out.writeRawData(tag, 4);
}

} // namespace

WriteStatus writeWaveFile(const QString &path, const QList<qint16> &samples, int sampleRate)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, path + ": " + file.errorString()};

    const auto dataBytes = static_cast<quint32>(samples.size() * bytesPerFrame);
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    writeTag(out, "RIFF");
    out << quint32(36 + dataBytes);
    writeTag(out, "WAVE");
    writeTag(out, "fmt ");
    out << quint32(16) << pcmFormat << channels << quint32(sampleRate) << quint32(sampleRate * bytesPerFrame)
        << bytesPerFrame << bitsPerSample;
    writeTag(out, "data");
    out << dataBytes;
    for (qint16 sample : samples)
        out << sample;

    if (out.status() != QDataStream::Ok || !file.commit())
        return {false, path + ": " + file.errorString()};
    return {true, {}};
}

} // namespace cuegen
