// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartRequests.h"

#include "ChartRenderClient.h"

#include <utility>

namespace viewer {

ChartRequests::ChartRequests(ChartRenderClient *client, QObject *parent)
    : QObject(parent)
    , m_client(client)
{
    connect(m_client, &ChartRenderClient::opened, this, &ChartRequests::onOpened);
    connect(m_client, &ChartRenderClient::rendered, this, &ChartRequests::onRendered);
    connect(m_client, &ChartRenderClient::outlineRead, this, &ChartRequests::onOutlineRead);
    connect(m_client, &ChartRenderClient::failed, this, &ChartRequests::onFailed);
}

ChartRequests::~ChartRequests()
{
    if (m_client)
        reset();
}

void ChartRequests::open(const QString &path)
{
    reset();
    m_path = path;
    m_openSerial = m_client->open(path);
}

void ChartRequests::reset()
{
    for (const quint64 serial : {m_openSerial, m_outlineSerial, m_wanted.serial})
        m_client->cancel(serial);
    m_path.clear();
    m_openSerial = 0;
    m_outlineSerial = 0;
    m_pageSizes.clear();
    m_shown = {};
    m_wanted = {};
}

void ChartRequests::requestPage(const PageRequest &request)
{
    if (!isOpen())
        return;
    if (request == m_shown) {
        m_client->cancel(std::exchange(m_wanted, {}).serial);
        return;
    }
    if (m_wanted.serial != 0 && m_wanted.request == request)
        return;
    m_client->cancel(std::exchange(m_wanted, {}).serial);
    m_wanted.request = request;
    m_wanted.serial = m_client->render(m_path, request);
}

void ChartRequests::drawAhead(const QList<AheadPage> &pages)
{
    m_client->drawAhead(pages);
}

void ChartRequests::onOpened(quint64 serial, const QList<QSizeF> &pageSizes)
{
    if (serial == 0 || serial != m_openSerial)
        return;
    if (pageSizes.isEmpty()) {
        fail(ChartFailure::NoPages);
        return;
    }
    m_pageSizes = pageSizes;
    emit opened(pageSizes);
    // The index is asked for after the first page, so that the page never waits for it.
    if (serial == m_openSerial)
        m_outlineSerial = m_client->readOutline(m_path);
}

void ChartRequests::onRendered(quint64 serial, const QImage &image)
{
    if (serial != 0 && serial == m_wanted.serial)
        show(image, std::exchange(m_wanted, {}).request);
}

// The index counts only while it is still the index of the chart read last.
void ChartRequests::onOutlineRead(quint64 serial, const QList<OutlineEntry> &outline)
{
    if (serial == 0 || serial != std::exchange(m_outlineSerial, 0) || !isOpen())
        return;
    QList<OutlineEntry> onThisChart = outline;
    const qsizetype pages = m_pageSizes.size();
    onThisChart.removeIf([pages](const OutlineEntry &entry) { return entry.page >= pages; });
    emit outlineRead(onThisChart);
}

void ChartRequests::onFailed(quint64 serial, ChartFailure failure)
{
    if (serial == 0)
        return;
    // A chart whose index cannot be read is shown without one.
    if (serial == m_outlineSerial)
        m_outlineSerial = 0;
    else if (serial == m_openSerial || serial == m_wanted.serial)
        fail(failure);
}

void ChartRequests::show(const QImage &image, const PageRequest &request)
{
    const bool samePage = m_shown.page == request.page && !m_shown.pixelSize.isEmpty();
    m_shown = request;
    emit pageReady(image, request, samePage);
}

void ChartRequests::fail(ChartFailure failure)
{
    reset();
    emit failed(failure);
}

} // namespace viewer
