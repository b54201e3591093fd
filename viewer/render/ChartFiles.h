// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartEngine.h"
#include "Platform.h"

#include <QFile>

#include <list>
#include <memory>
#include <optional>

namespace render {

// A chart the helper has read: the version of its file read, its page sizes, its index once read, and, while
// it is kept ready to draw, the engine that read it with the file the engine reads through.
struct ReadChart {
    QString path;
    platform::FileIdentity identity;
    QList<QSizeF> pageSizes;
    std::optional<QList<viewer::OutlineEntry>> outline;
    std::unique_ptr<QFile> file; // declared before the engine, so that it goes after it
    std::unique_ptr<ChartEngine> engine;

    bool canDraw() const { return engine != nullptr; }
};

// The charts the helper has read, by path. A chart whose file is no longer the version read (replaced,
// rewritten, touched) is read again. The page sizes of a few charts are kept, and of those the engines of the
// charts drawn last (MaxReadyCharts), the least recently used giving theirs up first.
class ChartFiles {
public:
    static constexpr int MaxKnownCharts = 16;
    static constexpr int MaxReadyCharts = 3;

    explicit ChartFiles(ChartEngineFactory engines);

    // The chart at path when it is known as its file is now, else nothing; never reads anything.
    ReadChart *current(const QString &path);
    // The chart at path as its file is now, read when it is not known yet; nothing when it cannot be read,
    // and failure says why.
    ReadChart *find(const QString &path, viewer::ChartFailure &failure);
    // The same chart ready to draw: read again, engine and all, when only its page sizes were known.
    ReadChart *ready(const QString &path, viewer::ChartFailure &failure);
    // Reads the chart at path into a chart of its own, kept nowhere: for a copy of the helper, which must not
    // read through the files it shares with the helper.
    std::unique_ptr<ReadChart> readApart(const QString &path, viewer::ChartFailure &failure) const;
    // Remembers a chart read elsewhere (by a copy of the helper drawing ahead): find() then knows its page
    // sizes, and its index when given, without reading it, as long as its file stays that version.
    void remember(const QString &path, const platform::FileIdentity &identity, const QList<QSizeF> &pageSizes,
                  const std::optional<QList<viewer::OutlineEntry>> &outline);

private:
    std::list<ReadChart>::iterator known(const QString &path);
    void keep(ReadChart chart);

    ChartEngineFactory m_engines;
    std::list<ReadChart> m_charts; // the most recently used first
};

} // namespace render
