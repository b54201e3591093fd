// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportSummary.h"

namespace import {

void ImportSummary::add(Counts &counts, const QString &key, qsizetype number)
{
    for (auto &[name, value] : counts) {
        if (name == key) {
            value += number;
            return;
        }
    }
    counts.append({key, number});
}

qsizetype ImportSummary::valueOf(const Counts &counts, const QString &key)
{
    for (const auto &[name, value] : counts) {
        if (name == key)
            return value;
    }
    return 0;
}

void ImportSummary::count(const QString &what, qsizetype number)
{
    add(m_counts, what, number);
}

void ImportSummary::skip(const QString &reason, qsizetype number)
{
    if (number > 0)
        add(m_skipped, reason, number);
}

qsizetype ImportSummary::counted(const QString &what) const
{
    return valueOf(m_counts, what);
}

qsizetype ImportSummary::skipped(const QString &reason) const
{
    return valueOf(m_skipped, reason);
}

QString ImportSummary::text(const QString &libraryFolder) const
{
    QString text = QStringLiteral("Library: %1\n").arg(libraryFolder);
    for (const auto &[what, number] : m_counts)
        text += QStringLiteral("  %1 %2\n").arg(number).arg(what);
    if (!m_skipped.isEmpty())
        text += QStringLiteral("Skipped:\n");
    for (const auto &[reason, number] : m_skipped)
        text += QStringLiteral("  %1 %2\n").arg(number).arg(reason);
    if (!m_problems.isEmpty())
        text += QStringLiteral("Problems:\n");
    for (const QString &problem : m_problems)
        text += QStringLiteral("  %1\n").arg(problem);
    return text;
}

} // namespace import
