// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageFit.h"

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

// A page to draw ahead, at low priority, before it is asked for: a page of a chart, in the frame of the
// viewer that will likely show it, in day or night colours.
struct AheadPage {
    QString chart;
    int page = 0;
    PageFrame frame;
    bool night = false;

    friend bool operator==(const AheadPage &, const AheadPage &) = default;
};

// One entry of a chart's index (the PDF's outline, or bookmarks): its title as plain text, the page it
// leads to (an index) and its depth in the index (0 at the top).
struct OutlineEntry {
    QString title;
    int page = 0;
    int level = 0;

    friend bool operator==(const OutlineEntry &, const OutlineEntry &) = default;
};

// The line protocol between the viewer and the render helper: one request line on the helper's standard
// input, one reply line on its standard output. Every request about a chart names the chart's file. A chart's
// index is asked for on its own, after its first page, so that the page never waits for it. Page images
// travel through shared memory; a render request names the byte offset where the helper writes the image as
// opaque RGB32 rows, 4 bytes a pixel. Pages drawn ahead stay in the helper until they are asked for.
namespace protocol {

enum class Kind {
    Invalid,
    Open,
    Render,
    ReadOutline,
    DrawAhead,
    Opened,
    Rendered,
    Outline,
    DrawingAhead,
    Failed
};

// The largest page image: one region of the shared memory.
constexpr qsizetype MaxImageBytes = qsizetype(48) << 20;
constexpr qsizetype MaxImagePixels = MaxImageBytes / 4;

// What the helper keeps of the pages it drew, compressed: the pages of one airport's charts at the sizes of
// both windows' viewers, and more.
constexpr qint64 DefaultCacheBytes = qint64(6) << 20;

// The most pages one draw-ahead request names.
constexpr int MaxAheadPages = 64;

// A page request for a page of the given size in points, drawn ahead as it says: its page at the size of
// its frame, its turns and colours. The viewer asks for the pages it shows by the same rule.
PageRequest framedPage(const AheadPage &ahead, QSizeF points);

// The memory the render helper may take, address space included: a chart that needs more ends in an
// out-of-memory reply and the helper ends with it.
constexpr qint64 DefaultMemoryLimitBytes = qint64(1) << 30;

// A chart's index comes from the file, so it travels bounded: at most this many entries, titles of at most
// this many UTF-16 units, depths up to this level.
constexpr int MaxOutlineEntries = 1000;
constexpr int MaxOutlineTitleLength = 120;
constexpr int MaxOutlineLevel = 15;

// A title as the index shows it: every control, format or line separator character becomes a blank, runs of
// blanks become one and the ends are trimmed; cut to MaxOutlineTitleLength without splitting a character.
QString plainOutlineTitle(const QString &title);

struct Message {
    Kind kind = Kind::Invalid;
    quint64 serial = 0;
    QString path;                              // Open, Render, ReadOutline
    PageRequest page;                          // Render
    qsizetype offset = 0;                      // Render
    QList<AheadPage> ahead;                    // DrawAhead
    QList<QSizeF> pageSizes;                   // Opened, in points
    int pageCount = 0;                         // Outline: the pages of the chart it belongs to
    QList<OutlineEntry> outline;               // Outline
    QSize imageSize;                           // Rendered
    ChartFailure failure = ChartFailure::None; // Failed
};

QByteArray openLine(quint64 serial, const QString &path);
QByteArray renderLine(quint64 serial, const QString &path, const PageRequest &page, qsizetype offset);
QByteArray readOutlineLine(quint64 serial, const QString &path);
// The pages to draw ahead, most wanted first, replacing those named before; at most MaxAheadPages are sent.
QByteArray drawAheadLine(quint64 serial, const QList<AheadPage> &pages);
QByteArray openedLine(quint64 serial, const QList<QSizeF> &pageSizes);
// The index of a chart of pageCount pages: entries whose page is not one of the chart's are left out, as
// are entries past MaxOutlineEntries; titles are made plain and levels kept within MaxOutlineLevel.
QByteArray outlineLine(quint64 serial, int pageCount, const QList<OutlineEntry> &outline);
QByteArray renderedLine(quint64 serial, QSize imageSize);
QByteArray drawingAheadLine(quint64 serial);
QByteArray failedLine(quint64 serial, ChartFailure failure);

// Reads one line (with or without its line feed); anything malformed gives Kind::Invalid, and so does an
// index out of its bounds, an entry that leads to no page of the chart or a title that is not plain.
Message parse(const QByteArray &line);

} // namespace protocol
} // namespace viewer
