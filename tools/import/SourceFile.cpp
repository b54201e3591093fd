#include "SourceFile.h"

#include <QFile>
#include <QFileInfo>

namespace import {

Status readSourceFile(const QString &path, QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Status::failure(path + QStringLiteral(": no such file"));
    if (info.isDir())
        return Status::failure(path + QStringLiteral(": a folder, not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(path + QStringLiteral(": cannot be read: ") + file.errorString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::failure(path + QStringLiteral(": cannot be read: ") + file.errorString());
    return {};
}

} // namespace import
