// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryText.h"

#include <algorithm>

namespace airportdata {

namespace {

const QByteArray kLineEnd("\r\n");

QByteArray lineText(const QStringList &fields)
{
    return fields.join(u'|').toUtf8() + kLineEnd;
}

bool isDirectorySafe(QChar c)
{
    return c != u',' && c != u'"' && c != u'|' && c.category() != QChar::Other_Control;
}

} // namespace

int makeDirectorySafe(QString &text)
{
    if (std::all_of(text.cbegin(), text.cend(), isDirectorySafe))
        return 0;
    int replaced = 0;
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u',':
            safe += u';';
            break;
        case u'"':
            safe += u'\'';
            break;
        case u'|':
            safe += u'/';
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            safe += u' ';
            break;
        case u'\n':
            safe += u' ';
            break;
        default:
            if (c.category() != QChar::Other_Control) {
                safe += c;
                continue;
            }
            safe += u' ';
            break;
        }
        ++replaced;
    }
    text = std::move(safe);
    return replaced;
}

int keepOutOfHeaderSearch(QString &designator)
{
    const QStringView candidate = QStringView(designator).mid(2, 4);
    const bool looksLikeCode =
        candidate.size() == 4 &&
        std::all_of(candidate.begin(), candidate.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    if (!looksLikeCode)
        return 0;
    designator = designator.left(2) + designator.mid(2).toLower();
    return 1;
}

QByteArray directoryText(const AirportRecord &record)
{
    QByteArray text = lineText(record.headerFields());
    for (const QStringList &line : record.lines())
        text += lineText(line);
    return text + kLineEnd;
}

} // namespace airportdata
