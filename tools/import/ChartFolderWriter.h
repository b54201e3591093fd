// SPDX-License-Identifier: GPL-3.0-or-later
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

// Replaces the chart folders of airports, Airports/<CODE>/, so that whenever the import stops (killed, the
// system down, the disk full) the program finds for each airport either all its old charts or all its new
// ones. An airport's new folder is staged beside its old one as Airports/.import-<CODE>: the new charts,
// then, by hard link (a copy where the file system has none), everything of the old folder the import does
// not replace. A commit flushes the staged folders to disk at once and swaps each with its old folder in one
// step; the old ones, now under the other names, are removed. Links in the chart tree are left alone:
// obstacle() says which airport folders and charts not to write. Folders left under the .import- names by an
// import that stopped are removed by the next one (prepare), and by this writer when it goes.
class ChartFolderWriter {
public:
    // Staged airports that a commit puts in place at once.
    static constexpr qsizetype CommitEvery = 32;

    // chartsFolder: the library's Airports/ (made when missing; it may be a link to another disk).
    explicit ChartFolderWriter(QString chartsFolder);
    ~ChartFolderWriter();
    Q_DISABLE_COPY_MOVE(ChartFolderWriter)

    // Makes the chart tree when it is missing and removes what an interrupted import left in it.
    Status prepare();
    // Why the chart of code and category, or with category -1 the airport's folder, is not to be written
    // (a link, left alone; no folder where the airport's folder goes), or nothing.
    QString obstacle(const QString &code, int category = -1) const;
    // Stages the airport's new folder: the charts and what the old folder holds besides them.
    Status stage(const QString &code, const QList<ChartFile> &charts);
    const QStringList &staged() const { return m_staged; }
    // Puts every staged folder in place of its airport's old one. When it fails, the airports before the one
    // named in the message have their new charts, the others their old ones.
    Status commit();

private:
    QString airportFolder(const QString &code) const;
    QString stageFolder(const QString &code) const;
    Status fill(const QString &code, const QString &stage, const QList<ChartFile> &charts) const;
    Status putInPlace(const QString &code) const;
    void removeStaged();

    QString m_chartsFolder;
    QStringList m_staged; // the codes of the airports staged, in order
};

} // namespace import
