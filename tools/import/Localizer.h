// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace import {

// The localizer of one runway end, as the directory writes it.
struct Localizer {
    QString frequency; // "110.30"
    QString course;    // magnetic, "035"; empty when the source gives no bearing

    friend bool operator==(const Localizer &, const Localizer &) = default;
};

// A runway end as the sources are matched by it: without blanks and leading zeros, in capitals ("04r" and
// "4R" are "4R").
QString runwayEndKey(QStringView runwayEnd);

} // namespace import
