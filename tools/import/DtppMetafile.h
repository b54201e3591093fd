#pragma once

#include "ImportStatus.h"

#include <QList>
#include <QString>

class QIODevice;

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
// in the summary. Unreadable XML or another root element is an error naming the file, line and column.
class DtppMetafile {
public:
    Status read(const QString &fileName, QIODevice &device, ImportSummary &summary);

    const QList<DtppAirport> &airports() const { return m_airports; }

private:
    QList<DtppAirport> m_airports;
};

} // namespace import
