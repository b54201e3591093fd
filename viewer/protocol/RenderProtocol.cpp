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

Message parseRender(const QList<QByteArray> &words, Message message)
{
    int width = 0;
    int height = 0;
    int night = 0;
    quint64 offset = 0;
    if (words.size() != 8 || !toInt(words[2], message.page.page) || !toInt(words[3], width) ||
        !toInt(words[4], height) || !toInt(words[5], message.page.quarterTurns) || !toInt(words[6], night) ||
        !toULong(words[7], offset) || offset > quint64(std::numeric_limits<qsizetype>::max()))
        return {};
    message.page.pixelSize = QSize(width, height);
    message.page.night = night != 0;
    message.offset = qsizetype(offset);
    return message;
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

// "opened SERIAL PAGES size...".
Message parseOpened(const QList<QByteArray> &words, Message message)
{
    int pages = 0;
    if (words.size() < 3 || !toInt(words[2], pages) || pages < 0 || pages != words.size() - 3)
        return {};
    for (qsizetype i = 3; i < words.size(); ++i) {
        QSizeF size;
        if (!toSize(words[i], size))
            return {};
        message.pageSizes.append(size);
    }
    return message;
}

// "outline SERIAL PAGES ENTRIES entry...".
Message parseOutline(const QList<QByteArray> &words, Message message)
{
    int entries = 0;
    if (words.size() < 4 || !toInt(words[2], message.pageCount) || message.pageCount < 0 ||
        !toInt(words[3], entries) || entries < 0 || entries > MaxOutlineEntries ||
        entries != words.size() - 4)
        return {};
    for (qsizetype i = 4; i < words.size(); ++i) {
        OutlineEntry entry;
        if (!toOutlineEntry(words[i], message.pageCount, entry))
            return {};
        message.outline.append(entry);
    }
    return message;
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

QByteArray renderLine(quint64 serial, const PageRequest &page, qsizetype offset)
{
    return "render " + QByteArray::number(serial) + ' ' + QByteArray::number(page.page) + ' ' +
           QByteArray::number(page.pixelSize.width()) + ' ' + QByteArray::number(page.pixelSize.height()) +
           ' ' + QByteArray::number(page.quarterTurns) + ' ' + QByteArray::number(page.night ? 1 : 0) + ' ' +
           QByteArray::number(offset) + '\n';
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

QByteArray readOutlineLine(quint64 serial)
{
    return "read-outline " + QByteArray::number(serial) + '\n';
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
    if (verb == "open" && words.size() == 3) {
        message.kind = Kind::Open;
        message.path = QUrl::fromPercentEncoding(words[2]);
        return message;
    }
    if (verb == "render") {
        message.kind = Kind::Render;
        return parseRender(words, message);
    }
    if (verb == "read-outline" && words.size() == 2) {
        message.kind = Kind::ReadOutline;
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
