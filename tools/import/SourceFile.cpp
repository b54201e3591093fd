// SPDX-License-Identifier: GPL-3.0-or-later
#include "SourceFile.h"

#include "Platform.h"

#include <QFile>

namespace import {

namespace {

QString whatIsThere(platform::FileKind kind)
{
    switch (kind) {
    case platform::FileKind::Folder:
        return QStringLiteral("a folder");
    case platform::FileKind::Pipe:
        return QStringLiteral("a pipe");
    case platform::FileKind::Device:
        return QStringLiteral("a device");
    case platform::FileKind::Socket:
        return QStringLiteral("a socket");
    case platform::FileKind::Regular:
        return QStringLiteral("a file");
    default:
        return QStringLiteral("no regular file");
    }
}

} // namespace

Status openSourceFile(const QString &path, QFile &file)
{
    file.setFileName(path);
    const platform::FileOpening opening = platform::openRegularFile(file);
    switch (opening.problem) {
    case platform::FileProblem::None:
        return {};
    case platform::FileProblem::Missing:
        return Status::failure(path + QStringLiteral(": no such file"));
    case platform::FileProblem::Folder:
    case platform::FileProblem::NotRegular:
        return Status::failure(path + QStringLiteral(": is %1, not a file").arg(whatIsThere(opening.kind)));
    default:
        return Status::failure(path + QStringLiteral(": cannot be read: ") + opening.reason);
    }
}

Status readSourceFile(const QString &path, QByteArray &bytes)
{
    QFile file;
    if (Status opened = openSourceFile(path, file); !opened.ok)
        return opened;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::failure(path + QStringLiteral(": cannot be read: ") + file.errorString());
    return {};
}

Status checkFolder(const QString &path)
{
    const platform::FileKind kind = platform::fileKind(path);
    if (kind == platform::FileKind::Folder)
        return {};
    if (kind == platform::FileKind::Missing)
        return Status::failure(path + QStringLiteral(": no such folder"));
    return Status::failure(path + QStringLiteral(": is %1, not a folder").arg(whatIsThere(kind)));
}

} // namespace import
