#include "airportdata/DirectorySearch.h"

#include "airportdata/RecordText.h"

namespace airportdata {

namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");
constexpr char kFieldSeparator = '|';

} // namespace

DirectorySearch::DirectorySearch(const QString &code, qsizetype maxItemBytes)
    : m_header(code)
    , m_maxItemBytes(maxItemBytes)
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
            addFields(step.header->text, true);
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

QStringList DirectorySearch::slotTexts() const
{
    return m_state == State::Found ? decodeFields(m_fields) : QStringList();
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
            addFields(item->text, false);
        }
    }
    return from;
}

void DirectorySearch::addFields(QByteArrayView item, bool skipKey)
{
    bool keep = !skipKey;
    for (qsizetype start = 0; m_fields.size() < kSlotCount; keep = true) {
        const qsizetype separator = item.indexOf(kFieldSeparator, start);
        const qsizetype stop = separator < 0 ? item.size() : separator;
        if (keep) {
            m_fields.append(item.sliced(start, stop - start).toByteArray());
        }
        if (separator < 0) {
            break;
        }
        start = separator + 1;
    }
    if (m_fields.size() == kSlotCount) {
        m_state = State::Found;
    }
}

} // namespace airportdata
