// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartGeoreference.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace georef {

// A page of a chart, known by its content: the SHA-256 of the chart file, so that a chart keeps its place
// when it is copied, renamed or found in another library, and loses it when it is replaced by another
// edition.
struct ChartPage {
    QByteArray sha256; // hexadecimal, lower case
    int page = 0;      // from 0

    // The page of a chart file; nothing when the file cannot be read (the reason in error).
    static std::optional<ChartPage> ofFile(const QString &chartFile, int page, QString *error = nullptr);

    friend bool operator==(const ChartPage &, const ChartPage &) = default;
};

// What a change of the store did: whether it was kept, else why not, in words a user understands.
struct StoreOutcome {
    bool kept = false;
    QString error;
};

// The pages the pilot has placed on the map, kept in one JSON file in the user's data folder
// ($XDG_DATA_HOME/varnelox/placed-charts.json), never in the library:
//   {"version": 1, "pages": [{"sha256": "…", "page": 0,
//     "points": [{"x": 95.5, "y": 120.25, "latitude": 42.37, "longitude": -71.03}, {…}]}]}
// A missing file holds no places. A file that cannot be read as such a store holds none either, and is
// never written over: placing or forgetting then says why. Entries that cannot be read are passed over and
// kept as they are when the file is written again. The file is written whole to a temporary file and renamed
// into place.
class PlacedCharts {
public:
    static QString userFileName();

    explicit PlacedCharts(QString fileName = userFileName());

    QString fileName() const { return m_fileName; }
    std::optional<ChartGeoreference> placeOf(const ChartPage &page) const;
    StoreOutcome place(const ChartPage &page, const ChartGeoreference &georeference);
    // "Forget the place": the page is no longer placed.
    StoreOutcome forget(const ChartPage &page);

private:
    QString m_fileName;
};

} // namespace georef
