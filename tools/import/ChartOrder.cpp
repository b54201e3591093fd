// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartOrder.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace import {

namespace {

struct Continuation {
    QString chartName;
    int number = 0;
};

std::optional<Continuation> continuationOf(const QString &chartName)
{
    static const QRegularExpression pattern(QStringLiteral("^(.*\\S)\\s*,\\s*CONT\\.\\s*(\\d+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(chartName);
    if (!match.hasMatch())
        return std::nullopt;
    return Continuation{match.captured(1), match.captured(2).toInt()};
}

} // namespace

QList<JoinedChart> orderCharts(QList<DtppChart> charts)
{
    std::stable_sort(charts.begin(), charts.end(),
                     [](const DtppChart &a, const DtppChart &b) { return a.sequence < b.sequence; });
    QList<JoinedChart> ordered;
    QHash<QString, qsizetype> byName;
    QList<std::pair<Continuation, QString>> continuations;
    for (const DtppChart &chart : charts) {
        if (std::optional<Continuation> continuation = continuationOf(chart.name)) {
            continuations.append({*continuation, chart.pdfName});
            continue;
        }
        if (!byName.contains(chart.name))
            byName.insert(chart.name, ordered.size());
        ordered.append({chart.name, {chart.pdfName}});
    }
    std::stable_sort(continuations.begin(), continuations.end(),
                     [](const auto &a, const auto &b) { return a.first.number < b.first.number; });
    for (const auto &[continuation, pdfName] : continuations) {
        const auto chart = byName.constFind(continuation.chartName);
        if (chart != byName.constEnd())
            ordered[*chart].pdfNames.append(pdfName);
        else
            ordered.append(
                {continuation.chartName + QStringLiteral(", CONT.%1").arg(continuation.number), {pdfName}});
    }
    return ordered;
}

} // namespace import
