// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"

#include <QByteArray>

#include <optional>

namespace import {

class ImportSummary;

// Makes a record that an import is about to write one that the program can read and show: every field
// directory-safe (airportdata::makeDirectorySafe: no comma, quote, "|", line break or control character),
// none longer than MaxFieldBytes (a longer one is cut at a character), and within the limits of the
// program's directory reader (airportdata::ReadLimits: the text of a record's fields, the length of a
// line). Every change is counted in the summary; a record that cannot be made to fit is left out, and
// counted, and nothing is returned.
class RecordFit {
public:
    // The longest field written: the airport data grid shows short texts (the longest name OurAirports
    // has takes about 110 bytes), and a record of the most fields an import writes, 7 in its header and 12
    // for each of 12 runways, stays well within what the reader takes.
    static constexpr qsizetype MaxFieldBytes = 256;

    explicit RecordFit(ImportSummary &summary)
        : m_summary(summary)
    {}

    // The record as the directory holds it (airportdata::directoryText), made fit.
    std::optional<QByteArray> text(const airportdata::AirportRecord &record);

private:
    QString fitField(QString field);
    QStringList fitFields(const QStringList &fields);

    ImportSummary &m_summary;
};

} // namespace import
