#include "ChartMessages.h"

#include <QDir>
#include <QFileInfo>

namespace viewer {

namespace {

QString reason(ChartFailure failure)
{
    switch (failure) {
    case ChartFailure::None:
    case ChartFailure::NoFileNamed:
        return QStringLiteral("There is no chart file for this airport code: chart files are named only for "
                              "codes of the letters A to Z and the digits 0 to 9, and only inside the chart "
                              "library (a link there may lead only to another place in the library).");
    case ChartFailure::FolderMissing:
        return QStringLiteral("The folder does not exist.");
    case ChartFailure::FileMissing:
        return QStringLiteral("The file does not exist.");
    case ChartFailure::NotAFile:
        return QStringLiteral("This is a folder, not a chart file.");
    case ChartFailure::NotRegularFile:
        return QStringLiteral("This is not a regular file (it is a pipe, a device or a socket): it is not "
                              "read.");
    case ChartFailure::PermissionDenied:
        return QStringLiteral("Permission denied: the file or one of its folders may not be read.");
    case ChartFailure::Unreadable:
        return QStringLiteral("The file cannot be opened for reading.");
    case ChartFailure::Empty:
        return QStringLiteral("The file is empty.");
    case ChartFailure::NotPdf:
        return QStringLiteral("The file is not a PDF chart.");
    case ChartFailure::Damaged:
        return QStringLiteral("The file is damaged or incomplete.");
    case ChartFailure::Password:
        return QStringLiteral("The file is protected by a password.");
    case ChartFailure::NoPages:
        return QStringLiteral("The file has no pages.");
    case ChartFailure::PageNotDrawn:
        return QStringLiteral("The page could not be drawn.");
    case ChartFailure::TooLarge:
        return QStringLiteral("The page is too large to draw at this size.");
    case ChartFailure::OutOfMemory:
        return QStringLiteral("The chart is too large to draw: it needs more memory than the chart reader "
                              "may use.");
    case ChartFailure::NoDocument:
        return QStringLiteral("The chart could not be read.");
    case ChartFailure::TimedOut:
        return QStringLiteral("The chart could not be read: reading it took too long.");
    case ChartFailure::ReaderStopped:
        return QStringLiteral("The chart could not be read: the chart reader stopped unexpectedly.");
    case ChartFailure::ReaderMissing:
        return QStringLiteral("The chart could not be read: the chart reader (varnelox-render) is missing "
                              "or cannot start.");
    case ChartFailure::NoPageMemory:
        return QStringLiteral("The chart could not be shown: the memory for its page images could not be "
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
    return QStringLiteral("%1\nFolder: %2\n\n%3")
        .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()), reason(failure));
}

} // namespace viewer
