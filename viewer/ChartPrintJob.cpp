// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPrintJob.h"

#include "ChartRenderClient.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

namespace viewer {

namespace {

constexpr qreal MaxPrintDotsPerInch = 300;

QPrinterInfo installedPrinter()
{
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    if (!preferred.isNull())
        return preferred;
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    return printers.isEmpty() ? QPrinterInfo() : printers.first();
}

QList<int> pagesToPrint(const QPrintDialog &dialog, int current, int count)
{
    QList<int> pages;
    switch (dialog.printRange()) {
    case QAbstractPrintDialog::CurrentPage:
        return {current};
    case QAbstractPrintDialog::PageRange:
        for (int page = std::max(1, dialog.fromPage()); page <= std::min(count, dialog.toPage()); ++page)
            pages.append(page - 1);
        return pages;
    default:
        for (int page = 0; page < count; ++page)
            pages.append(page);
        return pages;
    }
}

} // namespace

PrintChoice askWhatToPrint(QWidget *parent, int currentPage, int pageCount)
{
    const QPrinterInfo printerInfo = installedPrinter();
    if (printerInfo.isNull())
        return {nullptr, {}, true};
    auto printer = std::make_unique<QPrinter>(printerInfo, QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, pageCount);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QList<int> pages = pagesToPrint(dialog, currentPage, pageCount);
    return {std::move(printer), std::move(pages)};
}

ChartPrintJob::ChartPrintJob(ChartRenderClient *client, const QString &chart,
                             std::unique_ptr<QPrinter> printer, QList<int> pages, QList<QSizeF> pageSizes,
                             QObject *parent)
    : QObject(parent)
    , m_client(client)
    , m_chart(chart)
    , m_printer(std::move(printer))
    , m_pages(std::move(pages))
    , m_pageSizes(std::move(pageSizes))
{
    connect(m_client, &ChartRenderClient::rendered, this, &ChartPrintJob::onRendered);
    connect(m_client, &ChartRenderClient::failed, this, &ChartPrintJob::onFailed);
}

ChartPrintJob::~ChartPrintJob()
{
    abort();
}

void ChartPrintJob::start()
{
    m_pages.removeIf([this](int page) { return page < 0 || page >= m_pageSizes.size(); });
    if (m_pages.isEmpty() || !m_painter.begin(m_printer.get())) {
        finish(ChartFailure::PageNotDrawn);
        return;
    }
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderNext();
}

void ChartPrintJob::abort()
{
    if (!m_painter.isActive())
        return;
    m_client->cancel(m_serial);
    m_serial = 0;
    m_printer->abort();
    m_painter.end();
}

void ChartPrintJob::renderNext()
{
    if (m_next == m_pages.size()) {
        m_painter.end();
        finish(ChartFailure::None);
        return;
    }
    const QSizeF points = m_pageSizes.at(m_pages.at(m_next));
    m_target = sheetRect(points);
    const qreal dotsPerPoint =
        std::min({qreal(m_target.width()) / points.width(), MaxPrintDotsPerInch / 72,
                  std::sqrt(qreal(protocol::MaxImagePixels) / (points.width() * points.height()))});
    PageRequest request;
    request.page = m_pages.at(m_next);
    request.pixelSize = (points * dotsPerPoint).toSize();
    m_serial = m_client->render(m_chart, request);
}

void ChartPrintJob::onRendered(quint64 serial, const QImage &image)
{
    if (serial != m_serial || !m_painter.isActive())
        return;
    if (m_next > 0)
        m_printer->newPage();
    m_painter.drawImage(m_target, image);
    ++m_next;
    renderNext();
}

void ChartPrintJob::onFailed(quint64 serial, ChartFailure failure)
{
    if (serial != m_serial || !m_painter.isActive())
        return;
    abort();
    finish(failure);
}

void ChartPrintJob::finish(ChartFailure failure)
{
    m_serial = 0;
    emit finished(failure);
}

// The page fitted into the printable area of a sheet, in printer dots, keeping its proportions.
QRect ChartPrintJob::sheetRect(QSizeF points) const
{
    const QRect paint = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
    const QSize fitted = points.scaled(QSizeF(paint.size()), Qt::KeepAspectRatio).toSize();
    return {QPoint(0, 0), fitted};
}

} // namespace viewer
