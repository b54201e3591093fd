#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace viewer {

// Why a chart or one of its pages could not be shown.
enum class ChartFailure {
    None,
    NoFileNamed,
    FolderMissing,
    FileMissing,
    NotAFile,
    NotRegularFile,
    PermissionDenied,
    Unreadable,
    Empty,
    NotPdf,
    Damaged,
    Password,
    NoPages,
    PageNotDrawn,
    NoDocument,
    TooLarge,
    OutOfMemory,
    TimedOut,
    ReaderStopped,
    ReaderMissing,
    NoPageMemory,
};

// One page image to draw: page index, pixel size, clockwise quarter turns (0 to 3), night colours.
struct PageRequest {
    int page = 0;
    QSize pixelSize;
    int quarterTurns = 0;
    bool night = false;

    friend bool operator==(const PageRequest &, const PageRequest &) = default;
};

// The line protocol between the viewer and the render helper: one request line on the helper's standard
// input, one reply line on its standard output. Page images travel through shared memory; a render
// request names the byte offset where the helper writes the image as opaque RGB32 rows, 4 bytes a pixel.
namespace protocol {

enum class Kind { Invalid, Open, Render, Opened, Rendered, Failed };

// The memory the render helper may take, address space included: a chart that needs more ends in an
// out-of-memory reply and the helper ends with it.
constexpr qint64 DefaultMemoryLimitBytes = qint64(1) << 30;

struct Message {
    Kind kind = Kind::Invalid;
    quint64 serial = 0;
    QString path;                              // Open
    PageRequest page;                          // Render
    qsizetype offset = 0;                      // Render
    QList<QSizeF> pageSizes;                   // Opened, in points
    QSize imageSize;                           // Rendered
    ChartFailure failure = ChartFailure::None; // Failed
};

QByteArray openLine(quint64 serial, const QString &path);
QByteArray renderLine(quint64 serial, const PageRequest &page, qsizetype offset);
QByteArray openedLine(quint64 serial, const QList<QSizeF> &pageSizes);
QByteArray renderedLine(quint64 serial, QSize imageSize);
QByteArray failedLine(quint64 serial, ChartFailure failure);

// Reads one line (with or without its line feed); anything malformed gives Kind::Invalid.
Message parse(const QByteArray &line);

} // namespace protocol
} // namespace viewer
