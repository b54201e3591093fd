// SPDX-License-Identifier: GPL-3.0-or-later
#include "Localizer.h"

namespace import {

QString runwayEndKey(QStringView runwayEnd)
{
    QStringView end = runwayEnd.trimmed();
    while (end.size() > 1 && end.front() == u'0' && end[1].isDigit())
        end = end.sliced(1);
    return end.toString().toUpper();
}

} // namespace import
