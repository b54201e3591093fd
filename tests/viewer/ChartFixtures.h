// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartRenderClient.h"
#include "ChartViewer.h"

#include <QColor>
#include <QList>
#include <QSizeF>
#include <QString>

#include <memory>

namespace fixtures {

// The built varnelox-render, with the program's own limits.
viewer::ChartRenderSettings realHelper();
// A viewer with a render helper of its own, started with settings; pages are placed on the map in places.
std::unique_ptr<viewer::ChartViewer> viewerWithHelper(const viewer::ChartRenderSettings &settings,
                                                      georef::PlacedCharts *places = nullptr);
// Waits until no render helper started by this process draws pages ahead (it draws each in a copy of
// itself): true once none has for a moment, false when one still does after timeoutMs.
bool waitForDrawingAhead(int timeoutMs);

// Page corner markers: page 1 red, page 2 blue, page 3 green, then again.
QColor markerColour(int page);

// Writes an airport chart of A4 pages in vector form: a grid, runways and taxiways, aprons and a red
// restricted area, labels and a frequency table, and a coloured marker square in each page's top-left
// corner.
bool writeChart(const QString &path, int pages = 1);
bool writeBytes(const QString &path, const QByteArray &bytes);
// The first part of a good chart, as a download that broke off.
bool writeTruncatedChart(const QString &path);
// A small file whose page tree lists every node twice, 64 levels deep: the PDF engine walks it for
// hours.
bool writeEndlessPageTree(const QString &path);
// A good chart encrypted with a user password (qpdf).
bool writeEncryptedChart(const QString &path);

// One entry of a chart's outline, in reading order; its level (0 at the top) places it below the last entry
// one level up. A page of -1 leads nowhere (an entry without destination).
struct OutlineItem {
    QString title;
    int page = 0;
    int level = 0;
};
// Many small A4 pages, each with the corner marker of writeChart() (markerColour(page)), and an outline.
// Written by hand, so that thousands of pages take a moment.
bool writeOutlinedChart(const QString &path, int pages, const QList<OutlineItem> &outline = {});
// One page of the given size in points, filled with cornerChartPaper(), with a square marker in each
// corner, a tenth of the page's shorter side: top-left red, top-right green, bottom-left blue,
// bottom-right magenta. Whether a page is shown whole, and where, can be told from these colours.
bool writeCornerChart(const QString &path, QSizeF points, const QList<OutlineItem> &outline = {});
QColor cornerChartPaper();
// One page whose outline loops: its only entry is its own next sibling, or its own first child.
bool writeLoopingOutline(const QString &path, bool throughChild);
// Three pages with an outline whose entries lead to their page each another way: DIRECT to page 0 by a
// destination, ACTION to page 1 by a go-to action, NAMED to page 2 by a name in the catalog's name tree, OLD
// NAME to page 1 by a name in the catalog's older destination dictionary.
bool writeOutlineOfEveryDestination(const QString &path);

} // namespace fixtures
