// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Platform.h"
#include "RenderProtocol.h"

#include <QElapsedTimer>

#include <optional>

namespace render {

class ChartFiles;
class PageCache;

// Draws pages before they are asked for, one at a time, each in a copy of the helper process at a lower
// scheduling priority: a request for a page to show is served by the helper meanwhile and never waits for a
// page drawn ahead (the copy is held while the helper works for the viewer, so that it takes no processor
// time from it), and a page no longer wanted is dropped with its copy, half drawn. A page drawn goes into the
// page cache and its chart's page sizes and index into the chart files, so that asking for it later reads and
// draws nothing.
class AheadDrawer {
public:
    // How much lower the copies run than the helper.
    static constexpr int Niceness = 5;

    AheadDrawer(ChartFiles &charts, PageCache &cache);
    ~AheadDrawer();
    Q_DISABLE_COPY_MOVE(AheadDrawer)

    // The pages to draw, most wanted first, replacing those named before. The page being drawn goes on when
    // it is still wanted.
    void setPages(const QList<viewer::AheadPage> &pages);
    // The descriptor to wait on for the page being drawn: -1 when none is.
    int descriptor() const { return m_copy.output; }
    // Takes in what the copy wrote; once its page is done, keeps the page and starts the next.
    void readDrawing();
    // Holds the drawing ahead while the helper serves the viewer, or lets it go on.
    void hold(bool held);
    // When a page of the chart is being drawn, lets it go on and waits until it is done: the chart is then
    // known without reading it again.
    void awaitChart(const QString &chart);
    // When the page being drawn is the page of the chart asked for now (the chart's page sizes known), lets
    // it go on and waits until it is done, so that it is not drawn twice.
    void awaitPage(const QString &chart, const QList<QSizeF> &pageSizes, const viewer::PageRequest &page);

private:
    QByteArray drawInCopy(const viewer::AheadPage &ahead) const;
    void startNext();
    void awaitDrawing();
    void finishDrawing(bool stop);

    ChartFiles &m_charts;
    PageCache &m_cache;
    QList<viewer::AheadPage> m_pages;
    std::optional<viewer::AheadPage> m_drawing;
    platform::ChildProcess m_copy;
    QByteArray m_drawn;
    QElapsedTimer m_clock;
    bool m_held = false;
};

} // namespace render
