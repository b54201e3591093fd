// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DtppImport.h"
#include "FixtureFiles.h"
#include "ImportSummary.h"
#include "ProgressLine.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

// A d-TPP cycle written for the import tests: a metafile and its chart PDFs in a temporary folder, and a
// library folder beside them to import into.
namespace fixture {

// A metafile in the FAA's format: continuation pages, a deleted record, a missing PDF, an unreadable PDF,
// a chart code of no category, an airport without an ICAO code, records given out of chartseq order.
inline const QByteArray kMetafile = R"(<?xml version="1.0" encoding="UTF-8"?>
<digital_tpp cycle="2501" from_edate="0901Z  01/23/25" to_edate="0901Z  02/20/25">
  <state_code ID="MA" state_fullname="Massachusetts">
    <city_name ID="BOSTON" volume="NE-2">
      <airport_name ID="GENERAL EDWARD LAWRENCE LOGAN INTL" military="N" apt_ident="BOS" icao_ident="KBOS" alnum="58">
        <record><chartseq>10100</chartseq><chart_code>MIN</chart_code><chart_name>TAKEOFF MINIMUMS</chart_name>
          <useraction></useraction><pdf_name>NE2TO.PDF</pdf_name></record>
        <record><chartseq>50750</chartseq><chart_code>IAP</chart_code><chart_name>ILS OR LOC RWY 04R</chart_name>
          <useraction></useraction><pdf_name>00058IL4R.PDF</pdf_name></record>
        <record><chartseq>50750</chartseq><chart_code>IAP</chart_code><chart_name>ILS OR LOC RWY 04R, CONT.1</chart_name>
          <useraction>A</useraction><pdf_name>00058IL4R_C.PDF</pdf_name></record>
        <record><chartseq>50500</chartseq><chart_code>IAP</chart_code><chart_name>RNAV (GPS) RWY 22L</chart_name>
          <useraction>C</useraction><pdf_name>00058R22L.PDF</pdf_name></record>
        <record><chartseq>53000</chartseq><chart_code>IAP</chart_code><chart_name>VOR RWY 04L</chart_name>
          <useraction>D</useraction><pdf_name>DELETED_JOB.PDF</pdf_name></record>
        <record><chartseq>54000</chartseq><chart_code>IAP</chart_code><chart_name>LOC RWY 15R</chart_name>
          <useraction></useraction><pdf_name>00058L15R.PDF</pdf_name></record>
        <record><chartseq>70000</chartseq><chart_code>APD</chart_code><chart_name>AIRPORT DIAGRAM</chart_name>
          <useraction></useraction><pdf_name>00058AD.PDF</pdf_name></record>
        <record><chartseq>90100</chartseq><chart_code>DP</chart_code><chart_name>BOSTON FIVE, CONT.1</chart_name>
          <useraction></useraction><pdf_name>00058BOSTON_C.PDF</pdf_name></record>
        <record><chartseq>90100</chartseq><chart_code>DP</chart_code><chart_name>BOSTON FIVE</chart_name>
          <useraction></useraction><pdf_name>00058BOSTON.PDF</pdf_name></record>
        <record><chartseq>10700</chartseq><chart_code>HOT</chart_code><chart_name>HOT SPOT</chart_name>
          <useraction></useraction><pdf_name>NE2HOT.PDF</pdf_name></record>
        <record><chartseq>99999</chartseq><chart_code>DVA</chart_code><chart_name>DIVERSE VECTOR AREA</chart_name>
          <useraction></useraction><pdf_name>00058DVA.PDF</pdf_name></record>
      </airport_name>
      <airport_name ID="NORWOOD MEMORIAL" military="N" apt_ident="OWD" icao_ident="KOWD" alnum="732">
        <record><chartseq>53525</chartseq><chart_code>IAP</chart_code><chart_name>RNAV (GPS) RWY 35</chart_name>
          <useraction></useraction><pdf_name>00732R35.PDF</pdf_name></record>
      </airport_name>
      <airport_name ID="TINY STRIP" military="N" apt_ident="1B9" icao_ident="" alnum="999">
        <record><chartseq>10100</chartseq><chart_code>MIN</chart_code><chart_name>TAKEOFF MINIMUMS</chart_name>
          <useraction></useraction><pdf_name>NE2TO.PDF</pdf_name></record>
      </airport_name>
    </city_name>
  </state_code>
</digital_tpp>
)";

// A chart PDF of the given number of pages, each naming the file and the page.
inline void writeChart(const QString &path, int pages)
{
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(QPointF(200, 400),
                         QStringLiteral("%1 page %2").arg(QFileInfo(path).fileName()).arg(page));
    }
}

} // namespace fixture

// The base of the tests that import the cycle above: its charts written once, and before each test no library
// yet, the metafile as written above and an empty summary.
class DtppLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(charts()));
        const QList<std::pair<const char *, int>> files{
            {"NE2TO.PDF", 2},   {"00058IL4R.PDF", 1},   {"00058IL4R_C.PDF", 1},   {"00058R22L.PDF", 1},
            {"00058AD.PDF", 1}, {"00058BOSTON.PDF", 2}, {"00058BOSTON_C.PDF", 1}, {"NE2HOT.PDF", 1}};
        for (const auto &[name, pages] : files)
            fixture::writeChart(QDir(charts()).filePath(QString::fromLatin1(name)), pages);
        fixture::writeFile(QDir(charts()).filePath(QStringLiteral("00732R35.PDF")),
                           "%PDF-1.4\nthis is no chart\n");
        // Lower case on disk: found all the same.
        QVERIFY(QFile::rename(QDir(charts()).filePath(QStringLiteral("NE2HOT.PDF")),
                              QDir(charts()).filePath(QStringLiteral("ne2hot.pdf"))));
    }

    void init()
    {
        QVERIFY(QDir(library()).removeRecursively());
        m_options = {m_folder.filePath(QStringLiteral("d-TPP_Metafile.xml")), charts(), {}, library()};
        fixture::writeFile(m_options.metafile, fixture::kMetafile);
        m_summary = {};
    }

protected:
    QString library() const { return m_folder.filePath(QStringLiteral("library")); }
    QString charts() const { return m_folder.filePath(QStringLiteral("charts")); }

    import::Status runImport(const QStringList &airports = {}) { m_options.airports = airports;
    import::ProgressLine progress(nullptr, false);
    return import::importDtpp(m_options, m_summary, progress);
}

QTemporaryDir m_folder;
import::DtppOptions m_options;
import::ImportSummary m_summary;
}
;
