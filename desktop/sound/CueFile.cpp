// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueFile.h"

#include "Platform.h"

#include <QFile>
#include <QtEndian>

namespace desktop::sound {

namespace {

quint32 sizeAt(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

} // namespace

QString CueFile::problem(const QString &path)
{
    QFile file(path);
    if (platform::openRegularFile(file).problem != platform::FileProblem::None)
        return QStringLiteral("not a regular file that can be read");
    if (file.size() > MaxBytes)
        return QStringLiteral("larger than %1 bytes").arg(MaxBytes);
    return problemOfBytes(file.read(MaxBytes + 1));
}

QString CueFile::problemOfBytes(const QByteArray &bytes)
{
    if (bytes.size() > MaxBytes)
        return QStringLiteral("larger than %1 bytes").arg(MaxBytes);
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return QStringLiteral("not a WAV file");
    if (sizeAt(bytes, 4) > quint64(bytes.size() - 8))
        return QStringLiteral("its header claims more than the file holds");
    // The chunks after "WAVE": four letters, their size, their data (to an even length).
    for (qint64 chunk = 12; chunk + 8 <= bytes.size();) {
        const quint32 size = sizeAt(bytes, chunk + 4);
        if (size > quint64(bytes.size() - chunk - 8))
            return QStringLiteral("its header claims more than the file holds");
        if (bytes.mid(chunk, 4) == "data")
            return {};
        chunk += 8 + qint64(size) + (size & 1);
    }
    return QStringLiteral("no sound data in it");
}

} // namespace desktop::sound
