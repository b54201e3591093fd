// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunwayRows.h"

#include <algorithm>

namespace import {

namespace {

constexpr qsizetype kMaxRows = 12;

// The run of digits that starts at position, without its leading zeros, and the position after it.
QStringView digitRun(QStringView text, qsizetype &position)
{
    const qsizetype start = position;
    while (position < text.size() && text[position].isDigit())
        ++position;
    QStringView run = text.sliced(start, position - start);
    while (run.size() > 1 && run.front() == u'0')
        run = run.sliced(1);
    return run;
}

// -1, 0 or 1 as a comes before, with or after b in natural order.
int naturalCompare(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const QStringView x = digitRun(a, i);
            const QStringView y = digitRun(b, j);
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
            if (const int order = x.compare(y); order != 0)
                return order < 0 ? -1 : 1;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return 0;
}

QString joined(const QString &first, const QString &second)
{
    return second.isEmpty() ? first : first + QLatin1Char('/') + second;
}

// The rows of one runway whose ends are named.
void addRows(qsizetype index, const RunwayEnds &runway, QList<RunwayRow> &rows)
{
    using End = RunwayRow::End;
    const bool hasLow = !runway.lowEnd.isEmpty();
    const bool hasHigh = !runway.highEnd.isEmpty();
    const std::optional<Localizer> lowIls = hasLow ? runway.lowIls : std::nullopt;
    const std::optional<Localizer> highIls = hasHigh ? runway.highIls : std::nullopt;
    const std::optional<End> low = hasLow ? std::optional(End::Low) : std::nullopt;
    const std::optional<End> high = hasHigh ? std::optional(End::High) : std::nullopt;
    if (lowIls && highIls) {
        rows.append({index, End::Low, std::nullopt, runway.lowEnd, lowIls});
        rows.append({index, End::High, std::nullopt, runway.highEnd, highIls});
    } else if (highIls) {
        rows.append({index, End::High, low, joined(runway.highEnd, runway.lowEnd), highIls});
    } else if (hasLow) {
        rows.append({index, End::Low, high, joined(runway.lowEnd, runway.highEnd), lowIls});
    } else {
        rows.append({index, End::High, std::nullopt, runway.highEnd, std::nullopt});
    }
}

} // namespace

bool naturallyBefore(QStringView a, QStringView b)
{
    const int order = naturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

RunwayRowPlan planRunwayRows(const QList<RunwayEnds> &runways)
{
    RunwayRowPlan plan;
    QList<RunwayRow> rows;
    for (qsizetype index = 0; index < runways.size(); ++index) {
        if (runways[index].lowEnd.isEmpty() && runways[index].highEnd.isEmpty())
            ++plan.withoutDesignator;
        else
            addRows(index, runways[index], rows);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const RunwayRow &a, const RunwayRow &b) {
        return naturallyBefore(a.designator, b.designator);
    });

    QList<bool> kept(rows.size(), false);
    qsizetype room = kMaxRows;
    for (const bool withIls : {true, false}) {
        for (qsizetype i = 0; i < rows.size() && room > 0; ++i) {
            if (rows[i].ils.has_value() == withIls) {
                kept[i] = true;
                --room;
            }
        }
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (kept[i])
            plan.rows.append(std::move(rows[i]));
    }
    plan.beyondTwelve = rows.size() - plan.rows.size();
    return plan;
}

} // namespace import
