// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace import {

// What a step of an import did: done, or why it stopped, in words for the user. Messages about bad input name
// the file, the line and the column.
struct Status {
    bool ok = true;
    QString message;

    static Status failure(const QString &message) { return {false, message}; }
};

} // namespace import
