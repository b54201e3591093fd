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
        return QStringLiteral("No chart file was named.");
    case ChartFailure::FolderMissing:
        return QStringLiteral("The folder does not exist.");
    case ChartFailure::FileMissing:
        return QStringLiteral("The file does not exist.");
    case ChartFailure::NotAFile:
        return QStringLiteral("This is a folder, not a chart file.");
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
    case ChartFailure::NoDocument:
        return QStringLiteral("The chart could not be read.");
    case ChartFailure::TimedOut:
        return QStringLiteral("The chart could not be read: reading it took too long.");
    case ChartFailure::ReaderStopped:
        return QStringLiteral("The chart could not be read: the chart reader stopped unexpectedly.");
    case ChartFailure::ReaderMissing:
        return QStringLiteral("The chart could not be read: the chart reader (varnelox-render) is missing "
                              "or cannot start.");
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
