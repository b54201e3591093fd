// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFolderWriter.h"

#include "ChartLibrary.h"
#include "Platform.h"
#include "SourceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace import {

namespace {

namespace fs = std::filesystem;

const QString kStagePrefix = QStringLiteral(".import-");

fs::path pathOf(const QString &path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString textOf(const fs::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

Status failure(const QString &path, const QString &doing, const QString &reason)
{
    return Status::failure(QStringLiteral("%1: %2: %3").arg(path, doing, reason));
}

Status failure(const QString &path, const QString &doing, const std::error_code &error)
{
    return failure(path, doing, platform::writingProblem(error.value()));
}

Status written(const QString &path, const QString &doing, const platform::FileWriting &writing)
{
    return writing.ok ? Status() : failure(path, doing, writing.reason);
}

// The chart of code and category in folder: folder + "/ADP" ... as the program names it.
QString chartPath(const QString &folder, const QString &code, int category)
{
    return QDir(folder).filePath(QFileInfo(airportdata::ChartFilePath(QString(), code, category)).fileName());
}

Status removeTree(const QString &path)
{
    std::error_code error;
    fs::remove_all(pathOf(path), error);
    return error ? failure(path, QStringLiteral("cannot be removed"), error) : Status();
}

// A copy of a file, for a file system without hard links.
Status copyFile(const QString &from, const QString &to)
{
    QByteArray bytes;
    if (Status read = readSourceFile(from, bytes); !read.ok)
        return read;
    return written(to, QStringLiteral("cannot be written"), platform::writeNewFile(to, bytes));
}

// Gives to every entry of from that it has not got: files as hard links (copies where the file system has
// none), links as links, folders entry by entry. Links are never followed. Nothing is flushed to disk yet.
Status carryOver(const QString &from, const QString &to)
{
    std::error_code error;
    fs::directory_iterator entry(pathOf(from), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const fs::path target = pathOf(to) / entry->path().filename();
        if (fs::exists(fs::symlink_status(target)))
            continue;
        const fs::file_status status = entry->symlink_status(error);
        Status carried;
        if (error) {
            break;
        } else if (fs::is_symlink(status)) {
            fs::copy_symlink(entry->path(), target, error);
        } else if (fs::is_directory(status)) {
            if (fs::create_directory(target, entry->path(), error))
                carried = carryOver(textOf(entry->path()), textOf(target));
        } else {
            fs::create_hard_link(entry->path(), target, error);
            if (error && fs::is_regular_file(status)) {
                error.clear();
                carried = copyFile(textOf(entry->path()), textOf(target));
            }
        }
        if (!carried.ok)
            return carried;
        if (error)
            return failure(textOf(target), QStringLiteral("cannot be made"), error);
    }
    if (error)
        return failure(from, QStringLiteral("cannot be read"), error);
    return {};
}

} // namespace

ChartFolderWriter::ChartFolderWriter(QString chartsFolder)
    : m_chartsFolder(std::move(chartsFolder))
{}

ChartFolderWriter::~ChartFolderWriter()
{
    removeStaged();
}

QString ChartFolderWriter::airportFolder(const QString &code) const
{
    return QDir(m_chartsFolder).filePath(code);
}

Status ChartFolderWriter::prepare()
{
    if (platform::fileKind(m_chartsFolder) == platform::FileKind::Missing && !QDir().mkpath(m_chartsFolder))
        return Status::failure(m_chartsFolder + QStringLiteral(": the chart folder cannot be made"));
    if (Status folder = checkFolder(m_chartsFolder); !folder.ok)
        return folder;
    const QStringList leftovers =
        QDir(m_chartsFolder)
            .entryList({kStagePrefix + u'*'},
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &leftover : leftovers) {
        if (Status removed = removeTree(QDir(m_chartsFolder).filePath(leftover)); !removed.ok)
            return removed;
    }
    return {};
}

QString ChartFolderWriter::obstacle(const QString &code, int category) const
{
    const QString path = category < 0 ? airportFolder(code) : chartPath(airportFolder(code), code, category);
    switch (platform::fileKind(path, false)) {
    case platform::FileKind::Missing:
    case platform::FileKind::Regular:
        return {};
    case platform::FileKind::Folder:
        return category < 0 ? QString()
                            : path + QStringLiteral(": a folder, left alone: the chart is not written");
    case platform::FileKind::Link:
        return path + QStringLiteral(": a link, left alone: ") +
               (category < 0 ? QStringLiteral("the airport's charts are not written")
                             : QStringLiteral("the chart is not written"));
    default:
        return path + QStringLiteral(": not a regular file or folder, left alone: ") +
               (category < 0 ? QStringLiteral("the airport's charts are not written")
                             : QStringLiteral("the chart is not written"));
    }
}

QString ChartFolderWriter::stageFolder(const QString &code) const
{
    return QDir(m_chartsFolder).filePath(kStagePrefix + code);
}

Status ChartFolderWriter::stage(const QString &code, const QList<ChartFile> &charts)
{
    const QString stage = stageFolder(code);
    if (Status cleared = removeTree(stage); !cleared.ok)
        return cleared;
    if (!QDir().mkdir(stage))
        return Status::failure(stage + QStringLiteral(": cannot be made"));
    m_staged.append(code);
    return fill(code, stage, charts);
}

Status ChartFolderWriter::fill(const QString &code, const QString &stage,
                               const QList<ChartFile> &charts) const
{
    for (const ChartFile &chart : charts) {
        const QString path = chartPath(stage, code, chart.category);
        if (Status status =
                written(path, QStringLiteral("cannot be written"), platform::writeNewFile(path, chart.pdf));
            !status.ok)
            return status;
    }
    const QString folder = airportFolder(code);
    return platform::fileKind(folder, false) == platform::FileKind::Folder ? carryOver(folder, stage)
                                                                           : Status();
}

Status ChartFolderWriter::commit()
{
    Status status = written(m_chartsFolder, QStringLiteral("cannot be written"),
                            platform::syncFileSystem(m_chartsFolder));
    for (qsizetype done = 0; status.ok && done < m_staged.size(); ++done)
        status = putInPlace(m_staged[done]);
    if (status.ok)
        status = written(m_chartsFolder, QStringLiteral("cannot be written"),
                         platform::syncFolder(m_chartsFolder));
    // The old folders after the swaps, and the new ones that did not get there.
    removeStaged();
    return status;
}

Status ChartFolderWriter::putInPlace(const QString &code) const
{
    const QString folder = airportFolder(code);
    const bool hasOld = platform::fileKind(folder, false) == platform::FileKind::Folder;
    const platform::FileWriting moved = hasOld ? platform::exchangeEntries(stageFolder(code), folder)
                                               : platform::renameToNewName(stageFolder(code), folder);
    return written(folder, QStringLiteral("cannot be replaced"), moved);
}

// One that cannot be removed now is removed by the next import.
void ChartFolderWriter::removeStaged()
{
    for (const QString &code : std::exchange(m_staged, {}))
        removeTree(stageFolder(code));
}

} // namespace import
