// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"

#include <QList>
#include <QString>

namespace import {

class ImportSummary;

// One chart record of the metafile.
struct DtppChart {
    qint64 sequence = 0; // chartseq
    QString chartCode;   // "IAP"
    QString name;        // "ILS RWY 11", "HI-ILS OR LOC RWY 4R, CONT.1"
    QString pdfName;     // "00989I11.PDF"
};

// One airport of the metafile with its charts in file order.
struct DtppAirport {
    QString code; // icao_ident
    QString name; // airport_name's ID
    QString city; // city_name's ID
    QList<DtppChart> charts;
};

// Reads the FAA's digital Terminal Procedures metafile: digital_tpp > state_code > city_name > airport_name
// (with icao_ident) > record (chartseq, chart_code, chart_name, pdf_name, useraction). Records marked deleted
// (useraction D) and airports without an ICAO code (four capital letters or digits) are left out and counted
// in the summary. An airport listed more than once has the charts of all its listings, said in the summary;
// a record that repeats the PDF of an earlier one of the same chart code and airport is left out and counted.
// Unreadable XML, text that is not UTF-8 although the file says it is, elements nested deeper than any
// metafile nests them, or another root element is an error naming the file, line and column.
class DtppMetafile {
public:
    Status read(const QString &fileName, const QByteArray &bytes, ImportSummary &summary);

    const QList<DtppAirport> &airports() const { return m_airports; }

private:
    void keepAirportsWithCode(ImportSummary &summary);
    void mergeRepeatedAirports(ImportSummary &summary);
    static void dropRepeatedCharts(DtppAirport &airport, ImportSummary &summary);

    QList<DtppAirport> m_airports;
};

} // namespace import
