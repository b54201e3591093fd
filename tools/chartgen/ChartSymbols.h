// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sheet.h"

#include <QLineF>
#include <QList>
#include <QStringList>

namespace chartgen {

// The symbols that charts share, drawn in millimetres on a sheet.
namespace symbols {

void vor(Sheet &sheet, QPointF at, bool withRose);
void fix(Sheet &sheet, QPointF at, bool compulsory);
void finalApproachFix(Sheet &sheet, QPointF at);
void arrowHead(Sheet &sheet, QPointF tip, QPointF direction, double size = 2.2);
void track(Sheet &sheet, QPointF from, QPointF to, double width = 0.35, Qt::PenStyle style = Qt::SolidLine);
void northArrow(Sheet &sheet, QPointF top, double height);
void scaleBar(Sheet &sheet, QPointF left, double mmPerUnit, double stepUnits, const QString &unit);
// A racetrack hold: the inbound leg ends at the fix on the heading, turns to the right unless told.
void holding(Sheet &sheet, QPointF fix, double inboundHeading, double legMm, bool leftTurns = false);
void obstacle(Sheet &sheet, QPointF base, double height, bool lit);
// Text lines in a white box with a thin border, its top-left corner at the point.
QRectF boxedNote(Sheet &sheet, QPointF topLeft, const QStringList &lines, const TextStyle &style);

} // namespace symbols

// A ruled table: a shaded heading row, then the rows; column widths in millimetres.
struct Table {
    QList<double> widths;
    QStringList heading;
    QList<QStringList> rows;
    double rowHeight = 6;
    double points = 7;
};

// Draws the table with its top-left corner at the point and returns the y just below it.
double drawTable(Sheet &sheet, QPointF topLeft, const Table &table);

inline constexpr double sectionTitleHeight = 6;

// A shaded section title across the given width; returns the y just below it.
double drawSectionTitle(Sheet &sheet, QPointF topLeft, double width, const QString &title);

// Wrapped paragraphs in the box; returns the y just below the text.
double drawParagraph(Sheet &sheet, const QRectF &box, const QString &text, double points = 8);

} // namespace chartgen
