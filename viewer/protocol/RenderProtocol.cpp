// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenderProtocol.h"

#include <QUrl>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace viewer::protocol {

namespace {

constexpr std::array<std::pair<ChartFailure, const char *>, 20> failureWords{{
    {ChartFailure::NoFileNamed, "no-file-named"},
    {ChartFailure::FolderMissing, "folder-missing"},
    {ChartFailure::FileMissing, "file-missing"},
    {ChartFailure::NotAFile, "not-a-file"},
    {ChartFailure::NotRegularFile, "not-regular"},
    {ChartFailure::PermissionDenied, "permission-denied"},
    {ChartFailure::Unreadable, "unreadable"},
    {ChartFailure::Empty, "empty"},
    {ChartFailure::NotPdf, "not-pdf"},
    {ChartFailure::Damaged, "damaged"},
    {ChartFailure::Password, "password"},
    {ChartFailure::NoPages, "no-pages"},
    {ChartFailure::PageNotDrawn, "page-not-drawn"},
    {ChartFailure::NoDocument, "no-document"},
    {ChartFailure::TooLarge, "too-large"},
    {ChartFailure::OutOfMemory, "out-of-memory"},
    {ChartFailure::TimedOut, "timed-out"},
    {ChartFailure::ReaderStopped, "reader-stopped"},
    {ChartFailure::ReaderMissing, "reader-missing"},
    {ChartFailure::NoPageMemory, "no-page-memory"},
}};

QByteArray failureWord(ChartFailure failure)
{
    for (const auto &[value, word] : failureWords) {
        if (value == failure)
            return word;
    }
    return "damaged";
}

ChartFailure failureFromWord(const QByteArray &word)
{
    for (const auto &[value, text] : failureWords) {
        if (word == text)
            return value;
    }
    return ChartFailure::None;
}

// Number parsers that say whether the whole word was a number.
bool toULong(const QByteArray &word, quint64 &value)
{
    bool ok = false;
    value = word.toULongLong(&ok);
    return ok;
}

bool toInt(const QByteArray &word, int &value)
{
    bool ok = false;
    value = word.toInt(&ok);
    return ok;
}

bool toReal(const QByteArray &word, qreal &value)
{
    bool ok = false;
    value = word.toDouble(&ok);
    return ok && std::isfinite(value);
}

// Doubles travel with every digit, so that both ends compute the same sizes from them.
QByteArray realWord(qreal value)
{
    return QByteArray::number(value, 'g', std::numeric_limits<qreal>::max_digits10);
}

QString pathFromWord(const QByteArray &word)
{
    return QUrl::fromPercentEncoding(word);
}

// "render SERIAL PATH PAGE WIDTH HEIGHT TURNS NIGHT OFFSET".
Message parseRender(const QList<QByteArray> &words, Message message)
{
    int width = 0;
    int height = 0;
    int night = 0;
    quint64 offset = 0;
    if (words.size() != 9 || !toInt(words[3], message.page.page) || !toInt(words[4], width) ||
        !toInt(words[5], height) || !toInt(words[6], message.page.quarterTurns) || !toInt(words[7], night) ||
        !toULong(words[8], offset) || offset > quint64(std::numeric_limits<qsizetype>::max()))
        return {};
    message.path = pathFromWord(words[2]);
    message.page.pixelSize = QSize(width, height);
    message.page.night = night != 0;
    message.offset = qsizetype(offset);
    return message;
}

// "PATH,PAGE,MODE,SCALE,AREA-WIDTH,AREA-HEIGHT,SCROLL-BAR,PIXEL-RATIO,TURNS,NIGHT".
QByteArray aheadWord(const AheadPage &ahead)
{
    const PageFrame &frame = ahead.frame;
    return QUrl::toPercentEncoding(ahead.chart) + ',' + QByteArray::number(ahead.page) + ',' +
           QByteArray::number(int(frame.zoomMode)) + ',' + realWord(frame.customScale) + ',' +
           QByteArray::number(frame.area.width()) + ',' + QByteArray::number(frame.area.height()) + ',' +
           QByteArray::number(frame.scrollBarExtent) + ',' + realWord(frame.devicePixelRatio) + ',' +
           QByteArray::number(frame.quarterTurns) + ',' + QByteArray::number(ahead.night ? 1 : 0);
}

bool toAheadPage(const QByteArray &word, AheadPage &ahead)
{
    const QList<QByteArray> parts = word.split(',');
    PageFrame &frame = ahead.frame;
    int mode = 0;
    int width = 0;
    int height = 0;
    int night = 0;
    if (parts.size() != 10 || !toInt(parts[1], ahead.page) || !toInt(parts[2], mode) ||
        !toReal(parts[3], frame.customScale) || !toInt(parts[4], width) || !toInt(parts[5], height) ||
        !toInt(parts[6], frame.scrollBarExtent) || !toReal(parts[7], frame.devicePixelRatio) ||
        !toInt(parts[8], frame.quarterTurns) || !toInt(parts[9], night))
        return false;
    ahead.chart = pathFromWord(parts[0]);
    frame.zoomMode = ZoomMode(mode);
    frame.area = QSize(width, height);
    ahead.night = night != 0;
    return ahead.page >= 0 && mode >= int(ZoomMode::FitWidth) && mode <= int(ZoomMode::Custom) &&
           frame.customScale > 0 && width >= 0 && height >= 0 && frame.scrollBarExtent >= 0 &&
           frame.devicePixelRatio > 0 && frame.quarterTurns >= 0 && frame.quarterTurns <= 3 &&
           (night == 0 || night == 1);
}

bool toSize(const QByteArray &word, QSizeF &size)
{
    const QList<QByteArray> parts = word.split(',');
    bool okWidth = false;
    bool okHeight = false;
    size = QSizeF(parts.value(0).toDouble(&okWidth), parts.value(1).toDouble(&okHeight));
    return parts.size() == 2 && okWidth && okHeight && std::isfinite(size.width()) &&
           std::isfinite(size.height()) && size.width() >= 0 && size.height() >= 0;
}

// "page,level,title" with the title percent-encoded UTF-8, already plain.
bool toOutlineEntry(const QByteArray &word, int pageCount, OutlineEntry &entry)
{
    const QList<QByteArray> parts = word.split(',');
    if (parts.size() != 3 || !toInt(parts[0], entry.page) || !toInt(parts[1], entry.level))
        return false;
    const QByteArray title = QByteArray::fromPercentEncoding(parts[2]);
    entry.title = QString::fromUtf8(title);
    return entry.page >= 0 && entry.page < pageCount && entry.level >= 0 && entry.level <= MaxOutlineLevel &&
           entry.title.toUtf8() == title && entry.title == plainOutlineTitle(entry.title);
}

QByteArray outlineWord(const OutlineEntry &entry)
{
    return QByteArray::number(entry.page) + ',' +
           QByteArray::number(std::clamp(entry.level, 0, MaxOutlineLevel)) + ',' +
           QUrl::toPercentEncoding(plainOutlineTitle(entry.title));
}

// The words after a count of them at words[countAt], at most limit, each read by read into list.
template <typename T, typename Read>
bool readCounted(const QList<QByteArray> &words, qsizetype countAt, int limit, Read read, QList<T> &list)
{
    int count = 0;
    if (words.size() <= countAt || !toInt(words[countAt], count) || count < 0 || count > limit ||
        count != words.size() - countAt - 1)
        return false;
    for (qsizetype i = countAt + 1; i < words.size(); ++i) {
        T item;
        if (!read(words[i], item))
            return false;
        list.append(item);
    }
    return true;
}

// "opened SERIAL PAGES size...".
Message parseOpened(const QList<QByteArray> &words, Message message)
{
    return readCounted(words, 2, std::numeric_limits<int>::max(), toSize, message.pageSizes) ? message
                                                                                             : Message{};
}

// "outline SERIAL PAGES ENTRIES entry...".
Message parseOutline(const QList<QByteArray> &words, Message message)
{
    const auto toEntry = [&message](const QByteArray &word, OutlineEntry &entry) {
        return toOutlineEntry(word, message.pageCount, entry);
    };
    if (words.size() < 3 || !toInt(words[2], message.pageCount) || message.pageCount < 0 ||
        !readCounted(words, 3, MaxOutlineEntries, toEntry, message.outline))
        return {};
    return message;
}

// "draw-ahead SERIAL COUNT page...".
Message parseDrawAhead(const QList<QByteArray> &words, Message message)
{
    return readCounted(words, 2, MaxAheadPages, toAheadPage, message.ahead) ? message : Message{};
}

// Characters that plain text leaves out: controls, format characters (bidirectional overrides among them),
// line and paragraph separators, and what is no character at all.
bool isPlainCharacter(char32_t character)
{
    switch (QChar::category(character)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return !QChar::isSpace(character);
    }
}

} // namespace

QByteArray openLine(quint64 serial, const QString &path)
{
    return "open " + QByteArray::number(serial) + ' ' + QUrl::toPercentEncoding(path) + '\n';
}

PageRequest framedPage(const AheadPage &ahead, QSizeF points)
{
    PageRequest request;
    request.page = ahead.page;
    request.pixelSize = framedPageSize(points, ahead.frame, MaxImagePixels).pixels;
    request.quarterTurns = ahead.frame.quarterTurns;
    request.night = ahead.night;
    return request;
}

QByteArray renderLine(quint64 serial, const QString &path, const PageRequest &page, qsizetype offset)
{
    return "render " + QByteArray::number(serial) + ' ' + QUrl::toPercentEncoding(path) + ' ' +
           QByteArray::number(page.page) + ' ' + QByteArray::number(page.pixelSize.width()) + ' ' +
           QByteArray::number(page.pixelSize.height()) + ' ' + QByteArray::number(page.quarterTurns) + ' ' +
           QByteArray::number(page.night ? 1 : 0) + ' ' + QByteArray::number(offset) + '\n';
}

QString plainOutlineTitle(const QString &title)
{
    const QString ellipsis(QChar(0x2026));
    QString plain;
    bool blank = false;
    for (const char32_t character : QStringView(title).toUcs4()) {
        if (!isPlainCharacter(character)) {
            blank = !plain.isEmpty();
            continue;
        }
        const QString text = QString::fromUcs4(&character, 1);
        if (plain.size() + int(blank) + text.size() > MaxOutlineTitleLength) {
            while (plain.size() + ellipsis.size() > MaxOutlineTitleLength)
                plain.chop(plain.back().isLowSurrogate() ? 2 : 1);
            return plain.trimmed() + ellipsis;
        }
        if (blank)
            plain += u' ';
        blank = false;
        plain += text;
    }
    return plain;
}

QByteArray readOutlineLine(quint64 serial, const QString &path)
{
    return "read-outline " + QByteArray::number(serial) + ' ' + QUrl::toPercentEncoding(path) + '\n';
}

QByteArray drawAheadLine(quint64 serial, const QList<AheadPage> &pages)
{
    const QList<AheadPage> sent = pages.mid(0, MaxAheadPages);
    QByteArray line = "draw-ahead " + QByteArray::number(serial) + ' ' + QByteArray::number(sent.size());
    for (const AheadPage &ahead : sent)
        line += ' ' + aheadWord(ahead);
    return line + '\n';
}

QByteArray drawingAheadLine(quint64 serial)
{
    return "drawing-ahead " + QByteArray::number(serial) + '\n';
}

QByteArray openedLine(quint64 serial, const QList<QSizeF> &pageSizes)
{
    QByteArray line = "opened " + QByteArray::number(serial) + ' ' + QByteArray::number(pageSizes.size());
    for (const QSizeF &size : pageSizes)
        line += ' ' + QByteArray::number(size.width()) + ',' + QByteArray::number(size.height());
    return line + '\n';
}

QByteArray outlineLine(quint64 serial, int pageCount, const QList<OutlineEntry> &outline)
{
    QByteArrayList entries;
    for (const OutlineEntry &entry : outline) {
        if (entries.size() == MaxOutlineEntries)
            break;
        if (entry.page >= 0 && entry.page < pageCount)
            entries.append(outlineWord(entry));
    }
    QByteArray line = "outline " + QByteArray::number(serial) + ' ' +
                      QByteArray::number(std::max(0, pageCount)) + ' ' + QByteArray::number(entries.size());
    for (const QByteArray &entry : entries)
        line += ' ' + entry;
    return line + '\n';
}

QByteArray renderedLine(quint64 serial, QSize imageSize)
{
    return "rendered " + QByteArray::number(serial) + ' ' + QByteArray::number(imageSize.width()) + ' ' +
           QByteArray::number(imageSize.height()) + '\n';
}

QByteArray failedLine(quint64 serial, ChartFailure failure)
{
    return "failed " + QByteArray::number(serial) + ' ' + failureWord(failure) + '\n';
}

Message parse(const QByteArray &line)
{
    const QList<QByteArray> words = line.trimmed().split(' ');
    Message message;
    if (words.size() < 2 || !toULong(words[1], message.serial))
        return {};
    const QByteArray &verb = words[0];
    if ((verb == "open" || verb == "read-outline") && words.size() == 3) {
        message.kind = verb == "open" ? Kind::Open : Kind::ReadOutline;
        message.path = pathFromWord(words[2]);
        return message;
    }
    if (verb == "render") {
        message.kind = Kind::Render;
        return parseRender(words, message);
    }
    if (verb == "draw-ahead") {
        message.kind = Kind::DrawAhead;
        return parseDrawAhead(words, message);
    }
    if (verb == "drawing-ahead" && words.size() == 2) {
        message.kind = Kind::DrawingAhead;
        return message;
    }
    if (verb == "opened") {
        message.kind = Kind::Opened;
        return parseOpened(words, message);
    }
    if (verb == "outline") {
        message.kind = Kind::Outline;
        return parseOutline(words, message);
    }
    if (verb == "rendered" && words.size() == 4) {
        int width = 0;
        int height = 0;
        message.kind = Kind::Rendered;
        if (!toInt(words[2], width) || !toInt(words[3], height))
            return {};
        message.imageSize = QSize(width, height);
        return message;
    }
    if (verb == "failed" && words.size() == 3) {
        message.kind = Kind::Failed;
        message.failure = failureFromWord(words[2]);
        return message.failure == ChartFailure::None ? Message{} : message;
    }
    return {};
}

} // namespace viewer::protocol
