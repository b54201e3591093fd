#include "RenderProtocol.h"

#include <QUrl>

#include <array>
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

Message parseOpened(const QList<QByteArray> &words, Message message)
{
    int count = 0;
    if (words.size() < 3 || !toInt(words[2], count) || count != words.size() - 3)
        return {};
    for (qsizetype i = 3; i < words.size(); ++i) {
        const QList<QByteArray> parts = words[i].split(',');
        bool okWidth = false;
        bool okHeight = false;
        const QSizeF size(parts.value(0).toDouble(&okWidth), parts.value(1).toDouble(&okHeight));
        if (parts.size() != 2 || !okWidth || !okHeight)
            return {};
        message.pageSizes.append(size);
    }
    return message;
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

QByteArray openedLine(quint64 serial, const QList<QSizeF> &pageSizes)
{
    QByteArray line = "opened " + QByteArray::number(serial) + ' ' + QByteArray::number(pageSizes.size());
    for (const QSizeF &size : pageSizes)
        line += ' ' + QByteArray::number(size.width()) + ',' + QByteArray::number(size.height());
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
    if (verb == "opened") {
        message.kind = Kind::Opened;
        return parseOpened(words, message);
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
