// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DtppMetafile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace import {

// One chart of a joined category file: the title of its bookmark and its PDF files, the chart's own first,
// then its continuation pages.
struct JoinedChart {
    QString title;
    QStringList pdfNames;
};

// The charts of one category of one airport in the order the joined file shows them: by chartseq, charts of
// one chartseq in file order. A continuation ("<name>, CONT.<n>") goes right after the chart it continues, in
// the order of n, under that chart's bookmark; one whose chart is not there stands as a chart of its own
// after the others.
QList<JoinedChart> orderCharts(QList<DtppChart> charts);

} // namespace import
