// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatagramFields.h"

#include <charconv>
#include <cmath>

namespace simlink {

QList<QByteArrayView> splitAtCommas(QByteArrayView record)
{
    QList<QByteArrayView> fields;
    for (qsizetype start = 0;;) {
        const qsizetype comma = record.indexOf(',', start);
        fields.append(record.sliced(start, (comma < 0 ? record.size() : comma) - start));
        if (comma < 0)
            return fields;
        start = comma + 1;
    }
}

BoundedNumber boundedNumber(QByteArrayView field, double low, double high)
{
    field = field.trimmed();
    double value = 0;
    const auto [end, error] = std::from_chars(field.begin(), field.end(), value);
    if (end != field.end() || (error != std::errc() && error != std::errc::result_out_of_range))
        return {BoundedNumber::Status::NotANumber, 0};
    if (error != std::errc() || !std::isfinite(value) || value < low || value > high)
        return {BoundedNumber::Status::OutOfRange, 0};
    return {BoundedNumber::Status::Ok, value};
}

} // namespace simlink
