// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sheet.h"

#include <QPdfWriter>
#include <QString>

#include <memory>

namespace chartgen {

// What the header of every page of one chart shows.
struct ChartHeading {
    QString airportName;
    QString code;
    QString title;  // "AERODROME CHART"
    QString number; // "2-1"
};

struct DocumentStatus {
    bool ok = false;
    QString message; // the file and the reason when ok is false
};

// One chart file: A4 portrait pages, each framed with the chart header and the sample marking.
class ChartDocument {
public:
    ChartDocument(const QString &path, const ChartHeading &heading);
    ~ChartDocument();
    Q_DISABLE_COPY_MOVE(ChartDocument)

    bool isOpen() const { return m_open; }
    // Starts the next page (the first call uses the first page), draws its frame and returns the area
    // inside it, in millimetres.
    QRectF startPage(const QString &subtitle, int pageCount);
    Sheet &sheet() { return *m_sheet; }
    // The area inside the frame of every page, in millimetres.
    static QRectF bodyArea() { return QRectF(QPointF(12, 35), QPointF(198, 276)); }
    DocumentStatus finish();

private:
    QString m_path;
    ChartHeading m_heading;
    QPdfWriter m_writer;
    QPainter m_painter;
    std::unique_ptr<Sheet> m_sheet;
    int m_pagesStarted = 0;
    bool m_open = false;
};

} // namespace chartgen
