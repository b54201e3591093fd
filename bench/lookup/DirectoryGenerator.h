// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// A made-up airport directory of a given number of records, the same on every run: each record a header line
// of seven fields, one to four runways with a twelve-field line for each direction, then an empty line.
struct GeneratedDirectory {
    QByteArray bytes;
    QString firstCode;
    QString lastCode;
    qsizetype firstRecordEnd = 0; // bytes up to the end of the first record
};

GeneratedDirectory generateDirectory(int records);

// A code that no generated record has.
QString missingCode();
