// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace import {

// A chart to put into a joined file: the title of its bookmark and its PDF files.
struct ChartPages {
    QString title;
    QStringList files;
};

struct JoinedFile {
    bool ok = false;
    QString message; // why nothing was made, when ok is false
    QByteArray pdf;  // the joined document
    int charts = 0;  // charts with at least one page in the document
    int pages = 0;
    QStringList problems; // source files left out, each with the reason
};

// Joins the pages of several PDF charts into one document with qpdf, chart after chart, and gives it an
// outline with one bookmark per chart, named by its title and leading to its first page. A source file that
// is missing or cannot be read is left out and reported; a chart none of whose files can be read gets no
// bookmark. Nothing is made when no page is left.
JoinedFile joinCharts(const QList<ChartPages> &charts);

} // namespace import
