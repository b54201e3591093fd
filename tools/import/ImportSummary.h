// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace import {

// Summary lines that more than one step of an import counts.
inline const QString kRunwaysWritten = QStringLiteral("runway rows written");
inline const QString kLocalizersFilled = QStringLiteral("runway rows with ILS frequency and course");
inline const QString kRunwaysWithoutDesignator = QStringLiteral("runways with neither end named");
inline const QString kRowsBeyondTwelve =
    QStringLiteral("runway rows beyond the twelfth of an airport (those without an ILS left out first)");
inline const QString kTextsChanged =
    QStringLiteral("texts changed (commas, quotes, \"|\", line breaks or control characters replaced)");

// What an import did, for the lines printed at its end: counts of what was written, counts of what was left
// out with the reason, and the problems met along the way, each in the order first reported.
class ImportSummary {
public:
    // "airports written", "runways written"
    void count(const QString &what, qsizetype number = 1);
    // "closed runways", "airports without a four-letter code"
    void skip(const QString &reason, qsizetype number = 1);
    // "KSBP: 00989R11.PDF: no such file"
    void problem(const QString &text) { m_problems.append(text); }

    qsizetype counted(const QString &what) const;
    qsizetype skipped(const QString &reason) const;
    const QStringList &problems() const { return m_problems; }

    QString text(const QString &libraryFolder) const;

private:
    using Counts = QList<QPair<QString, qsizetype>>;
    static void add(Counts &counts, const QString &key, qsizetype number);
    static qsizetype valueOf(const Counts &counts, const QString &key);

    Counts m_counts;
    Counts m_skipped;
    QStringList m_problems;
};

} // namespace import
