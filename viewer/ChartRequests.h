// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

#include <QImage>
#include <QObject>
#include <QPointer>

namespace viewer {

class ChartRenderClient;

// What one viewer has asked of the render helper for the chart it shows, without any widget: the chart's
// page sizes, the page wanted on screen, the chart's index, and the pages the helper draws ahead for it. Each
// request carries a serial; a reply whose serial is no longer one of these is dropped, so nothing of an
// earlier chart, page, size or colour ever reaches the screen. reset() forgets the chart at once.
class ChartRequests : public QObject {
    Q_OBJECT

public:
    explicit ChartRequests(ChartRenderClient *client, QObject *parent = nullptr);
    ~ChartRequests() override;
    Q_DISABLE_COPY_MOVE(ChartRequests)

    // Reads a chart, after forgetting everything asked for the one before.
    void open(const QString &path);
    // Drops every request still on its way; their replies are ignored from now on.
    void reset();
    // Asks for the page to show, unless it is on screen or already on its way; a page asked for earlier and
    // not yet arrived is dropped. A page the helper drew ahead comes without being drawn again.
    void requestPage(const PageRequest &request);
    // The pages that will likely be asked for next, most likely first: the helper draws them beside the
    // pages asked for, replacing the pages named before (by any viewer).
    void drawAhead(const QList<AheadPage> &pages);

    QString chart() const { return m_path; }
    // The serial of the chart's open request: each chart read gets a new one, 0 when none.
    quint64 chartSerial() const { return m_openSerial; }
    bool isOpen() const { return !m_pageSizes.isEmpty(); }
    const QList<QSizeF> &pageSizes() const { return m_pageSizes; }
    bool isPageOnItsWay() const { return m_wanted.serial != 0; }
    // The page on screen; a page of 0 pixels when none.
    const PageRequest &shownPage() const { return m_shown; }

signals:
    // The chart was read: its page sizes in points, at least one page.
    void opened(const QList<QSizeF> &pageSizes);
    // The page asked for last is drawn; it is now the page on screen. samePage: the page on screen before
    // was the same page, drawn at another size, turn or colours.
    void pageReady(const QImage &image, const viewer::PageRequest &request, bool samePage);
    // The chart's index, once its first page was asked for: empty when it has none or could not be read.
    void outlineRead(const QList<viewer::OutlineEntry> &outline);
    // The chart or the page asked for cannot be shown; every request about the chart is dropped.
    void failed(viewer::ChartFailure failure);

private:
    struct PageWork {
        quint64 serial = 0;
        PageRequest request;
    };

    void onOpened(quint64 serial, const QList<QSizeF> &pageSizes);
    void onRendered(quint64 serial, const QImage &image);
    void onOutlineRead(quint64 serial, const QList<OutlineEntry> &outline);
    void onFailed(quint64 serial, ChartFailure failure);
    void show(const QImage &image, const PageRequest &request);
    void fail(ChartFailure failure);

    QPointer<ChartRenderClient> m_client; // may go first when both belong to one viewer
    QString m_path;
    quint64 m_openSerial = 0;
    quint64 m_outlineSerial = 0;
    QList<QSizeF> m_pageSizes;
    PageRequest m_shown;
    PageWork m_wanted;
};

} // namespace viewer
