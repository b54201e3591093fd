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
        return ChartMessages::tr("No chart file was named.");
    case ChartFailure::FolderMissing:
        return ChartMessages::tr("The folder does not exist.");
    case ChartFailure::FileMissing:
        return ChartMessages::tr("The file does not exist.");
    case ChartFailure::NotAFile:
        return ChartMessages::tr("This is a folder, not a chart file.");
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
    case ChartFailure::NoDocument:
        return ChartMessages::tr("The chart could not be read.");
    case ChartFailure::TimedOut:
        return ChartMessages::tr("The chart could not be read: reading it took too long.");
    case ChartFailure::ReaderStopped:
        return ChartMessages::tr("The chart could not be read: the chart reader stopped unexpectedly.");
    case ChartFailure::ReaderMissing:
        return ChartMessages::tr("The chart could not be read: the chart reader (varnelox-render) is missing "
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
    return ChartMessages::tr("%1\nFolder: %2\n\n%3")
        .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath()), reason(failure));
}

} // namespace viewer
