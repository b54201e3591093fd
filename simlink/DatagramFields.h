// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QList>

namespace simlink {

// The fields of a record, parted by commas; empty ones included.
QList<QByteArrayView> splitAtCommas(QByteArrayView record);

// A decimal number that fills a whole field (blanks around it apart) and lies within [low, high]: "-71.012",
// "0.7", "1e3". A field spelled as a number that is not finite ("nan", "inf", "1e999") or lies outside the
// bounds is out of range; anything else is no number.
struct BoundedNumber {
    enum class Status { Ok, NotANumber, OutOfRange };
    Status status = Status::NotANumber;
    double value = 0;
};
BoundedNumber boundedNumber(QByteArrayView field, double low, double high);

} // namespace simlink
