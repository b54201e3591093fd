// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectorySearch.h"

#include "RecordText.h"

namespace airportdata {

namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

} // namespace

DirectorySearch::DirectorySearch(const QString &code, const ReadLimits &limits)
    : m_header(code)
    , m_maxFields(limits.maxFields)
    , m_maxItemBytes(limits.maxItemBytes)
    , m_maxRecordBytes(limits.maxRecordBytes)
    , m_state(m_header.canMatch() ? State::Searching : State::NotFound)
{}

qsizetype DirectorySearch::feed(QByteArrayView data, bool final)
{
    if (m_atStart && !final && data.size() < kByteOrderMark.size() && kByteOrderMark.startsWith(data)) {
        return 0; // perhaps the start of a byte order mark: wait for more
    }
    qsizetype used = skipByteOrderMark(data);
    if (m_state == State::Searching) {
        const HeaderFinder::Step step = m_header.find(data, used, final);
        used = step.next;
        if (step.header) {
            m_state = State::Collecting;
            addLine(step.header->text, true);
        } else if (final) {
            m_state = State::NotFound;
        }
    }
    if (m_state == State::Collecting) {
        used = collect(data, used, final);
    }
    m_offset += used;
    if (!done() && data.size() - used > m_maxItemBytes) {
        m_state = State::ItemTooLong;
    }
    return used;
}

bool DirectorySearch::done() const
{
    return m_state != State::Searching && m_state != State::Collecting;
}

AirportRecord DirectorySearch::record() const
{
    return m_state == State::Found ? decodeRecord(m_lines) : AirportRecord();
}

qsizetype DirectorySearch::skipByteOrderMark(QByteArrayView data)
{
    if (!m_atStart) {
        return 0;
    }
    m_atStart = false;
    return data.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

qsizetype DirectorySearch::collect(QByteArrayView data, qsizetype from, bool final)
{
    while (m_state == State::Collecting) {
        const std::optional<Item> item = readItem(data.sliced(from), final);
        if (!item) {
            if (final) {
                m_state = State::Found;
            }
            break;
        }
        from += item->length;
        if (item->text.isEmpty()) {
            m_state = State::Found;
        } else {
            addLine(item->text, false);
        }
    }
    return from;
}

void DirectorySearch::addLine(QByteArrayView item, bool isHeader)
{
    QList<QByteArrayView> fields = splitFields(item);
    const qsizetype counted = std::min(fields.size() - (isHeader ? 1 : 0), m_maxFields - m_fieldCount);
    fields.resize(counted + (isHeader ? 1 : 0));
    m_fieldCount += counted;
    for (qsizetype i = isHeader ? 1 : 0; i < fields.size(); ++i)
        m_recordBytes += fields[i].size();
    if (m_recordBytes > m_maxRecordBytes) {
        m_lines.clear();
        m_state = State::RecordTooLong;
        return;
    }
    QList<QByteArray> &line = m_lines.emplace_back();
    for (const QByteArrayView field : fields)
        line.append(field.toByteArray());
    if (m_fieldCount == m_maxFields)
        m_state = State::Found;
}

} // namespace airportdata
