// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace viewer {

namespace {

struct ChartMessages {
    Q_DECLARE_TR_FUNCTIONS(ChartMessages)
};

QString reason(ChartFailure failure)
{
    switch (failure) {
    case ChartFailure::None:
    case ChartFailure::NoFileNamed:
        return ChartMessages::tr(
            "There is no chart file for this airport code: chart files are named only for "
            "codes of the letters A to Z and the digits 0 to 9, and only inside the chart "
            "library (a link there may lead only to another place in the library).");
    case ChartFailure::FolderMissing:
        return ChartMessages::tr("The folder does not exist.");
    case ChartFailure::FileMissing:
        return ChartMessages::tr("The file does not exist.");
    case ChartFailure::NotAFile:
        return ChartMessages::tr("This is a folder, not a chart file.");
    case ChartFailure::NotRegularFile:
        return ChartMessages::tr("This is not a regular file (it is a pipe, a device or a socket): it is not "
                                 "read.");
    case ChartFailure::PermissionDenied:
        return ChartMessages::tr("Permission denied: the file or one of its folders may not be read.");
    case ChartFailure::Unreadable:
        return ChartMessages::tr("The file cannot be opened for reading.");
    case ChartFailure::Empty:
        return ChartMessages::tr("The file is empty.");
    case ChartFailure::NotPdf:
        return ChartMessages::tr("The file is not a PDF chart.");
    case ChartFailure::Damaged:
        return ChartMessages::tr("The file is damaged or incomplete.");
    case ChartFailure::Password:
        return ChartMessages::tr("The file is protected by a password.");
    case ChartFailure::NoPages:
        return ChartMessages::tr("The file has no pages.");
    case ChartFailure::PageNotDrawn:
        return ChartMessages::tr("The page could not be drawn.");
    case ChartFailure::TooLarge:
        return ChartMessages::tr("The page is too large to draw at this size.");
    case ChartFailure::OutOfMemory:
        return ChartMessages::tr("The chart is too large to draw: it needs more memory than the chart reader "
                                 "may use.");
    case ChartFailure::NoDocument:
        return ChartMessages::tr("The chart could not be read.");
    case ChartFailure::TimedOut:
        return ChartMessages::tr("The chart could not be read: reading it took too long.");
    case ChartFailure::ReaderStopped:
        return ChartMessages::tr("The chart could not be read: the chart reader stopped unexpectedly.");
    case ChartFailure::ReaderMissing:
        return ChartMessages::tr("The chart could not be read: the chart reader (varnelox-render) is missing "
                                 "or cannot start.");
    case ChartFailure::NoPageMemory:
        return ChartMessages::tr("The chart could not be shown: the memory for its page images could not be "
                                 "set up. It is tried again with the next chart.");
    }
    return {};
}

} // namespace

QString chartMessage(const QString &path, ChartFailure failure)
{
    if (path.isEmpty())
        return reason(ChartFailure::NoFileNamed);
    const QFileInfo info(path);
    return ChartMessages::tr("%1\nFolder: %2\n\n%3")
        .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()), reason(failure));
}

} // namespace viewer
