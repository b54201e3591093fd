#include "tools/chartgen/AirportRecord.h"

#include <QStringDecoder>

namespace chartgen {

namespace {

QString decodeLine(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? QString(windows1252(bytes)) : QString::fromLatin1(bytes);
}

QString field(const QStringList &fields, int index)
{
    const QString text = index < fields.size() ? fields[index].trimmed() : QString();
    return text == u"-" ? QString() : text;
}

bool isCode(const QString &code)
{
    if (code.size() != 4)
        return false;
    for (QChar c : code) {
        if (!(c.isDigit() || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

QStringList splitLines(const QByteArray &bytes)
{
    QStringList lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(decodeLine(line));
    }
    return lines;
}

} // namespace

QList<AirportRecord> parseAirportDirectory(const QByteArray &bytes)
{
    QList<AirportRecord> records;
    const QStringList lines = splitLines(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString code = lines[i].mid(2, 4);
        if (lines[i].isEmpty() || !isCode(code))
            continue;
        const QStringList header = lines[i].split(u'|');
        AirportRecord record{code, field(header, 2), field(header, 3), field(header, 4), field(header, 5),
                             {}};
        for (++i; i < lines.size() && !lines[i].isEmpty(); ++i) {
            const QStringList runway = lines[i].split(u'|');
            record.runways.append({field(runway, 0), field(runway, 1), field(runway, 2), field(runway, 3),
                                   field(runway, 4), field(runway, 5)});
        }
        records.append(record);
    }
    return records;
}

} // namespace chartgen
