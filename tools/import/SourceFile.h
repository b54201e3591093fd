// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace import {

// Opens a file an import reads, without ever waiting: it must be a regular file (a link to one is fine). A
// missing or unreadable file, a folder, a pipe, a device or a socket is an error naming it and saying what
// is there ("is a pipe, not a file"); nothing of that kind is ever opened.
Status openSourceFile(const QString &path, QFile &file);
// Reads a whole file that openSourceFile accepts.
Status readSourceFile(const QString &path, QByteArray &bytes);
// A folder an import reads or writes: an error naming it when it is missing or not a folder ("is a file,
// not a folder").
Status checkFolder(const QString &path);

} // namespace import
