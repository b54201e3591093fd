// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace import {

// Whether bytes begin as gzip data does.
bool isGzip(QByteArrayView bytes);

// The data that gzip compressed, read with zlib: one member or several in a row, as gzip and its tools
// write them. Data that is cut short or damaged is an error naming the file, as is data that inflates to
// more than maxSize bytes (no input of an import is that large).
Status inflateGzip(const QString &fileName, QByteArrayView compressed, qsizetype maxSize, QByteArray &data);

} // namespace import
