// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordText.h"

#include <QStringDecoder>

#include <optional>

namespace airportdata {

namespace {

constexpr auto kExactly = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

// The text when bytes are valid UTF-8. A fresh decoder for each text: a decoder that has already decoded some
// text does not always report an error in the next one.
std::optional<QString> fromValidUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, kExactly);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? std::nullopt : std::optional<QString>(std::move(text));
}

// Windows-1252 as the platform converts it: Latin-1 with its own table for 0x80 to 0x9F.
QStringDecoder windows1252Decoder()
{
    return QStringDecoder("windows-1252", kExactly);
}

} // namespace

QString decodeText(QByteArrayView bytes)
{
    std::optional<QString> text = fromValidUtf8(bytes);
    return text ? *text : QString(windows1252Decoder().decode(bytes));
}

QList<QByteArrayView> splitFields(QByteArrayView item)
{
    QList<QByteArrayView> fields;
    qsizetype start = 0;
    for (qsizetype separator; (separator = item.indexOf('|', start)) >= 0; start = separator + 1)
        fields.append(item.sliced(start, separator - start));
    fields.append(item.sliced(start));
    return fields;
}

QStringList decodeFields(const QList<QByteArray> &fields)
{
    QStringList texts;
    texts.reserve(fields.size());
    for (const QByteArray &field : fields) {
        std::optional<QString> text = fromValidUtf8(field);
        if (!text) {
            break;
        }
        texts.append(std::move(*text));
    }
    if (texts.size() == fields.size()) {
        return texts;
    }
    QStringDecoder windows1252 = windows1252Decoder();
    texts.clear();
    for (const QByteArray &field : fields) {
        texts.append(windows1252.decode(field));
    }
    return texts;
}

AirportRecord decodeRecord(const QList<QList<QByteArray>> &lines)
{
    QList<QByteArray> all;
    for (const QList<QByteArray> &line : lines)
        all += line;
    const QStringList texts = decodeFields(all);
    QList<QStringList> decoded;
    decoded.reserve(lines.size());
    qsizetype next = 0;
    for (const QList<QByteArray> &line : lines) {
        decoded.append(texts.mid(next, line.size()));
        next += line.size();
    }
    QStringList header = decoded.isEmpty() ? QStringList() : decoded.takeFirst();
    return AirportRecord(std::move(header), std::move(decoded));
}

} // namespace airportdata
