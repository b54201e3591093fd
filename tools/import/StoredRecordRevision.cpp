// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoredRecordRevision.h"

#include "DirectoryText.h"
#include "ImportSummary.h"
#include "LocalizerTable.h"
#include "RecordText.h"
#include "RunwayRows.h"

#include <algorithm>

namespace import {

namespace {

constexpr qsizetype kHeaderFields = 7;
constexpr qsizetype kRunwayFields = 12;
constexpr qsizetype kFrequencyField = 4;
constexpr qsizetype kCourseField = 5;
constexpr QByteArrayView kLineEnd("\r\n");

// One line of a record: its text and the line end after it (CR LF, LF, CR, or none at the end of the file).
struct Line {
    QByteArrayView text;
    QByteArrayView end;
};

// The lines of a record up to the empty line that ends it; rest gets the bytes from there on.
QList<Line> linesOf(QByteArrayView bytes, QByteArrayView &rest)
{
    QList<Line> lines;
    qsizetype position = 0;
    while (position < bytes.size()) {
        qsizetype stop = position;
        while (stop < bytes.size() && bytes[stop] != '\r' && bytes[stop] != '\n')
            ++stop;
        if (stop == position)
            break;
        qsizetype next = stop;
        if (next < bytes.size())
            next += bytes.sliced(next).startsWith(kLineEnd) ? 2 : 1;
        lines.append({bytes.sliced(position, stop - position), bytes.sliced(stop, next - stop)});
        position = next;
    }
    rest = bytes.sliced(position);
    return lines;
}

bool inUsualForm(const QList<Line> &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView text = lines[i].text;
        if (text.contains(',') || text.contains('"') ||
            airportdata::splitFields(text).size() != (i == 0 ? kHeaderFields : kRunwayFields))
            return false;
    }
    return !lines.isEmpty();
}

// The two ends a designator names ("04R/22L"); one that holds no single "/" names one end.
std::pair<QByteArrayView, QByteArrayView> endsOf(QByteArrayView designator)
{
    const qsizetype slash = designator.indexOf('/');
    if (slash < 0 || designator.indexOf('/', slash + 1) >= 0)
        return {designator.trimmed(), {}};
    return {designator.first(slash).trimmed(), designator.sliced(slash + 1).trimmed()};
}

QByteArray designatorOf(const RunwayRow &row, std::pair<QByteArrayView, QByteArrayView> ends)
{
    const auto end = [&](RunwayRow::End which) {
        return which == RunwayRow::End::Low ? ends.first : ends.second;
    };
    QByteArray designator = end(row.first).toByteArray();
    if (row.second)
        designator += '/' + end(*row.second).toByteArray();
    // Bytes read as Latin-1 come back unchanged.
    QString text = QString::fromLatin1(designator);
    return airportdata::keepOutOfHeaderSearch(text) ? text.toLatin1() : designator;
}

QByteArray lineWithIls(QByteArrayView text, const QByteArray &designator, const Localizer &ils)
{
    QList<QByteArray> fields;
    for (const QByteArrayView field : airportdata::splitFields(text))
        fields.append(field.toByteArray());
    fields[0] = designator;
    fields[kFrequencyField] = ils.frequency.toLatin1();
    fields[kCourseField] = ils.course.toLatin1();
    return fields.join('|');
}

} // namespace

std::optional<QByteArray> StoredRecordRevision::revise(const airportdata::StoredRecord &stored,
                                                       QByteArrayView bytes)
{
    const QString code = stored.record.code();
    m_codes.insert(code);
    if (!m_localizers.hasAirport(code))
        return std::nullopt;
    QByteArrayView rest;
    const QList<Line> lines = linesOf(bytes, rest);
    if (!inUsualForm(lines)) {
        m_localizers.setAside(code);
        m_summary.skip(
            QStringLiteral("records with localizers left as they were, not in the directory's usual "
                           "form (listed below)"));
        m_summary.problem(code + QStringLiteral(": record left as it was: not a header line of 7 fields and "
                                                "runway lines of 12 without commas or quotes"));
        return std::nullopt;
    }

    QList<std::pair<QByteArrayView, QByteArrayView>> ends;
    QList<RunwayEnds> runways;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        ends.append(endsOf(airportdata::splitFields(lines[i].text).first()));
        const QString low = QString::fromLatin1(ends.last().first);
        const QString high = QString::fromLatin1(ends.last().second);
        runways.append({low, high, m_localizers.take(code, low), m_localizers.take(code, high)});
    }
    const RunwayRowPlan plan = planRunwayRows(runways);
    if (std::none_of(plan.rows.begin(), plan.rows.end(),
                     [](const RunwayRow &row) { return row.ils.has_value(); }))
        return std::nullopt;

    const QByteArrayView headerEnd = lines.first().end.isEmpty() ? kLineEnd : lines.first().end;
    QByteArray revised = lines.first().text.toByteArray();
    revised += headerEnd;
    for (const RunwayRow &row : plan.rows) {
        const Line &line = lines[row.runway + 1];
        if (row.ils) {
            revised += lineWithIls(line.text, designatorOf(row, ends[row.runway]), *row.ils);
            m_summary.count(kLocalizersFilled);
        } else {
            revised += line.text;
        }
        revised += line.end.isEmpty() ? headerEnd : line.end;
    }
    m_summary.skip(kRunwaysWithoutDesignator, plan.withoutDesignator);
    m_summary.skip(kRowsBeyondTwelve, plan.beyondTwelve);
    revised += rest;
    return revised;
}

} // namespace import
