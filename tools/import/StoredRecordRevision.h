// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirectoryRecords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>

#include <optional>

namespace import {

class ImportSummary;
class LocalizerTable;

// Gives the runway rows of a record already in the directory the localizers of the navigation data, by the
// rule of planRunwayRows. Only a record in the directory's usual form is revised (a header line of seven
// fields, runway lines of twelve, no comma or double quote, which would split a line): any other is left as
// it was and listed in the summary. A record whose rows get no localizer stays as it is; in one that does,
// the rows keep their fields byte for byte apart from the designator, frequency and course of those that
// get one, so a record written in Windows-1252 keeps its encoding.
class StoredRecordRevision {
public:
    StoredRecordRevision(LocalizerTable &localizers, ImportSummary &summary)
        : m_localizers(localizers)
        , m_summary(summary)
    {}

    // The record's new bytes, or nothing when it stays as it is.
    std::optional<QByteArray> revise(const airportdata::StoredRecord &stored, QByteArrayView bytes);

    // The codes of every record seen.
    const QSet<QString> &codes() const { return m_codes; }

private:
    LocalizerTable &m_localizers;
    ImportSummary &m_summary;
    QSet<QString> m_codes;
};

} // namespace import
