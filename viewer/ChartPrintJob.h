// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

#include <QObject>
#include <QPainter>

#include <memory>

class QPrinter;
class QWidget;

namespace viewer {

class ChartRenderClient;

// What the user chose to print in the system print dialog: the printer and the pages (indexes). No printer
// when the dialog was cancelled or no printer is installed (then the dialog is not shown).
struct PrintChoice {
    std::unique_ptr<QPrinter> printer;
    QList<int> pages;
    bool noPrinterInstalled = false;
};
PrintChoice askWhatToPrint(QWidget *parent, int currentPage, int pageCount);

// Prints pages of a chart: each page is drawn by the render helper at the printer's
// resolution (at most 300 dots per inch) and laid on its own sheet, fitted to the printable area.
class ChartPrintJob : public QObject {
    Q_OBJECT

public:
    ChartPrintJob(ChartRenderClient *client, const QString &chart, std::unique_ptr<QPrinter> printer,
                  QList<int> pages, QList<QSizeF> pageSizes, QObject *parent = nullptr);
    ~ChartPrintJob() override;

    void start();
    // Stops the job and drops what was printed so far.
    void abort();

signals:
    void finished(viewer::ChartFailure failure);

private:
    void renderNext();
    void onRendered(quint64 serial, const QImage &image);
    void onFailed(quint64 serial, ChartFailure failure);
    void finish(ChartFailure failure);
    QRect sheetRect(QSizeF points) const;

    ChartRenderClient *m_client;
    QString m_chart;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QList<int> m_pages;
    QList<QSizeF> m_pageSizes;
    qsizetype m_next = 0;
    quint64 m_serial = 0;
    QRect m_target;
};

} // namespace viewer
