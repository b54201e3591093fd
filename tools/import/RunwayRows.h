// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Localizer.h"

#include <QList>
#include <QString>

#include <optional>

namespace import {

// A runway as the directory's rows see it: its two ends, either of which may be unnamed, and the localizer of
// each end, if it has one.
struct RunwayEnds {
    QString lowEnd;  // "04R"
    QString highEnd; // "22L"
    std::optional<Localizer> lowIls;
    std::optional<Localizer> highIls;
};

// One row of the directory for a runway: which of its ends the designator names, in which order, and the
// localizer the row shows (that of its first end).
struct RunwayRow {
    enum class End { Low, High };

    qsizetype runway = 0; // index into the runways planned
    End first = End::Low;
    std::optional<End> second;
    QString designator; // the ends joined: "04R", "27/09", "14/32"
    std::optional<Localizer> ils;
};

struct RunwayRowPlan {
    QList<RunwayRow> rows;
    qsizetype withoutDesignator = 0; // runways with neither end named, left out
    qsizetype beyondTwelve = 0;      // rows left out, those without a localizer first
};

// The rows of an airport, never ambiguous about which end a localizer serves: a runway with a localizer at
// both ends becomes two rows named by their end ("04R", "22L"), each with its own; one with a localizer at
// one end is named with that end first ("27/09") and shows that end's; one without keeps its row ("14/32").
// A runway with neither end named gets no row. The rows come in the natural order of their designators
// (7/25 before 16/34, H2 before H10); of more than twelve, those with a localizer are kept first.
RunwayRowPlan planRunwayRows(const QList<RunwayEnds> &runways);

// Natural order: runs of digits compare by their value, everything else character by character.
bool naturallyBefore(QStringView a, QStringView b);

} // namespace import
