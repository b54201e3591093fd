#pragma once

#include "ImportStatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace import {

// One chart file of an airport: its category (an index into airportdata::ChartCategories) and its PDF.
struct ChartFile {
    int category = 0;
    QByteArray pdf;
};

// Replaces the chart folder of one airport, Airports/<CODE>/, so that whenever the import stops (killed, the
// system down, the disk full) the program finds either all the airport's old charts or all its new ones.
// The new folder is made beside the old one as Airports/.import-<CODE>: the new charts, then, by hard link
// (a copy where the file system has none), everything of the old folder the import does not replace. It is
// flushed to disk and swapped with the old folder in one step; the old one, now under the other name, is
// removed. Links in the chart tree are left alone: obstacle() says which airport folders and charts not to
// write. Folders that an interrupted import left under the .import- names are removed by the next one
// (prepare).
class ChartFolderWriter {
public:
    // chartsFolder: the library's Airports/ (made when missing; it may be a link to another disk).
    explicit ChartFolderWriter(QString chartsFolder);

    // Makes the chart tree when it is missing and removes what an interrupted import left in it.
    Status prepare();
    // Why the chart of code and category, or with category -1 the airport's folder, is not to be written
    // (a link, left alone; no folder where the airport's folder goes), or nothing.
    QString obstacle(const QString &code, int category = -1) const;
    // Puts the charts in place of the airport's old ones.
    Status replace(const QString &code, const QList<ChartFile> &charts);

private:
    QString airportFolder(const QString &code) const;
    Status fill(const QString &code, const QString &stage, const QList<ChartFile> &charts) const;
    Status putInPlace(const QString &stage, const QString &folder) const;

    QString m_chartsFolder;
};

} // namespace import
