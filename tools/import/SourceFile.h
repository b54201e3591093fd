#pragma once

#include "ImportStatus.h"

#include <QByteArray>
#include <QString>

namespace import {

// Reads a whole input file; a missing, unreadable file or a folder is an error naming it.
Status readSourceFile(const QString &path, QByteArray &bytes);

} // namespace import
